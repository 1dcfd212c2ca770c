// Special keys: scene modes, model and animation steps, and the registered scene.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <tuple>

#include "identity/fresh_scene.h"
#include "identity/identity.h"
#include "input/input.h"
#include "render/render.h"

namespace {

void press(int key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        special(key, 0, 0);
    }
}

class SpecialKeys : public ::testing::Test {
protected:
    void SetUp() override { startFreshScene(); }

    // Identifies as the user loginName, typing typed if asked for an ID.
    static void identify(const char* loginName, const char* typed = "") {
        platformDouble.loginName = loginName;
        Console console(typed);
        identifyStudentFrom(console.in, console.out);
        applyPersonalSeed();
    }
};

TEST_F(SpecialKeys, FunctionKeysChooseTheSceneMode) {
    press(GLUT_KEY_F1);
    EXPECT_EQ(viewer.sceneMode, 0);
    press(GLUT_KEY_F2);
    EXPECT_EQ(viewer.sceneMode, 1);
    press(GLUT_KEY_F3);
    EXPECT_EQ(viewer.sceneMode, 2);
    EXPECT_EQ(viewer.showStudentId, 1);
}

TEST_F(SpecialKeys, ModelKeysStopAtBothEnds) {
    viewer.studentIdText = "12345678";
    press(GLUT_KEY_LEFT);
    EXPECT_EQ(viewer.modelIndex, 0);
    EXPECT_EQ(viewer.showStudentId, 0);
    EXPECT_STREQ(viewer.statusText, "Model 0/38, Animation 1/7 1/3 7/12, Texture 0");

    selectModel(36);
    press(GLUT_KEY_RIGHT);
    EXPECT_EQ(viewer.modelIndex, 37);
    EXPECT_EQ(viewer.currentModel, viewer.modelTable[37]);
    EXPECT_GT(viewer.currentModel->meshTriangleCount, 0);
    press(GLUT_KEY_RIGHT);
    EXPECT_EQ(viewer.modelIndex, 37);
    EXPECT_STREQ(viewer.statusText, "Model 37/38, Animation 1/7 1/3 7/12, Texture 0");
    press(GLUT_KEY_LEFT, 2);
    EXPECT_EQ(viewer.modelIndex, 35);
    EXPECT_EQ(viewer.currentModel, viewer.modelTable[35]);
}

TEST_F(SpecialKeys, AnimationKeysStopAtZeroAndCycleEvery84) {
    press(GLUT_KEY_UP);
    EXPECT_EQ(viewer.animationNumber, 0);
    EXPECT_EQ(viewer.showStudentId, 0);
    EXPECT_EQ(animationPatterns(), std::make_tuple(0, 0, 0, 1));

    // Each press selects the next number; selection_test checks what each number shows.
    for (int number = 1; number <= 84; ++number) {
        press(GLUT_KEY_DOWN);
        ASSERT_EQ(viewer.animationNumber, number);
        if (number == 6) {
            EXPECT_EQ(animationPatterns(), std::make_tuple(6, 0, 0, 0));
        }
    }
    EXPECT_EQ(viewer.animationNumber, 84);
    EXPECT_EQ(animationPatterns(), std::make_tuple(0, 0, 0, 1));
    press(GLUT_KEY_UP);
    EXPECT_EQ(viewer.animationNumber, 83);
}

// Arrows and tile keys step from their own counters, not from the personal animation.
TEST_F(SpecialKeys, AfterIdentificationTheKeysStepFromTheRightPlaces) {
    identify("tester", "12345678");
    const int personalModel = 12345678 % 38;
    press(GLUT_KEY_RIGHT);
    EXPECT_EQ(viewer.modelIndex, personalModel + 1);
    press(GLUT_KEY_DOWN);
    EXPECT_EQ(viewer.animationNumber, 1);
    EXPECT_EQ(animationPatterns(), std::make_tuple(1, 1, 1, 1));
    press(GLUT_KEY_UP);
    EXPECT_EQ(animationPatterns(), std::make_tuple(0, 0, 0, 1));
}

TEST_F(SpecialKeys, PageDownBringsTheRegisteredSceneBack) {
    identify("cgstudent");
    press(GLUT_KEY_RIGHT);
    press(GLUT_KEY_DOWN, 3);
    keyboard('.', 0, 0);
    ASSERT_EQ(viewer.showStudentId, 0);

    press(GLUT_KEY_PAGE_DOWN);
    EXPECT_STREQ(viewer.statusText, "Student ID: CG-2026-0001");
    EXPECT_EQ(viewer.modelIndex, 20260401 % 38);
    EXPECT_EQ(viewer.textureIndex, 20260401 % 13);
    EXPECT_EQ(viewer.orbitPattern, 20260401 % 7);
    EXPECT_EQ(viewer.bobPattern, 20260401 % 3);
    EXPECT_EQ(viewer.animationNumber, 3);
}

TEST_F(SpecialKeys, PageUpBringsTheRegisteredSceneBackWhenThereIsASeed) {
    identify("cgstudent");
    press(GLUT_KEY_LEFT);
    press(GLUT_KEY_PAGE_UP);
    EXPECT_STREQ(viewer.statusText, "Student ID: CG-2026-0001");
    EXPECT_EQ(viewer.modelIndex, 20260401 % 38);
}

// Both keys bring back the registered entry, whatever seed the scene had.
TEST_F(SpecialKeys, PageKeysRestoreWhateverTheSeedWas) {
    for (int key : {GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_DOWN}) {
        for (int seed : {0, -1}) {
            SCOPED_TRACE(seed);
            startFreshScene();
            viewer.loginName = "cgstudent";
            viewer.personalSeed = seed;
            viewer.showStudentId = 0;
            selectModel(5);
            press(key);
            EXPECT_EQ(viewer.personalSeed, 20260401);
            EXPECT_EQ(viewer.modelIndex, 20260401 % 38);
            EXPECT_STREQ(viewer.statusText, "Student ID: CG-2026-0001");
        }
    }
}

TEST_F(SpecialKeys, PageKeysDoNothingAfterATypedId) {
    identify("tester", "ab12CD9z");
    press(GLUT_KEY_RIGHT);
    const int model = viewer.modelIndex;
    press(GLUT_KEY_PAGE_DOWN);
    press(GLUT_KEY_PAGE_UP);
    EXPECT_EQ(viewer.modelIndex, model);
    EXPECT_EQ(viewer.showStudentId, 0);
    EXPECT_EQ(viewer.personalSeed, 12123496);
    EXPECT_STREQ(viewer.studentIdText, "ab12CD9z");
}

TEST_F(SpecialKeys, OtherKeysDoNothing) {
    identify("tester", "12345678");
    for (int key :
         {GLUT_KEY_F4, GLUT_KEY_F12, GLUT_KEY_HOME, GLUT_KEY_END, GLUT_KEY_INSERT, 0, -1, 999}) {
        SCOPED_TRACE(key);
        press(key);
        EXPECT_EQ(viewer.sceneMode, 2);
        EXPECT_EQ(viewer.modelIndex, 12345678 % 38);
        EXPECT_EQ(viewer.animationNumber, 0);
        EXPECT_EQ(viewer.showStudentId, 1);
        EXPECT_STREQ(viewer.statusText, "Student ID: 12345678");
    }
}

TEST_F(SpecialKeys, KeysRequestNoRedisplay) {
    identify("cgstudent");
    for (int key : {GLUT_KEY_F1, GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_UP, GLUT_KEY_DOWN,
                    GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_DOWN}) {
        press(key);
    }
    EXPECT_EQ(redisplayRequests, 0);
}

}  // namespace
