// Interaction and timing: mouse and keyboard handlers, the animation clock, the
// selection operations and the status line.
#pragma once

// GLUT mouse callback: the left and right buttons set and clear their drag
// flags; every event records the pointer position.
void mouse(int button, int state, int x, int y);

// GLUT motion callback: a right drag turns the camera, a left drag shifts and
// zooms it; records the position and requests a redisplay.
void motion(int x, int y);

// GLUT keyboard callback: space, r, n, v, c, a, d, ',' and '.' (case-sensitive).
void keyboard(unsigned char key, int x, int y);

// GLUT special-key callback: F1-F3 scene modes, arrows for model and animation,
// Page Up and Page Down both back to the registered student's own scene.
void special(int key, int x, int y);

// GLUT idle callback: advances the three angles by the time elapsed since the
// last tick (0.1, 0.2 and 0.05 degrees per ms x animationSpeed) and requests a
// redisplay, also while the animation stands still.
void idle();

// Brings an angle into [0, 360]: subtracts 360 while above 360, then adds 360
// while below 0.
float wrapAngle(float angle);

// Asks GLUT for a redisplay (separate so that tests can count the requests).
void requestRedisplay();

// Selects model index mod viewer.modelCount (index >= 0, catalogue built),
// building its mesh on first use, and reformats the status line.
void selectModel(int index);

// Spreads number (>= 0) over the pattern variables (mod 7, mod 3, mod 12 split
// into roundPattern and roundDirection) and reformats the status line.
void selectAnimation(int number);

// Rewrites viewer.statusText: "Student ID: %s" while showStudentId, otherwise
// "Model %d/%d, Animation %d/7 %d/3 %d/12, Texture %d". Never overruns the buffer.
void updateStatusText();
