// Program entry: the window, the callbacks, start-up and the GLUT main loop.
#include <GL/glut.h>

#include "app/app.h"
#include "app/viewer_state.h"
#include "identity/identity.h"
#include "input/input.h"
#include "platform/platform.h"
#include "render/render.h"

int main(int argc, char** argv) {
    platformOpenStandardStreams();
    glutInit(&argc, argv);
    // freeglut allocates a depth buffer only when asked for one.
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_STENCIL | GLUT_DEPTH);
    glutInitWindowSize(640, 640);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Sample Program for CG Report");

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(special);
    glutIdleFunc(idle);

    initEnvironment();
    identifyStudent();

    platformBeginTiming();
    // The clock starts here, so time spent at the ID prompt is not animated.
    viewer.lastTickTime = platformMilliseconds();
    glutMainLoop();
    // Closing the window usually ends the process inside the loop; the system
    // then ends the timing request itself.
    platformEndTiming();
    return 0;
}
