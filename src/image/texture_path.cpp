// Where the floor texture is read from: the working directory, else the program's folder.
#include "image/image.h"
#include "platform/platform.h"

std::string texturePath() {
    // Whatever is there, even something the loader refuses, is the one used:
    // a broken texture must not be hidden by another one elsewhere.
    if (platformPathExists(textureFileName)) {
        return textureFileName;
    }
    char folder[4096];
    if (platformExecutableFolder(folder, sizeof folder) < 0) {
        return textureFileName;
    }
    return std::string(folder) + textureFileName;
}
