// Platform double linked into the unit and GL tests in place of the Linux layer.
#include "support/platform_double.h"

#include <cstring>

#include "platform/platform.h"

PlatformDouble platformDouble;

namespace {

// Like the real layer: text that is unavailable or does not fit with its zero
// leaves the buffer empty and gives -1.
int copyText(bool available, const std::string& text, char* buffer, int size) {
    if (!available || static_cast<int>(text.size()) >= size) {
        buffer[0] = '\0';
        return -1;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

}  // namespace

int platformLoginName(char* buffer, int size) {
    return copyText(platformDouble.hasLoginName, platformDouble.loginName, buffer, size);
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
    return copyText(!folder.empty(), folder, buffer, size);
}
