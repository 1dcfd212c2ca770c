// Character keys: clock, camera reset, display options and texture tiles.
#include <gtest/gtest.h>

#include <string>

#include "identity/fresh_scene.h"
#include "identity/identity.h"
#include "input/input.h"
#include "render/render.h"

namespace {

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override { startFreshScene(); }
};

TEST_F(Keyboard, SpaceStopsAndRestartsTheClock) {
    keyboard(' ', 0, 0);
    EXPECT_EQ(viewer.animationSpeed, 0);
    keyboard(' ', 0, 0);
    EXPECT_EQ(viewer.animationSpeed, 1);
}

TEST_F(Keyboard, RResetsTwoAnglesButNotTheFastOne) {
    viewer.orbitAngle = 50.0f;
    viewer.fastAngle = 100.0f;
    viewer.slowAngle = 25.0f;
    keyboard('r', 0, 0);
    EXPECT_EQ(viewer.orbitAngle, 0.0f);
    EXPECT_EQ(viewer.fastAngle, 100.0f);
    EXPECT_EQ(viewer.slowAngle, 0.0f);
}

TEST_F(Keyboard, NStepsTheClockAndWrapsTheAngles) {
    viewer.animationSpeed = 0;
    viewer.orbitAngle = 358.0f;
    viewer.fastAngle = 355.0f;
    viewer.slowAngle = 100.0f;
    keyboard('n', 0, 0);
    EXPECT_FLOAT_EQ(viewer.orbitAngle, 3.0f);
    EXPECT_FLOAT_EQ(viewer.fastAngle, 5.0f);
    EXPECT_FLOAT_EQ(viewer.slowAngle, 102.5f);
    keyboard('n', 0, 0);
    EXPECT_FLOAT_EQ(viewer.orbitAngle, 8.0f);
    EXPECT_FLOAT_EQ(viewer.fastAngle, 15.0f);
    EXPECT_FLOAT_EQ(viewer.slowAngle, 105.0f);
}

TEST_F(Keyboard, VResetsTheOrbitButKeepsTheShift) {
    viewer.cameraYaw = 123.0f;
    viewer.cameraPitch = -70.0f;
    viewer.cameraRoll = 12.0f;
    viewer.cameraDistance = 40.0f;
    viewer.cameraShift = -4.5f;
    keyboard('v', 0, 0);
    EXPECT_EQ(viewer.cameraYaw, -30.0f);
    EXPECT_EQ(viewer.cameraPitch, -30.0f);
    EXPECT_EQ(viewer.cameraRoll, 0.0f);
    EXPECT_EQ(viewer.cameraDistance, 15.0f);
    EXPECT_EQ(viewer.cameraShift, -4.5f);
}

TEST_F(Keyboard, CLevelsTheRollOnly) {
    viewer.cameraRoll = 12.0f;
    viewer.cameraYaw = 123.0f;
    keyboard('c', 0, 0);
    EXPECT_EQ(viewer.cameraRoll, 0.0f);
    EXPECT_EQ(viewer.cameraYaw, 123.0f);
}

TEST_F(Keyboard, AAndDToggleTheirOptions) {
    keyboard('a', 0, 0);
    EXPECT_EQ(viewer.showAllPhases, 1);
    keyboard('a', 0, 0);
    EXPECT_EQ(viewer.showAllPhases, 0);
    keyboard('d', 0, 0);
    EXPECT_EQ(viewer.showOverlay, 0);
    keyboard('d', 0, 0);
    EXPECT_EQ(viewer.showOverlay, 1);
}

TEST_F(Keyboard, CommaStopsAtTheFirstTile) {
    selectTexture(5);
    keyboard(',', 0, 0);
    EXPECT_EQ(viewer.textureIndex, 4);
    selectTexture(0);
    keyboard(',', 0, 0);
    EXPECT_EQ(viewer.textureIndex, 0);
    EXPECT_EQ(viewer.showStudentId, 0);
    EXPECT_STREQ(viewer.statusText, "Model 0/38, Animation 1/7 1/3 7/12, Texture 0");
}

TEST_F(Keyboard, PeriodWrapsFromTheLastTileToTheFirst) {
    selectTexture(11);
    keyboard('.', 0, 0);
    EXPECT_EQ(viewer.textureIndex, 12);
    EXPECT_STREQ(viewer.statusText, "Model 0/38, Animation 1/7 1/3 7/12, Texture 12");
    keyboard('.', 0, 0);
    EXPECT_EQ(viewer.textureIndex, 0);
    EXPECT_STREQ(viewer.statusText, "Model 0/38, Animation 1/7 1/3 7/12, Texture 0");
}

// The tile keys step from the personal tile, which the seed set.
TEST_F(Keyboard, TileKeysStepFromThePersonalTile) {
    viewer.studentIdText = "12345678";
    viewer.personalSeed = 12345678;
    applyPersonalSeed();
    keyboard('.', 0, 0);
    EXPECT_EQ(viewer.textureIndex, 8);
    keyboard(',', 0, 0);
    keyboard(',', 0, 0);
    EXPECT_EQ(viewer.textureIndex, 6);
}

TEST_F(Keyboard, OtherKeysAndUpperCaseDoNothing) {
    viewer.orbitAngle = 50.0f;
    viewer.fastAngle = 100.0f;
    viewer.slowAngle = 25.0f;
    viewer.cameraYaw = 123.0f;
    viewer.cameraRoll = 12.0f;
    viewer.studentIdText = "12345678";
    updateStatusText();
    for (unsigned char key : std::string("RNVCAD<>xq\r\x1b\x7f") + '\0' + "\xff") {
        SCOPED_TRACE(static_cast<int>(key));
        keyboard(key, 0, 0);
        EXPECT_EQ(viewer.animationSpeed, 1);
        EXPECT_EQ(viewer.orbitAngle, 50.0f);
        EXPECT_EQ(viewer.fastAngle, 100.0f);
        EXPECT_EQ(viewer.slowAngle, 25.0f);
        EXPECT_EQ(viewer.cameraYaw, 123.0f);
        EXPECT_EQ(viewer.cameraRoll, 12.0f);
        EXPECT_EQ(viewer.showAllPhases, 0);
        EXPECT_EQ(viewer.showOverlay, 1);
        EXPECT_EQ(viewer.textureIndex, 0);
        EXPECT_EQ(viewer.showStudentId, 1);
        EXPECT_STREQ(viewer.statusText, "Student ID: 12345678");
    }
}

TEST_F(Keyboard, KeysRequestNoRedisplay) {
    for (unsigned char key : std::string(" rnvcad,.")) {
        keyboard(key, 0, 0);
    }
    EXPECT_EQ(redisplayRequests, 0);
}

}  // namespace
