// The folder of the running executable on Linux, from /proc/self/exe.
#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"

int platformExecutableFolder(char* buffer, int size) {
    buffer[0] = '\0';
    // The link names the file itself, all symbolic links on the way resolved:
    // started as /usr/bin/cgdemo -> ../lib/cgdemo/cgdemo it is /usr/lib/cgdemo/cgdemo.
    std::vector<char> target(4096);
    ssize_t length;
    while ((length = readlink("/proc/self/exe", target.data(), target.size())) ==
               static_cast<ssize_t>(target.size()) &&
           target.size() < (1u << 16)) {
        target.resize(2 * target.size());
    }
    if (length <= 0 || static_cast<size_t>(length) == target.size() || target[0] != '/') {
        return -1;
    }
    size_t folderLength = static_cast<size_t>(length);
    while (target[folderLength - 1] != '/') {
        --folderLength;
    }
    if (folderLength + 1 > static_cast<size_t>(size)) {
        return -1;
    }
    std::memcpy(buffer, target.data(), folderLength);
    buffer[folderLength] = '\0';
    return static_cast<int>(folderLength);
}
