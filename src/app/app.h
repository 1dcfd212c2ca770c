// Application frame: the window and the one-time start-up of the OpenGL state and the scene.
#pragma once

// Initialises GLUT with the command line (it takes its own options, such as
// -display, out of it) and opens the program's window, making its context
// current: "Sample Program for CG Report", 640 x 640 at (0, 0), double-buffered
// with a depth and an 8-bit stencil buffer.
void openWindow(int* argc, char** argv);

// The fixed OpenGL state every frame relies on: light 0 with its parameters,
// lighting, colour material, depth test, back-face culling, the clear colour.
void initFixedState();

// Fixed OpenGL state and light 0, the floor texture (fatal box and exit -1 when
// it cannot be read), the glyph catalogue, model 0, the first status line and
// animation selection. Needs a current OpenGL context. Reads the texture only
// when viewer.texturePixels is still absent.
void initEnvironment();

// After initEnvironment: every viewer variable back to the value it has when
// initEnvironment returns, except what start-up made once and the window,
// which are kept: the glyph table (with the meshes built so far), the texture
// and the window size. The scene of a fresh start before identification, for
// drawing one student after another in one process. Touches no OpenGL state.
void restartScene();
