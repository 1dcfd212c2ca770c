// The Linux platform layer: login name, clock and the message box without a display.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/platform.h"

TEST(PlatformLoginName, IsTheEffectiveUsersPasswdName) {
    char buffer[64];
    const int length = platformLoginName(buffer, sizeof buffer);
    const passwd* entry = getpwuid(geteuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(buffer, entry->pw_name);
    EXPECT_EQ(length, static_cast<int>(std::strlen(entry->pw_name)));
}

TEST(PlatformLoginName, ANameThatDoesNotFitWithItsZeroIsAFailure) {
    const std::string name = getpwuid(geteuid())->pw_name;
    char exact[64];
    ASSERT_LT(name.size() + 1, sizeof exact);
    // Room for the name but not its terminating zero.
    EXPECT_EQ(platformLoginName(exact, static_cast<int>(name.size())), -1);
    EXPECT_STREQ(exact, "");
    EXPECT_EQ(platformLoginName(exact, static_cast<int>(name.size()) + 1),
              static_cast<int>(name.size()));
}

TEST(PlatformClock, CountsMillisecondsMonotonically) {
    const uint32_t first = platformMilliseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint32_t second = platformMilliseconds();
    const uint32_t elapsed = second - first;
    // At least the sleep; the upper bound only rules out a clock in microseconds.
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 30000u);
}

TEST(PlatformMessageBox, WithoutADisplayGoesToStandardErrorAlone) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    platformMessageBox("Error", "first line\nsecond line");
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(written, "first line\nsecond line\n");
}

TEST(PlatformExit, FatalErrorExitsWithStatusMinusOne) {
    unsetenv("DISPLAY");
    EXPECT_EXIT(fatalError("broken"), testing::ExitedWithCode(255), "broken");
}
