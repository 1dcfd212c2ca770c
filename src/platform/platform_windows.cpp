// The platform layer on Windows: login name, message box, clock, standard streams.
#include <windows.h>
// windows.h first: the multimedia header builds on its types.
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/text_windows.h"

int platformLoginName(char* buffer, int size) {
    DWORD length = static_cast<DWORD>(size);
    // On success length counts the terminating zero; a name that does not fit
    // is a failure, and a failed call may have written part of it.
    if (!GetUserNameA(buffer, &length) || length <= 1) {
        buffer[0] = '\0';
        return -1;
    }
    return static_cast<int>(std::strlen(buffer));
}

namespace {

// A console shows wide characters whatever its code page, while UTF-8 bytes
// would show as the code page reads them; a file or pipe gets the bytes.
void writeToStandardError(const char* text, const std::wstring& wide) {
    const size_t length = std::strlen(text);
    const bool endsLine = length > 0 && text[length - 1] == '\n';
    const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        DWORD written;
        WriteConsoleW(handle, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
        if (!endsLine) {
            WriteConsoleW(handle, L"\n", 1, &written, nullptr);
        }
        return;
    }
    std::fputs(text, stderr);
    if (!endsLine) {
        std::fputc('\n', stderr);
    }
    std::fflush(stderr);
}

}  // namespace

void platformMessageBox(const char* title, const char* text) {
    // The program's texts are UTF-8; the wide call shows them on any system,
    // whatever its code page.
    std::wstring wideText;
    std::wstring wideTitle;
    wideFromUtf8(text, &wideText);
    wideFromUtf8(title, &wideTitle);
    writeToStandardError(text, wideText);
    MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), MB_OK);
}

void platformExit(int status) {
    std::exit(status);
}

// Standard handles are not numbered descriptors on Windows: a window opened
// later cannot take a missing one's place, and reading a missing standard
// input ends at once (the ID is then refused).
void platformOpenStandardStreams() {}

// Windows always has a desktop to draw on.
void platformReportMissingDisplay() {}

namespace {

BOOL CALLBACK raiseVisibleWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    // Windows hands the foreground only to the thread that has the input, here
    // the console's: sharing its input state for the call lets the window take it.
    const DWORD ownThread = GetCurrentThreadId();
    const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const bool shared = foregroundThread != 0 && foregroundThread != ownThread &&
                        AttachThreadInput(foregroundThread, ownThread, TRUE);
    BringWindowToTop(window);
    SetForegroundWindow(window);
    if (shared) {
        AttachThreadInput(foregroundThread, ownThread, FALSE);
    }
    return FALSE;
}

}  // namespace

// The program's window is the one visible top-level window of its thread.
void platformWindowToFront() {
    EnumThreadWindows(GetCurrentThreadId(), raiseVisibleWindow, 0);
}

void platformBeginTiming() {
    timeBeginPeriod(1);
}

void platformEndTiming() {
    timeEndPeriod(1);
}

uint32_t platformMilliseconds() {
    return timeGetTime();
}
