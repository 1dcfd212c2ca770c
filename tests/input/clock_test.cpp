// The animation clock: angles advanced by elapsed milliseconds, one redisplay per tick.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/viewer_state.h"
#include "input/input.h"
#include "support/platform_double.h"
#include "support/redisplay_double.h"

namespace {

void resetClock() {
    viewer = ViewerState{};
    platformDouble = PlatformDouble{};
    redisplayRequests = 0;
}

// One tick at the given clock reading.
void tickAt(uint32_t milliseconds) {
    platformDouble.milliseconds = milliseconds;
    idle();
}

}  // namespace

TEST(Clock, ATickAdvancesTheAnglesAtTheirThreeRates) {
    resetClock();
    viewer.lastTickTime = 1000;
    tickAt(1036);
    EXPECT_NEAR(viewer.orbitAngle, 3.6f, 1e-5f);
    EXPECT_NEAR(viewer.fastAngle, 7.2f, 1e-5f);
    EXPECT_NEAR(viewer.slowAngle, 1.8f, 1e-5f);
    EXPECT_EQ(viewer.lastTickTime, 1036u);
    EXPECT_EQ(redisplayRequests, 1);
}

TEST(Clock, AFullTurnOfTheMainAngleTakesThreePointSixSeconds) {
    resetClock();
    viewer.orbitAngle = 10.0f;
    viewer.fastAngle = 20.0f;
    viewer.slowAngle = 30.0f;
    viewer.lastTickTime = 500;
    tickAt(500 + 3600);
    EXPECT_NEAR(viewer.orbitAngle, 10.0f, 1e-3f);  // one turn removed
    EXPECT_NEAR(viewer.fastAngle, 20.0f, 1e-3f);   // two turns removed
    EXPECT_NEAR(viewer.slowAngle, 210.0f, 1e-3f);  // half a turn on
}

TEST(Clock, ExactlyThreeHundredSixtyStaysThreeHundredSixty) {
    resetClock();
    viewer.orbitAngle = 359.0f;
    viewer.lastTickTime = 0;
    tickAt(10);
    EXPECT_EQ(viewer.orbitAngle, 360.0f);
    tickAt(10);  // no time passed: nothing moves, nothing wraps
    EXPECT_EQ(viewer.orbitAngle, 360.0f);
}

TEST(Clock, CountsTheElapsedTimeAcrossTheWrapAroundOfTheMillisecondClock) {
    resetClock();
    viewer.lastTickTime = UINT32_MAX - 5;  // 6 ms before the wrap-around
    tickAt(4);
    EXPECT_NEAR(viewer.orbitAngle, 1.0f, 1e-6f);
    EXPECT_NEAR(viewer.fastAngle, 2.0f, 1e-6f);
    EXPECT_NEAR(viewer.slowAngle, 0.5f, 1e-6f);
    EXPECT_EQ(viewer.lastTickTime, 4u);
}

TEST(Clock, AtSpeedZeroNothingMovesButTheTicksGoOn) {
    resetClock();
    viewer.animationSpeed = 0;
    viewer.orbitAngle = 12.5f;
    viewer.fastAngle = 25.0f;
    viewer.slowAngle = 6.25f;
    viewer.lastTickTime = 100;
    tickAt(5000);
    tickAt(9000);
    EXPECT_EQ(viewer.orbitAngle, 12.5f);
    EXPECT_EQ(viewer.fastAngle, 25.0f);
    EXPECT_EQ(viewer.slowAngle, 6.25f);
    EXPECT_EQ(viewer.lastTickTime, 9000u);
    EXPECT_EQ(redisplayRequests, 2);

    // Restarting continues from the stopped angles: the stopped time is gone.
    viewer.animationSpeed = 1;
    tickAt(9010);
    EXPECT_NEAR(viewer.orbitAngle, 13.5f, 1e-5f);
    EXPECT_EQ(redisplayRequests, 3);
}

TEST(Clock, ALongPauseStillEndsInRange) {
    resetClock();
    viewer.orbitAngle = 359.0f;
    viewer.lastTickTime = 0;
    tickAt(10000000);  // a million degrees of orbitAngle
    for (float angle : {viewer.orbitAngle, viewer.fastAngle, viewer.slowAngle}) {
        EXPECT_GE(angle, 0.0f);
        EXPECT_LE(angle, 360.0f);
    }
}

TEST(WrapAngle, BringsAnglesIntoTheClosedRangeZeroToThreeSixty) {
    EXPECT_EQ(wrapAngle(0.0f), 0.0f);
    EXPECT_EQ(wrapAngle(360.0f), 360.0f);
    EXPECT_EQ(wrapAngle(360.5f), 0.5f);
    EXPECT_EQ(wrapAngle(1080.25f), 0.25f);
    EXPECT_EQ(wrapAngle(-0.5f), 359.5f);
    EXPECT_EQ(wrapAngle(-720.0f), 0.0f);
}
