// The viewer state's initial values, which every later behaviour starts from.
#include <gtest/gtest.h>

#include "app/viewer_state.h"

TEST(ViewerState, StartsWithTheInitialCameraAndClock) {
    const ViewerState state;
    EXPECT_EQ(state.cameraDistance, 15.0f);
    EXPECT_EQ(state.cameraPitch, -30.0f);
    EXPECT_EQ(state.cameraYaw, -30.0f);
    EXPECT_EQ(state.cameraRoll, 0.0f);
    EXPECT_EQ(state.cameraShift, 0.0f);
    EXPECT_EQ(state.sceneMode, 2);
    EXPECT_EQ(state.leftDragging, 0);
    EXPECT_EQ(state.rightDragging, 0);
    EXPECT_EQ(state.orbitAngle, 0.0f);
    EXPECT_EQ(state.fastAngle, 0.0f);
    EXPECT_EQ(state.slowAngle, 0.0f);
    EXPECT_EQ(state.animationSpeed, 1);
    EXPECT_EQ(state.lastTickTime, 0u);
}

TEST(ViewerState, StartsWithOverlayAndStudentIdShownAndNothingSelected) {
    const ViewerState state;
    EXPECT_EQ(state.showOverlay, 1);
    EXPECT_EQ(state.showAllPhases, 0);
    EXPECT_EQ(state.showStudentId, 1);
    EXPECT_EQ(state.modelCount, 0);
    EXPECT_EQ(state.currentModel, nullptr);
    for (GlyphModel* entry : state.modelTable) {
        EXPECT_EQ(entry, nullptr);
    }
    EXPECT_EQ(state.roundDirection, 0);
    EXPECT_EQ(state.textureIndex, 0);
    EXPECT_FLOAT_EQ(state.tileScaleU, 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(state.tileOffsetV, 1.0f / 3.0f);
    EXPECT_EQ(state.personalSeed, 0);
    EXPECT_EQ(state.loginName, nullptr);
    EXPECT_EQ(state.studentIdText, nullptr);
    EXPECT_STREQ(state.statusText, "");
    EXPECT_EQ(state.texturePixels, nullptr);
    for (float value : state.savedViewMatrix) {
        EXPECT_EQ(value, 0.0f);
    }
}
