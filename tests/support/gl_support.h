// GL test support: a real GLUT window with the program's buffers, and pixel and
// matrix probes that report Expected and Observed on failure.
#pragma once

#include <GL/glut.h>
#include <gtest/gtest.h>

// Exit status of a GL test process that had no X server to run on.
constexpr int glTestSkipped = 77;

// Creates (once per process) a 640 x 640 window with double buffer, depth and
// stencil, makes its context current, resets the viewer state and applies the
// reshape callback. Without a DISPLAY it ends the process with glTestSkipped.
void openTestWindow();

struct Rgb {
    int r, g, b;  // 0-255
};

// Reads one pixel of the given buffer (GL_BACK or GL_FRONT); y counts from the
// window's top, as a person looks at it.
Rgb readPixel(GLenum buffer, int x, int y);

// Checks every pixel of a square of side 2 * radius + 1 around (x, y) against
// expected, within tolerance per channel.
::testing::AssertionResult pixelsNear(GLenum buffer, int x, int y, int radius, Rgb expected,
                                      int tolerance);

// Checks two column-major matrices element by element within tolerance.
::testing::AssertionResult matricesNear(const float* expected, const float* observed,
                                        float tolerance);
