// The cheapest GLUT frame loop: the window of cgdemo, cleared and swapped on
// every idle tick. What the benchmark compares cgdemo's frame rate with.
#include <GL/glut.h>

#include <cstdio>

namespace {

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glutSwapBuffers();
}

void idle() {
    glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_STENCIL | GLUT_DEPTH);
    glutInitWindowSize(640, 640);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("clear and swap");
    glutDisplayFunc(display);
    glutIdleFunc(idle);
    glClearColor(0.5f, 0.5f, 0.8f, 0.0f);
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::fflush(stdout);
    glutMainLoop();
    return 0;
}
