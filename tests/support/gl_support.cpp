// GL test support: one GLUT window per test process, pixel and matrix probes.
#include "support/gl_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/viewer_state.h"
#include "render/render.h"

void openTestWindow() {
    static bool open = false;
    if (std::getenv("DISPLAY") == nullptr || std::getenv("DISPLAY")[0] == '\0') {
        // A skip inside this helper would not stop the test body: leave the
        // process with the status that CTest reports as skipped.
        std::fprintf(stderr, "GL tests need an X server: run them through `make test`\n");
        std::exit(glTestSkipped);
    }
    if (!open) {
        int argc = 1;
        char name[] = "gltest";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_STENCIL | GLUT_DEPTH);
        glutInitWindowSize(640, 640);
        glutInitWindowPosition(0, 0);
        glutCreateWindow("gltest");
        open = true;
    }
    viewer = ViewerState{};
    reshape(640, 640);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

Rgb readPixel(GLenum buffer, int x, int y) {
    unsigned char pixel[4] = {};
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glFinish();
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, viewport[3] - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return Rgb{pixel[0], pixel[1], pixel[2]};
}

::testing::AssertionResult pixelsNear(GLenum buffer, int x, int y, int radius, Rgb expected,
                                      int tolerance) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            Rgb seen = readPixel(buffer, x + dx, y + dy);
            if (std::abs(seen.r - expected.r) > tolerance ||
                std::abs(seen.g - expected.g) > tolerance ||
                std::abs(seen.b - expected.b) > tolerance) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x + dx << ", " << y + dy << "): Expected (" << expected.r
                       << ", " << expected.g << ", " << expected.b << ") +-" << tolerance
                       << ", Observed (" << seen.r << ", " << seen.g << ", " << seen.b << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult matricesNear(const float* expected, const float* observed,
                                        float tolerance) {
    for (int i = 0; i < 16; ++i) {
        if (!(std::fabs(expected[i] - observed[i]) <= tolerance)) {
            std::ostringstream text;
            text << "element " << i << ": Expected " << expected[i] << ", Observed " << observed[i]
                 << "\nExpected:";
            for (int k = 0; k < 16; ++k)
                text << ' ' << expected[k];
            text << "\nObserved:";
            for (int k = 0; k < 16; ++k)
                text << ' ' << observed[k];
            return ::testing::AssertionFailure() << text.str();
        }
    }
    return ::testing::AssertionSuccess();
}
