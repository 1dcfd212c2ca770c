// The redisplay request, apart so that tests without a window can count it.
#include <GL/glut.h>

#include "input/input.h"

void requestRedisplay() {
    glutPostRedisplay();
}
