// The folder of the running executable on Windows, from GetModuleFileNameW.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/text_windows.h"

int platformExecutableFolder(char* buffer, int size) {
    buffer[0] = '\0';
    // A path may be longer than MAX_PATH: grow until the whole name fits,
    // up to the longest path Windows has.
    std::vector<wchar_t> name(MAX_PATH);
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()))) ==
           name.size()) {
        if (name.size() >= 32768) {
            return -1;
        }
        name.resize(2 * name.size());
    }
    // Keep everything up to the last separator, the separator included.
    DWORD end = length;
    while (end > 0 && name[end - 1] != L'\\' && name[end - 1] != L'/') {
        --end;
    }
    std::string folder;
    if (end == 0 || !utf8FromWide(name.data(), static_cast<int>(end), &folder) ||
        folder.size() + 1 > static_cast<size_t>(size)) {
        return -1;
    }
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return static_cast<int>(folder.size());
}
