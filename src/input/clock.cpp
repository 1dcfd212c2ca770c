// The animation clock: the idle callback advances the angles by elapsed time.
#include "app/viewer_state.h"
#include "input/input.h"
#include "platform/platform.h"

float wrapAngle(float angle) {
    while (angle > 360.0f) {
        angle -= 360.0f;
    }
    while (angle < 0.0f) {
        angle += 360.0f;
    }
    return angle;
}

void idle() {
    const uint32_t now = platformMilliseconds();
    // Unsigned difference: correct across the 32-bit wrap-around of the clock.
    const float elapsed = static_cast<float>(now - viewer.lastTickTime);
    const float step = static_cast<float>(viewer.animationSpeed) * 0.1f;
    viewer.orbitAngle = wrapAngle(viewer.orbitAngle + step * elapsed);
    viewer.fastAngle = wrapAngle(viewer.fastAngle + (step + step) * elapsed);
    viewer.slowAngle = wrapAngle(viewer.slowAngle + (step * 0.5f) * elapsed);
    viewer.lastTickTime = now;
    requestRedisplay();
}
