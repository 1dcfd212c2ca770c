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
    openWindow(&argc, argv);

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
