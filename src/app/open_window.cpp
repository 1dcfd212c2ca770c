// The program's one GLUT window.
#include <GL/glut.h>

#include "app/app.h"

void openWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    // freeglut allocates a depth buffer only when asked for one.
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_STENCIL | GLUT_DEPTH);
    glutInitWindowSize(640, 640);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Sample Program for CG Report");
}
