// The two angle helpers of the choreography: the to-and-fro fold and the sine.
#include <cmath>

#include "render/render.h"

float foldAngle(float x) {
    return x > 180.0f ? x : 360.0f - x;
}

double sinRad(float x) {
    // This value of pi, not the full-precision one, keeps the motion as it always was.
    return std::sin(static_cast<double>(x) * 3.1415926 / 180.0);
}
