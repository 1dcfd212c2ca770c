// Standard error sent to /dev/null for a while, and back, on Linux.
#include <fcntl.h>
#include <unistd.h>

#include "platform/platform.h"

int platformQuietStandardError() {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null != -1) {
        dup2(null, STDERR_FILENO);
        close(null);
    }
    return saved;
}

void platformRestoreStandardError(int saved) {
    std::fflush(stderr);
    if (saved != -1) {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
}
