// The frame pass: camera matrices of the scene modes, the status line, reshape.
#include <cmath>

#include "app/app.h"
#include "app/viewer_state.h"
#include "input/input.h"
#include "render/render.h"
#include "support/gl_support.h"
#include "support/reference_matrix.h"

namespace {

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
            EXPECT_TRUE(savedViewIs(camera(s[0], s[1], s[2], s[3], s[4])))
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
    EXPECT_TRUE(savedViewIs(camera(3, 0, -80, 200, 9)));
}

TEST(FramePass, LeavesTheFixedStateAndTheModelviewMode) {
    openTestWindow();
    initFixedState();
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
    initFixedState();
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
