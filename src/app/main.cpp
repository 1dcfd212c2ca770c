// Program entry: texture and student first, then the window, start-up and the GLUT main loop.
#include <GL/glut.h>

#include "app/app.h"
#include "app/viewer_state.h"
#include "identity/identity.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    platformOpenStandardStreams();
    startGlut(&argc, argv);
    readFloorTexture();
    // Asked before the window exists, so that the console keeps the keyboard
    // and nothing typed here reaches the window's keys.
    identifyStudent();
    openWindow();
    registerCallbacks();
    initEnvironment();
    applyPersonalSeed();

    platformBeginTiming();
    viewer.lastTickTime = platformMilliseconds();
    glutMainLoop();
    // Closing the window usually ends the process inside the loop; the system
    // then ends the timing request itself.
    platformEndTiming();
    return 0;
}
