// The choreography's angle helpers: the fold into a swing and the sine in degrees.
#include <gtest/gtest.h>

#include <cmath>

#include "render/render.h"

TEST(FoldAngle, TurnsARisingAngleIntoASwingOverHalfACircle) {
    // The swing 360 - fold runs 0 -> 180 -> 0 while the angle runs 0 -> 360.
    EXPECT_EQ(foldAngle(0.0f), 360.0f);
    EXPECT_EQ(foldAngle(90.0f), 270.0f);
    EXPECT_EQ(foldAngle(180.0f), 180.0f);  // 180 itself is not above 180
    EXPECT_EQ(foldAngle(180.5f), 180.5f);
    EXPECT_EQ(foldAngle(270.0f), 270.0f);
    EXPECT_EQ(foldAngle(360.0f), 360.0f);
}

TEST(SinRad, TakesDegreesWithTheProgramsPi) {
    EXPECT_DOUBLE_EQ(sinRad(90.0f), std::sin(3.1415926 / 2.0));
    EXPECT_NEAR(sinRad(30.0f), 0.5, 1e-7);
    EXPECT_NEAR(sinRad(-30.0f), -0.5, 1e-7);
    // With this pi the sine of 180 degrees is not quite 0.
    EXPECT_DOUBLE_EQ(sinRad(180.0f), std::sin(3.1415926));
    EXPECT_GT(sinRad(180.0f), 5e-8);
}
