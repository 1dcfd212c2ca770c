// The display the sheet's pictures are drawn on: a private Xvfb, else $DISPLAY.
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "sheet/sheet.h"

bool openSheetDisplay(const char* program, std::string& error) {
    char name[32];
    const int started = platformStartVirtualDisplay(640, 640, name, sizeof name);
    if (started == 1) {
        openSheetWindow(name);
        return true;
    }
    if (started == -1) {
        error = "the virtual X server Xvfb did not start";
        return false;
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') {
        error = "no display to draw on: install Xvfb (Debian package xvfb) or set DISPLAY";
        return false;
    }
    std::fprintf(stderr, "%s: Xvfb is not installed: drawing in a window on $DISPLAY\n", program);
    openSheetWindow(nullptr);
    return true;
}

void closeSheetDisplay() {
    // The window goes before its server: nothing may talk to a stopped server.
    closeSheetWindow();
    platformStopVirtualDisplay();
}
