// The fatal-error path shared by start-up and identification.
#include "platform/platform.h"

void fatalError(const char* text) {
    platformMessageBox("Error", text);
    platformExit(-1);
}
