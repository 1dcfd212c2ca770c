// Application frame: one-time start-up of the OpenGL state and the scene.
#pragma once

// Fixed OpenGL state and light 0, the floor texture (fatal box and exit -1 when
// it cannot be read), the glyph catalogue, model 0, the first status line and
// animation selection. Needs a current OpenGL context.
void initEnvironment();
