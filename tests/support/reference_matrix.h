// Reference 4 x 4 matrices in double, column-major, independent of the code
// under test: the cameras of the frame pass built from first principles.
#pragma once

#include <cmath>

struct Matrix {
    double m[16];
};

inline Matrix identity() {
    Matrix r = {};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0;
    return r;
}

// a x b: b is applied first.
inline Matrix product(const Matrix& a, const Matrix& b) {
    Matrix r = {};
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 4; ++row) {
            for (int k = 0; k < 4; ++k) {
                r.m[4 * c + row] += a.m[4 * k + row] * b.m[4 * c + k];
            }
        }
    }
    return r;
}

inline Matrix translation(double x, double y, double z) {
    Matrix r = identity();
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

// Rotation by degrees about axis 0 = x, 1 = y, 2 = z.
inline Matrix rotation(double degrees, int axis) {
    const double a = degrees * M_PI / 180.0;
    Matrix r = identity();
    const int i = (axis + 1) % 3;
    const int j = (axis + 2) % 3;
    r.m[4 * i + i] = std::cos(a);
    r.m[4 * j + j] = std::cos(a);
    r.m[4 * i + j] = std::sin(a);
    r.m[4 * j + i] = -std::sin(a);
    return r;
}

// The orbit camera of the frame pass for the given distance, angles and shift.
inline Matrix camera(double distance, double roll, double pitch, double yaw, double shift) {
    Matrix view = translation(0, 0, -distance);
    view = product(view, rotation(-roll, 2));
    view = product(view, rotation(-pitch, 0));
    view = product(view, rotation(-yaw, 1));
    view = product(view, translation(0, 0, shift));
    return product(view, translation(0, -0.5, 0));
}

// The fixed close-up camera of scene mode 0.
inline Matrix closeUpCamera() {
    Matrix view = translation(0, 0, -3);
    view = product(view, rotation(10, 0));
    view = product(view, rotation(15, 1));
    return product(view, translation(0, -0.5, 0));
}
