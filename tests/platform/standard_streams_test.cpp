// Start-up's repair of closed standard streams, in a child process each.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace {

// What a descriptor of this process refers to, as /proc shows it.
std::string target(int descriptor) {
    char path[256] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
    return readlink(link.c_str(), path, sizeof path - 1) > 0 ? path : "";
}

// Closes the descriptors in the mask (bit n: descriptor n), repairs them and
// exits with 0 when every one of them is /dev/null and the others untouched.
[[noreturn]] void closeAndRepair(int mask) {
    std::string before[3];
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        before[descriptor] = target(descriptor);
        if (mask & (1 << descriptor)) {
            close(descriptor);
        }
    }
    // A socket opened now would take the lowest closed descriptor.
    platformOpenStandardStreams();
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        const std::string expected = (mask & (1 << descriptor)) ? "/dev/null" : before[descriptor];
        if (target(descriptor) != expected) {
            std::_Exit(10 + descriptor);
        }
    }
    std::_Exit(0);
}

TEST(PlatformStandardStreams, ClosedOnesAreOpenedOnDevNullAndOpenOnesLeftAlone) {
    for (int mask : {0, 1, 2, 4, 5, 7}) {
        EXPECT_EXIT(closeAndRepair(mask), testing::ExitedWithCode(0), "") << "closed mask " << mask;
    }
}

}  // namespace
