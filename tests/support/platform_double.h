// Test double of the platform layer: settable login name, clock and executable folder, recorded
// message boxes, and an exit that throws instead of ending the test process.
#pragma once

#include <cstdint>
#include <string>

// Thrown by platformExit in tests; status is the exit status asked for.
struct TestExit {
    int status;
};

struct PlatformDouble {
    bool hasLoginName = true;
    std::string loginName = "tester";
    uint32_t milliseconds = 0;
    std::string executableFolder;  // empty: the folder cannot be found
    int messageBoxCount = 0;
    std::string lastTitle;
    std::string lastText;
};

// The double's state; tests assign a fresh record to reset it.
extern PlatformDouble platformDouble;
