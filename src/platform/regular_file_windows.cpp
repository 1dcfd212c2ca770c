// Opening an input file on Windows only when it is a regular file.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/text_windows.h"

std::FILE* platformOpenRegularFile(const char* path) {
    std::wstring widePath;
    if (!wideFromUtf8(path, &widePath)) {
        return nullptr;
    }
    // Opening does not read: a device or pipe of that name is recognised and
    // closed again before anything could wait on it. A folder does not open.
    const HANDLE handle = CreateFileW(widePath.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileType(handle) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(handle, &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(handle);
        return nullptr;
    }
    // The file that was checked is the one read: no second open by name.
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor == -1) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "rb");
    if (file == nullptr) {
        _close(descriptor);  // closes the handle as well
    }
    return file;
}
