// Rendering: the frame pass, the textured floor and its tiles, the choreography
// of the actors, and the model with its stencil planar shadow.
#pragma once

// GLUT display callback: drawFrame, then swaps the buffers.
void display();

// Draws one whole frame into the back buffer without swapping: clears colour,
// depth and stencil, sets the camera of viewer.sceneMode, records it in
// viewer.savedViewMatrix, places light 0, draws the floor and the actors
// (twelve phases when showAllPhases) and the status line when showOverlay.
// The same state gives the same picture, whichever frame it is.
void drawFrame();

// GLUT reshape callback: viewport and 45-degree perspective (near 1, far 500)
// for the new size, which it records in viewer.windowWidth/windowHeight. A
// height of 0 keeps the previous projection.
void reshape(int width, int height);

// Draws the 10 x 10 textured floor in y = 0 under the current camera, showing
// the selected tile; texturing is enabled only while it draws.
void drawFloor();

// Selects texture tile n mod 13 (n >= 0): sets viewer.textureIndex and the tile
// transform, then reformats the status line.
void selectTexture(int n);

// Texture coordinate of floor grid position (x or z, -5..5) for the given tile
// scale and offset, computed as drawFloor does. Plain code.
float floorTexCoord(int gridPosition, float scale, float offset);

// Draws the actors of one scene pass with drawModelWithShadow: the green centre
// actor, and in scene mode 2 the red, blue and yellow actors by their patterns.
// Expects the modelview matrix to be the frame's view; leaves it changed (the
// caller pushes and pops around the call).
void drawScene();

// foldAngle(x): x if x > 180, otherwise 360 - x (turns a rising angle into a swing).
float foldAngle(float x);

// Sine of x degrees, with x widened to double and x * 3.1415926 / 180.
double sinRad(float x);

// Draws viewer.currentModel (present) where the modelview matrix places it, then
// its shadow flattened onto y = 0.01 through the stencil buffer, darkening each
// pixel at most once per frame. Leaves the modelview matrix as at entry, the
// current colour at the shadow colour, lighting and culling on, blending and
// the stencil test off (as they are at every call).
void drawModelWithShadow();

// Writes the inverse of viewer.savedViewMatrix into out (column-major); writes
// nothing when the determinant is exactly 0. Returns whether it wrote. Plain code.
bool invertViewMatrix(float out[16]);

// out = a x b for column-major 4 x 4 matrices, in single precision. Plain code.
void multiplyMatrices(const float a[16], const float b[16], float out[16]);
