// The platform layer in a web browser: no login name, the page's error dialog, the page's clock.
#include <emscripten.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

// From the page library (src/platform/web/page_web.js).
extern "C" void cgdemoShowMessage(const char* title, const char* text);

// A page has no user account: every student types the ID.
int platformLoginName(char* buffer, int /*size*/) {
    buffer[0] = '\0';
    return -1;
}

// The page cannot wait for the OK button: the dialog stays open after the
// call returns, and the page says that the program has ended once it is closed.
void platformMessageBox(const char* title, const char* text) {
    std::fputs(text, stderr);
    const size_t length = std::strlen(text);
    if (length == 0 || text[length - 1] != '\n') {
        std::fputc('\n', stderr);
    }
    cgdemoShowMessage(title, text);
}

// Stops the runtime for good, so that no later frame, key or timer runs
// program code, and unwinds to the browser without an uncaught error.
void platformExit(int status) {
    emscripten_force_exit(status);
}

void platformOpenStandardStreams() {}

// The page is the display: there is none to miss.
void platformReportMissingDisplay() {}

// The canvas is shown in the page when the window is created.
void platformWindowToFront() {}

void platformBeginTiming() {}

void platformEndTiming() {}

uint32_t platformMilliseconds() {
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}
