// Wiring the program's handlers to GLUT's events.
#include <GL/glut.h>

#include "app/app.h"
#include "input/input.h"
#include "render/render.h"

void registerCallbacks() {
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(special);
    glutIdleFunc(idle);
}
