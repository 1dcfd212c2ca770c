// Special keys: scene modes, stepping model and animation, and back to the registered scene.
#include <GL/glut.h>

#include "app/viewer_state.h"
#include "identity/identity.h"
#include "input/input.h"

void special(int key, int, int) {
    switch (key) {
        case GLUT_KEY_F1:
            viewer.sceneMode = 0;
            break;
        case GLUT_KEY_F2:
            viewer.sceneMode = 1;
            break;
        case GLUT_KEY_F3:
            viewer.sceneMode = 2;
            break;
        case GLUT_KEY_LEFT:
            // The catalogue does not wrap around.
            if (viewer.modelIndex > 0) {
                --viewer.modelIndex;
            }
            viewer.showStudentId = 0;
            selectModel(viewer.modelIndex);
            break;
        case GLUT_KEY_RIGHT:
            if (viewer.modelIndex < viewer.modelCount - 1) {
                ++viewer.modelIndex;
            }
            viewer.showStudentId = 0;
            selectModel(viewer.modelIndex);
            break;
        case GLUT_KEY_UP:
            if (viewer.animationNumber > 0) {
                --viewer.animationNumber;
            }
            viewer.showStudentId = 0;
            selectAnimation(viewer.animationNumber);
            break;
        case GLUT_KEY_DOWN:
            // No upper end: the patterns repeat every 84 numbers.
            ++viewer.animationNumber;
            viewer.showStudentId = 0;
            selectAnimation(viewer.animationNumber);
            break;
        case GLUT_KEY_PAGE_UP:
        case GLUT_KEY_PAGE_DOWN:
            restoreRegisteredSelection();
            break;
        default:
            break;
    }
}
