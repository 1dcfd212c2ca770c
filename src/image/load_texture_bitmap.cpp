// Loading the floor texture from its bitmap file.
#include <cstdio>
#include <vector>

#include "app/viewer_state.h"
#include "image/image.h"
#include "platform/platform.h"

namespace {

// Appends bytes of file until bytes holds total of them or the file ends.
// Returns false on a read error. The buffer grows with what
// is actually read, so a header that promises a huge file costs nothing.
bool readUpTo(std::FILE* file, uint64_t total, std::vector<unsigned char>& bytes) {
    constexpr std::size_t chunk = 1 << 16;
    while (bytes.size() < total) {
        const std::size_t have = bytes.size();
        const std::size_t want =
            total - have < chunk ? static_cast<std::size_t>(total - have) : chunk;
        bytes.resize(have + want);
        const std::size_t got = std::fread(bytes.data() + have, 1, want, file);
        bytes.resize(have + got);
        if (got < want) {
            return std::ferror(file) == 0;
        }
    }
    return true;
}

// Reads as much of the file as its headers say it needs, into bytes.
int readBitmapFile(std::FILE* file, std::vector<unsigned char>& bytes) {
    if (!readUpTo(file, bitmapHeaderLimit, bytes)) {
        return bitmapCannotOpen;
    }
    BitmapLayout layout;
    const int code = readBitmapLayout(bytes.data(), bytes.size(), &layout);
    if (code != bitmapLoaded) {
        return code;
    }
    return readUpTo(file, layout.fileSize, bytes) ? bitmapLoaded : bitmapCannotOpen;
}

}  // namespace

int loadTextureBitmap() {
    std::FILE* file = platformOpenRegularFile(texturePath().c_str());
    if (file == nullptr) {
        return bitmapCannotOpen;
    }
    std::vector<unsigned char> bytes;
    const int code = readBitmapFile(file, bytes);
    std::fclose(file);
    if (code != bitmapLoaded) {
        return code;
    }

    DecodedBitmap image;
    const int decoded = decodeBitmap(bytes.data(), bytes.size(), &image);
    if (decoded != bitmapLoaded) {
        return decoded;
    }
    // Kept until the process ends.
    viewer.textureHeight = image.height;
    viewer.textureWidth = image.width;
    viewer.texturePixels = image.pixels;
    return bitmapLoaded;
}
