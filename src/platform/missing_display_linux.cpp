// On X: a plain line instead of freeglut's when the display cannot be opened.
#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

// How freeglut words an X display it cannot open; the name follows in quotes.
const char* const displayFailure = "failed to open display '";

void onGlutError(const char* format, va_list arguments) {
    char message[512];
    std::vsnprintf(message, sizeof message, format, arguments);
    if (std::strncmp(message, displayFailure, std::strlen(displayFailure)) != 0) {
        std::fprintf(stderr, "cgdemo: %s\n", message);
        platformExit(1);
    }
    std::string display = message + std::strlen(displayFailure);
    if (!display.empty() && display.back() == '\'') {
        display.pop_back();
    }
    if (display.empty()) {
        std::fputs("cgdemo needs a graphical desktop: no display is set (DISPLAY is empty)\n",
                   stderr);
    } else {
        std::fprintf(stderr, "cgdemo needs a graphical desktop: cannot open the display \"%s\"\n",
                     display.c_str());
    }
    platformExit(1);
}

}  // namespace

void platformReportMissingDisplay() {
    // freeglut returns from fgError after a handler: the handler ends the process itself.
    glutInitErrorFunc(onGlutError);
}
