// Mouse buttons and drags: camera turn, shift and zoom, and their limits.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "app/viewer_state.h"
#include "input/input.h"
#include "support/redisplay_double.h"

namespace {

class Mouse : public ::testing::Test {
protected:
    void SetUp() override {
        viewer = ViewerState{};
        redisplayRequests = 0;
    }

    // Presses button at (x, y) and moves to each of the points in turn.
    static void drag(int button, int x, int y, std::initializer_list<std::pair<int, int>> points) {
        mouse(button, GLUT_DOWN, x, y);
        for (const auto& [px, py] : points) {
            motion(px, py);
        }
    }
};

TEST_F(Mouse, ButtonsSetAndClearTheirOwnFlags) {
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 1, 2);
    EXPECT_EQ(viewer.leftDragging, 1);
    EXPECT_EQ(viewer.rightDragging, 0);
    mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 3, 4);
    EXPECT_EQ(viewer.leftDragging, 1);
    EXPECT_EQ(viewer.rightDragging, 1);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 5, 6);
    EXPECT_EQ(viewer.leftDragging, 0);
    EXPECT_EQ(viewer.rightDragging, 1);
    mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 7, 8);
    EXPECT_EQ(viewer.rightDragging, 0);
    EXPECT_EQ(viewer.lastMouseX, 7);
    EXPECT_EQ(viewer.lastMouseY, 8);
}

TEST_F(Mouse, OtherButtonsOnlyRecordThePosition) {
    for (int button : {GLUT_MIDDLE_BUTTON, 3, 4, 7}) {
        SCOPED_TRACE(button);
        viewer = ViewerState{};
        mouse(button, GLUT_DOWN, 40, 50);
        EXPECT_EQ(viewer.leftDragging, 0);
        EXPECT_EQ(viewer.rightDragging, 0);
        EXPECT_EQ(viewer.lastMouseX, 40);
        EXPECT_EQ(viewer.lastMouseY, 50);
        motion(90, 10);
        mouse(button, GLUT_UP, 100, 20);
        EXPECT_EQ(viewer.lastMouseX, 100);
        EXPECT_EQ(viewer.lastMouseY, 20);
        EXPECT_EQ(viewer.cameraYaw, -30.0f);
        EXPECT_EQ(viewer.cameraPitch, -30.0f);
        EXPECT_EQ(viewer.cameraShift, 0.0f);
        EXPECT_EQ(viewer.cameraDistance, 15.0f);
    }
}

TEST_F(Mouse, RightDragTurnsWithOneCorrectionPerEvent) {
    const struct {
        float yaw;
        int fromX, toX;
        float expected;
    } turns[] = {{-30, 100, 110, 320},
                 {-30, 100, 90, 340},
                 {350, 100, 80, 10},
                 // Both limits themselves stay: the tests are strict.
                 {350, 100, 90, 360},
                 {10, 100, 110, 0},
                 {10, 0, 400, -30}};
    for (const auto& turn : turns) {
        SCOPED_TRACE(::testing::Message() << turn.yaw << " by " << turn.toX - turn.fromX);
        viewer = ViewerState{};
        viewer.cameraYaw = turn.yaw;
        drag(GLUT_RIGHT_BUTTON, turn.fromX, 0, {{turn.toX, 0}});
        EXPECT_EQ(viewer.cameraYaw, turn.expected);
    }
    motion(400, 0);  // the next event brings it back
    EXPECT_EQ(viewer.cameraYaw, 330.0f);
}

TEST_F(Mouse, PitchStopsAtTheHorizonAndOverhead) {
    drag(GLUT_RIGHT_BUTTON, 300, 300, {{300, 290}});
    EXPECT_EQ(viewer.cameraPitch, -20.0f);
    drag(GLUT_RIGHT_BUTTON, 300, 300, {{300, 200}, {300, 0}});
    EXPECT_EQ(viewer.cameraPitch, 0.0f);
    drag(GLUT_RIGHT_BUTTON, 300, 0, {{300, 50}, {300, 600}});
    EXPECT_EQ(viewer.cameraPitch, -90.0f);
    motion(300, 590);  // back up from the limit, not from the overshoot
    EXPECT_EQ(viewer.cameraPitch, -80.0f);
}

TEST_F(Mouse, LeftDragShiftsWithinTenUnits) {
    drag(GLUT_LEFT_BUTTON, 100, 100, {{200, 100}});
    EXPECT_EQ(viewer.cameraShift, -5.0f);
    motion(300, 100);
    EXPECT_EQ(viewer.cameraShift, -10.0f);
    motion(400, 100);
    EXPECT_EQ(viewer.cameraShift, -10.0f);

    viewer = ViewerState{};
    drag(GLUT_LEFT_BUTTON, 300, 100, {{200, 100}, {100, 100}, {0, 100}});
    EXPECT_EQ(viewer.cameraShift, 10.0f);
    EXPECT_EQ(viewer.cameraYaw, -30.0f);
}

TEST_F(Mouse, LeftDragZoomsNoCloserThanTwo) {
    drag(GLUT_LEFT_BUTTON, 100, 100, {{100, 90}});
    EXPECT_FLOAT_EQ(viewer.cameraDistance, 13.0f);
    motion(100, 0);
    EXPECT_EQ(viewer.cameraDistance, 2.0f);
    motion(100, 10);
    EXPECT_FLOAT_EQ(viewer.cameraDistance, 4.0f);

    viewer = ViewerState{};
    drag(GLUT_LEFT_BUTTON, 100, 0, {{100, 500}, {100, 1000}});
    EXPECT_FLOAT_EQ(viewer.cameraDistance, 215.0f);
    EXPECT_EQ(viewer.cameraPitch, -30.0f);
}

TEST_F(Mouse, BothButtonsTurnShiftAndZoomAtOnce) {
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 100, 100);
    motion(120, 105);
    EXPECT_EQ(viewer.cameraYaw, 310.0f);
    EXPECT_EQ(viewer.cameraPitch, -35.0f);
    EXPECT_EQ(viewer.cameraShift, -1.0f);
    EXPECT_FLOAT_EQ(viewer.cameraDistance, 16.0f);
}

TEST_F(Mouse, ReleasedButtonsStopTheDrag) {
    drag(GLUT_RIGHT_BUTTON, 100, 100, {{110, 100}});
    mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 110, 100);
    motion(200, 200);
    EXPECT_EQ(viewer.cameraYaw, 320.0f);
    EXPECT_EQ(viewer.cameraPitch, -30.0f);
}

// Without a new press, a drag continues from wherever the last event was.
TEST_F(Mouse, MotionMeasuresFromTheLastRecordedPosition) {
    mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 50, 50);
    mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 60, 50);
    motion(70, 50);
    EXPECT_EQ(viewer.cameraYaw, 320.0f);
}

TEST_F(Mouse, OnlyMotionRequestsARedisplay) {
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 10, 10);
    EXPECT_EQ(redisplayRequests, 0);
    motion(10, 10);  // nothing held, nothing moved: still a request
    EXPECT_EQ(redisplayRequests, 1);
    mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10);
    motion(20, 10);
    EXPECT_EQ(redisplayRequests, 2);
}

}  // namespace
