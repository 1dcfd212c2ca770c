// Whether a name in the file system is taken, on Windows.
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/text_windows.h"

bool platformPathExists(const char* path) {
    std::wstring widePath;
    return wideFromUtf8(path, &widePath) &&
           GetFileAttributesW(widePath.c_str()) != INVALID_FILE_ATTRIBUTES;
}
