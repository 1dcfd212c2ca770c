// Mouse buttons and drags: the right button turns the camera, the left shifts and zooms it.
#include <GL/glut.h>

#include <algorithm>

#include "app/viewer_state.h"
#include "input/input.h"

void mouse(int button, int state, int x, int y) {
    const int32_t pressed = state == GLUT_DOWN ? 1 : 0;
    if (button == GLUT_LEFT_BUTTON) {
        viewer.leftDragging = pressed;
    } else if (button == GLUT_RIGHT_BUTTON) {
        viewer.rightDragging = pressed;
    }
    viewer.lastMouseX = x;
    viewer.lastMouseY = y;
}

void motion(int x, int y) {
    const int dx = x - viewer.lastMouseX;
    const int dy = y - viewer.lastMouseY;
    // Each value is worked out in double and rounded once it is stored.
    if (viewer.rightDragging != 0) {
        viewer.cameraYaw = static_cast<float>(static_cast<double>(viewer.cameraYaw) - dx);
        // One correction per event only: a huge jump is brought back by later events.
        if (viewer.cameraYaw < 0.0f) {
            viewer.cameraYaw = static_cast<float>(viewer.cameraYaw + 360.0);
        } else if (viewer.cameraYaw > 360.0f) {
            viewer.cameraYaw = static_cast<float>(viewer.cameraYaw - 360.0);
        }
        viewer.cameraPitch = static_cast<float>(static_cast<double>(viewer.cameraPitch) - dy);
        viewer.cameraPitch = std::clamp(viewer.cameraPitch, -90.0f, 0.0f);
    }
    if (viewer.leftDragging != 0) {
        viewer.cameraShift = static_cast<float>(viewer.cameraShift - 0.05 * dx);
        viewer.cameraShift = std::clamp(viewer.cameraShift, -10.0f, 10.0f);
        viewer.cameraDistance = static_cast<float>(viewer.cameraDistance + 0.2 * dy);
        viewer.cameraDistance = std::max(viewer.cameraDistance, 2.0f);
    }
    viewer.lastMouseX = x;
    viewer.lastMouseY = y;
    requestRedisplay();
}
