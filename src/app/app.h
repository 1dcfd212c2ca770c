// Application frame: GLUT, the texture, the window and the one-time start-up of the OpenGL state
// and the scene.
#pragma once

// Initialises GLUT with the command line (it takes its own options, such as
// -display, out of it) and sets up the window to come: 640 x 640 at (0, 0),
// double-buffered with a depth and an 8-bit stencil buffer. Opens no window.
// On Linux it connects to the X display; how a failure is reported is up to
// the GLUT error handler installed before (freeglut's own: a line and exit 1).
void initGlut(int* argc, char** argv);

// initGlut for the program, with platformReportMissingDisplay's report of a
// display that cannot be opened (one line, exit status 1, no box).
void startGlut(int* argc, char** argv);

// Reads the floor texture into viewer.texturePixels. When it cannot be read:
// a line on standard error saying where it was looked for (if it is nowhere),
// the fatal box and exit -1. Needs no window.
void readFloorTexture();

// After initGlut: opens the program's window "Sample Program for CG Report",
// makes its context current and brings it to the front.
void openWindow();

// Registers the seven GLUT callbacks: display, reshape, mouse, motion,
// keyboard, special and idle, in that order.
void registerCallbacks();

// The fixed OpenGL state every frame relies on: light 0 with its parameters,
// lighting, colour material, depth test, back-face culling, the clear colour.
void initFixedState();

// Fixed OpenGL state and light 0, the upload of the floor texture (which must
// have been read), the glyph catalogue, model 0, the first status line and
// animation selection. Needs a current OpenGL context.
void initEnvironment();

// After initEnvironment: every viewer variable back to the value it has when
// initEnvironment returns, except what start-up made once and the window,
// which are kept: the glyph table (with the meshes built so far), the texture
// and the window size. The scene of a fresh start before identification, for
// drawing one student after another in one process. Touches no OpenGL state.
void restartScene();
