// Decoding a bitmap file held in memory into top-down RGB rows.
#include <cstring>

#include "image/image.h"

namespace {

// Copies one file row of 24-bit blue-green-red pixels as red-green-blue.
void copyRow24(const unsigned char* source, int32_t width, unsigned char* target) {
    for (int32_t x = 0; x < width; ++x) {
        target[0] = source[2];
        target[1] = source[1];
        target[2] = source[0];
        source += 3;
        target += 3;
    }
}

// Expands one file row of 8-bit indices through the colour table (blue, green,
// red, reserved per entry); an index past the table's end gives black.
void expandRow8(const unsigned char* source, int32_t width, const unsigned char* palette,
                int paletteEntries, unsigned char* target) {
    for (int32_t x = 0; x < width; ++x) {
        const int index = source[x];
        if (index < paletteEntries) {
            const unsigned char* entry = palette + 4 * index;
            target[0] = entry[2];
            target[1] = entry[1];
            target[2] = entry[0];
        } else {
            std::memset(target, 0, 3);
        }
        target += 3;
    }
}

}  // namespace

int decodeBitmap(const unsigned char* bytes, std::size_t size, DecodedBitmap* image) {
    BitmapLayout layout;
    const int code = readBitmapLayout(bytes, size, &layout);
    if (code != bitmapLoaded) {
        return code;
    }
    if (size < layout.fileSize) {
        return bitmapMalformed;
    }

    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::size_t height = static_cast<std::size_t>(layout.height);
    unsigned char* pixels = new unsigned char[width * height * 3];
    const unsigned char* palette = bytes + layout.paletteOffset;
    for (std::size_t k = 0; k < height; ++k) {
        const unsigned char* source = bytes + layout.pixelOffset + k * layout.rowStride;
        // Bottom-up files start with the image's bottom row.
        const std::size_t row = layout.topDown ? k : height - 1 - k;
        unsigned char* target = pixels + row * width * 3;
        if (layout.bitCount == 24) {
            copyRow24(source, layout.width, target);
        } else {
            expandRow8(source, layout.width, palette, layout.paletteEntries, target);
        }
    }
    image->pixels = pixels;
    image->width = layout.width;
    image->height = layout.height;
    return bitmapLoaded;
}
