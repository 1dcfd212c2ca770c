// The program's folder in a web browser: there is none, the page puts the texture in the working
// directory.
#include "platform/platform.h"

int platformExecutableFolder(char* buffer, int /*size*/) {
    buffer[0] = '\0';
    return -1;
}
