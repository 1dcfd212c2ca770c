// Platform double linked into the unit and GL tests in place of the Linux layer.
#include "support/platform_double.h"

#include <cstring>

#include "platform/platform.h"

PlatformDouble platformDouble;

int platformLoginName(char* buffer, int size) {
    const std::string& name = platformDouble.loginName;
    if (!platformDouble.hasLoginName || static_cast<int>(name.size()) >= size) {
        buffer[0] = '\0';
        return -1;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    return static_cast<int>(name.size());
}

void platformMessageBox(const char* title, const char* text) {
    ++platformDouble.messageBoxCount;
    platformDouble.lastTitle = title;
    platformDouble.lastText = text;
}

void platformExit(int status) {
    throw TestExit{status};
}

uint32_t platformMilliseconds() {
    return platformDouble.milliseconds;
}

int platformExecutableFolder(char* buffer, int size) {
    const std::string& folder = platformDouble.executableFolder;
    if (folder.empty() || static_cast<int>(folder.size()) >= size) {
        buffer[0] = '\0';
        return -1;
    }
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return static_cast<int>(folder.size());
}
