// Reading and checking the headers of a Windows bitmap file.
#include "image/image.h"

namespace {

// Every header this size or longer starts with the fields of the 40-byte one.
constexpr uint32_t plainInfoHeaderSize = 40;
constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t plainHeadersEnd = fileHeaderSize + plainInfoHeaderSize;

uint32_t readU32(const unsigned char* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

int32_t readS32(const unsigned char* bytes) {
    return static_cast<int32_t>(readU32(bytes));
}

int readU16(const unsigned char* bytes) {
    return bytes[0] | bytes[1] << 8;
}

// BITMAPINFOHEADER and its longer successors (V2, V3, V4, V5); the older core
// header and the OS/2 one lay their fields out differently.
bool isKnownInfoHeaderSize(uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

}  // namespace

int readBitmapLayout(const unsigned char* bytes, std::size_t size, BitmapLayout* layout) {
    if (size < plainHeadersEnd) {
        return bitmapMalformed;
    }
    const uint32_t infoHeaderSize = readU32(bytes + 14);
    if (!isKnownInfoHeaderSize(infoHeaderSize)) {
        return bitmapMalformed;
    }
    const std::size_t headersEnd = fileHeaderSize + infoHeaderSize;
    if (size < headersEnd) {
        return bitmapMalformed;
    }
    const int bitCount = readU16(bytes + 28);
    if (bitCount != 24 && bitCount != 8) {
        return bitmapUnsupportedBitCount;
    }
    if (readU32(bytes + 30) != 0) {  // only BI_RGB is uncompressed
        return bitmapMalformed;
    }

    const int32_t width = readS32(bytes + 18);
    const int32_t storedHeight = readS32(bytes + 22);
    // A negative height marks rows stored top-down; its magnitude is the height.
    // Both limits are checked on the stored value, so negating cannot overflow.
    if (width <= 0 || width > bitmapMaxSide || storedHeight == 0 || storedHeight > bitmapMaxSide ||
        storedHeight < -bitmapMaxSide) {
        return bitmapMalformed;
    }
    const int32_t height = storedHeight < 0 ? -storedHeight : storedHeight;

    int paletteEntries = 0;
    if (bitCount == 8) {
        const uint32_t colorsUsed = readU32(bytes + 46);
        if (colorsUsed > 256) {
            return bitmapMalformed;
        }
        paletteEntries = colorsUsed == 0 ? 256 : static_cast<int>(colorsUsed);
    }
    const std::size_t paletteEnd = headersEnd + 4 * static_cast<std::size_t>(paletteEntries);
    if (size < paletteEnd) {
        return bitmapMalformed;
    }

    // A 40-byte header followed by no colour table or a full one has its rows
    // right behind them, whatever bfOffBits claims; all else goes by bfOffBits.
    uint64_t pixelOffset = paletteEnd;
    if (infoHeaderSize != plainInfoHeaderSize || (bitCount == 8 && paletteEntries != 256)) {
        pixelOffset = readU32(bytes + 10);
        if (pixelOffset < paletteEnd) {
            return bitmapMalformed;
        }
    }

    // At most 16384 x 3 bytes a row and 16384 rows: no product below overflows.
    const uint64_t rowBytes = static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount / 8);
    layout->width = width;
    layout->height = height;
    layout->topDown = storedHeight < 0;
    layout->bitCount = bitCount;
    layout->paletteOffset = headersEnd;
    layout->paletteEntries = paletteEntries;
    layout->pixelOffset = pixelOffset;
    layout->rowStride = (rowBytes + 3) / 4 * 4;
    layout->fileSize = pixelOffset + layout->rowStride * static_cast<uint64_t>(height);
    return bitmapLoaded;
}
