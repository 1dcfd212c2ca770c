// GLUT's set-up and the program's one window.
#include <GL/glut.h>

#include "app/app.h"
#include "platform/platform.h"

void initGlut(int* argc, char** argv) {
    glutInit(argc, argv);
    // freeglut allocates a depth buffer only when asked for one.
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_STENCIL | GLUT_DEPTH);
    glutInitWindowSize(640, 640);
    glutInitWindowPosition(0, 0);
}

void startGlut(int* argc, char** argv) {
    platformReportMissingDisplay();
    initGlut(argc, argv);
}

void openWindow() {
    glutCreateWindow("Sample Program for CG Report");
    // The console had the keyboard for the prompt; the picture is what comes next.
    platformWindowToFront();
}
