// Application frame: one-time start-up of the OpenGL state and the scene.
#pragma once

// The fixed OpenGL state every frame relies on: light 0 with its parameters,
// lighting, colour material, depth test, back-face culling, the clear colour.
void initFixedState();

// Fixed OpenGL state and light 0, the floor texture (fatal box and exit -1 when
// it cannot be read), the glyph catalogue, model 0, the first status line and
// animation selection. Needs a current OpenGL context.
void initEnvironment();
