// Character keys: the animation clock, the camera reset, display options and the floor tile.
#include "app/viewer_state.h"
#include "input/input.h"
#include "render/render.h"

void keyboard(unsigned char key, int, int) {
    switch (key) {
        case ' ':
            viewer.animationSpeed = viewer.animationSpeed > 0 ? 0 : 1;
            break;
        case 'r':
            // fastAngle keeps running from where it is.
            viewer.orbitAngle = 0.0f;
            viewer.slowAngle = 0.0f;
            break;
        case 'n':
            // The step 50 ms of the running clock would make.
            viewer.orbitAngle = wrapAngle(viewer.orbitAngle + 5.0f);
            viewer.fastAngle = wrapAngle(viewer.fastAngle + 10.0f);
            viewer.slowAngle = wrapAngle(viewer.slowAngle + 2.5f);
            break;
        case 'v':
            // The shift stays: only the orbit is reset.
            viewer.cameraYaw = -30.0f;
            viewer.cameraPitch = -30.0f;
            viewer.cameraRoll = 0.0f;
            viewer.cameraDistance = 15.0f;
            break;
        case 'c':
            viewer.cameraRoll = 0.0f;
            break;
        case 'a':
            viewer.showAllPhases = viewer.showAllPhases == 0 ? 1 : 0;
            break;
        case 'd':
            viewer.showOverlay = viewer.showOverlay == 0 ? 1 : 0;
            break;
        case ',':
            if (viewer.textureIndex > 0) {
                --viewer.textureIndex;
            }
            viewer.showStudentId = 0;
            selectTexture(viewer.textureIndex);
            break;
        case '.':
            // selectTexture wraps the tile after the last one to 0.
            ++viewer.textureIndex;
            viewer.showStudentId = 0;
            selectTexture(viewer.textureIndex);
            break;
        default:
            break;
    }
}
