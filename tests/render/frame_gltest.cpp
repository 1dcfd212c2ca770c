// The frame pass: camera matrices of the scene modes, the status line, reshape.
#include <cmath>

#include "app/viewer_state.h"
#include "input/input.h"
#include "render/render.h"
#include "support/gl_support.h"

namespace {

// Column-major 4 x 4 helpers, in double, independent of the code under test.
struct Matrix {
    double m[16];
};

Matrix identity() {
    Matrix r = {};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0;
    return r;
}

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix r = {};
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 4; ++row) {
            for (int k = 0; k < 4; ++k) {
                r.m[4 * c + row] += a.m[4 * k + row] * b.m[4 * c + k];
            }
        }
    }
    return r;
}

Matrix translate(double x, double y, double z) {
    Matrix r = identity();
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

// Rotation by degrees about a unit axis: 0 = x, 1 = y, 2 = z.
Matrix rotate(double degrees, int axis) {
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    Matrix r = identity();
    const int i = (axis + 1) % 3;
    const int j = (axis + 2) % 3;
    r.m[4 * i + i] = c;
    r.m[4 * j + j] = c;
    r.m[4 * i + j] = s;
    r.m[4 * j + i] = -s;
    return r;
}

Matrix orbitCamera(double distance, double roll, double pitch, double yaw, double shift) {
    Matrix view = translate(0, 0, -distance);
    view = multiply(view, rotate(-roll, 2));
    view = multiply(view, rotate(-pitch, 0));
    view = multiply(view, rotate(-yaw, 1));
    view = multiply(view, translate(0, 0, shift));
    return multiply(view, translate(0, -0.5, 0));
}

Matrix closeUpCamera() {
    Matrix view = translate(0, 0, -3);
    view = multiply(view, rotate(10, 0));
    view = multiply(view, rotate(15, 1));
    return multiply(view, translate(0, -0.5, 0));
}

::testing::AssertionResult savedViewIs(const Matrix& expected) {
    float asFloats[16];
    for (int i = 0; i < 16; ++i)
        asFloats[i] = static_cast<float>(expected.m[i]);
    return matricesNear(asFloats, viewer.savedViewMatrix, 1e-5f);
}

// Mesa's swap copies the back buffer to the window and keeps it, so a frame
// that display() has swapped can still be read from GL_BACK.
int redPixelsInStatusBand() {
    int count = 0;
    for (int y = 8; y < 32; y += 1) {
        for (int x = 8; x < 200; x += 2) {
            const Rgb p = readPixel(GL_BACK, x, y);
            if (p.r > 150 && p.g < 60 && p.b < 60)
                ++count;
        }
    }
    return count;
}

void setCamera(float distance, float roll, float pitch, float yaw, float shift) {
    viewer.cameraDistance = distance;
    viewer.cameraRoll = roll;
    viewer.cameraPitch = pitch;
    viewer.cameraYaw = yaw;
    viewer.cameraShift = shift;
}

// The fixed state that start-up leaves and every frame relies on.
void enableStartUpState() {
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glClearColor(0.5f, 0.5f, 0.8f, 0.0f);
}

}  // namespace

TEST(FramePass, RecordsTheOrbitCameraInModesOneAndTwo) {
    openTestWindow();
    const float settings[][5] = {{15, 0, -30, -30, 0},
                                 {2, 0, 0, 0, 0},
                                 {40.5f, 0, -90, 320, -10},
                                 {7, 0, -45, 123.5f, 4.25f}};
    for (int mode = 1; mode <= 2; ++mode) {
        for (const auto& s : settings) {
            viewer.sceneMode = mode;
            setCamera(s[0], s[1], s[2], s[3], s[4]);
            display();
            EXPECT_TRUE(savedViewIs(orbitCamera(s[0], s[1], s[2], s[3], s[4])))
                << "mode " << mode << ", distance " << s[0] << ", yaw " << s[3];
        }
    }
}

TEST(FramePass, SceneModeZeroIgnoresTheCameraVariables) {
    openTestWindow();
    viewer.sceneMode = 0;
    display();
    EXPECT_TRUE(savedViewIs(closeUpCamera()));
    setCamera(3, 0, -80, 200, 9);
    display();
    EXPECT_TRUE(savedViewIs(closeUpCamera()));
    // The variables are kept for the orbit modes.
    viewer.sceneMode = 1;
    display();
    EXPECT_TRUE(savedViewIs(orbitCamera(3, 0, -80, 200, 9)));
}

TEST(FramePass, LeavesTheFixedStateAndTheModelviewMode) {
    openTestWindow();
    enableStartUpState();
    for (int overlay = 0; overlay <= 1; ++overlay) {
        viewer.showOverlay = overlay;
        display();
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "overlay " << overlay;
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "overlay " << overlay;
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
    }
}

TEST(FramePass, DrawsTheStatusLineInRedOnlyWithTheOverlay) {
    openTestWindow();
    enableStartUpState();
    std::snprintf(viewer.statusText, sizeof viewer.statusText, "Student ID: 12345678");
    viewer.showOverlay = 1;
    display();
    EXPECT_GT(redPixelsInStatusBand(), 40);
    viewer.showOverlay = 0;
    display();
    EXPECT_EQ(redPixelsInStatusBand(), 0);
    // The clear colour stands where neither the line nor the scene is.
    EXPECT_TRUE(pixelsNear(GL_BACK, 600, 40, 4, Rgb{127, 127, 204}, 2));
}

TEST(Reshape, SetsTheViewportAndPerspective) {
    openTestWindow();
    reshape(320, 160);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 160);
    EXPECT_EQ(viewer.windowWidth, 320);
    EXPECT_EQ(viewer.windowHeight, 160);
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // gluPerspective(45, 2, 1, 500): f = 1 / tan(22.5 degrees).
    const float f = static_cast<float>(1.0 / std::tan(22.5 * M_PI / 180.0));
    EXPECT_NEAR(projection[0], f / 2.0f, 1e-5f);
    EXPECT_NEAR(projection[5], f, 1e-5f);
    EXPECT_NEAR(projection[10], -501.0f / 499.0f, 1e-5f);
}

TEST(Reshape, AZeroHeightKeepsTheLastFiniteProjection) {
    openTestWindow();
    float before[16];
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    reshape(640, 0);
    float after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (float value : after) {
        EXPECT_TRUE(std::isfinite(value));
    }
    EXPECT_TRUE(matricesNear(before, after, 0.0f));
    EXPECT_EQ(viewer.windowHeight, 0);
    display();  // a frame at zero height must not fail either
}
