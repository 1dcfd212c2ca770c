// One line of input as UTF-8 text on Windows: a console read as wide text, anything else as bytes.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "platform/read_line_bytes.h"
#include "platform/text_windows.h"

namespace {

// The console hands over a whole line once Enter is pressed, ending in CR LF;
// Ctrl+Z at the start of a line is the end of input.
bool readConsole(HANDLE console, std::string& line) {
    std::wstring wide;
    wchar_t chunk[256];
    DWORD count = 0;
    while (ReadConsoleW(console, chunk, 256, &count, nullptr) && count > 0) {
        wide.append(chunk, count);
        if (wide.back() == L'\n') {
            break;
        }
    }
    if (wide.empty() || wide[0] == L'\x1a') {
        return false;
    }
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r')) {
        wide.pop_back();
    }
    // Unpaired surrogates have no UTF-8 form: such a line reads as one
    // replacement character, which the ID rules refuse, rather than as nothing.
    if (!utf8FromWide(wide.c_str(), static_cast<int>(wide.size()), &line)) {
        line = "\xef\xbf\xbd";
    }
    return true;
}

}  // namespace

bool platformReadLine(std::FILE* in, std::string& line) {
    line.clear();
    if (in == stdin) {
        const HANDLE handle = GetStdHandle(STD_INPUT_HANDLE);
        DWORD mode;
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
            return readConsole(handle, line);
        }
    }
    return readLineBytes(in, line);
}
