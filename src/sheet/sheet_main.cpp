// cgdemo-sheet entry: the instructor's scene sheet.
#include "platform/platform.h"
#include "sheet/sheet.h"

int main(int argc, char** argv) {
    platformOpenStandardStreams();
    return runSheet(argc, argv);
}
