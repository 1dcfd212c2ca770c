// Whether a name in the file system is taken, on Linux.
#include <errno.h>
#include <sys/stat.h>

#include "platform/platform.h"

bool platformPathExists(const char* path) {
    struct stat status;
    // lstat: a dangling symbolic link is something there too. Any failure but
    // "no such entry" (no permission to look, say) is not taken for absence.
    return lstat(path, &status) == 0 || (errno != ENOENT && errno != ENOTDIR);
}
