// The font identifier that GLUT's header names and Emscripten's GLUT lacks.
#include <GL/glut.h>

// GLUT_BITMAP_HELVETICA_18 is this variable's address; glutBitmapCharacter
// (src/platform/web/gl_emulation_web.js) draws the only font the program uses.
void* glutBitmapHelvetica18 = nullptr;
