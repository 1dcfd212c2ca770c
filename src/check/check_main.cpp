// cgdemo-check entry: reads the status line in the screenshots of handed-in reports.
#include "check/check.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    platformOpenStandardStreams();
    return runCheck(argc, argv);
}
