// Texture image: reading the floor texture from a Windows bitmap file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Results of loadTextureBitmap.
constexpr int bitmapLoaded = 0;
constexpr int bitmapCannotOpen = -1;
constexpr int bitmapUnsupportedBitCount = -2;
constexpr int bitmapMalformed = -3;

// The floor texture's file name.
constexpr const char* textureFileName = "japan.bmp";

// The path of the floor texture: textureFileName in the working directory when
// anything of that name is there (also a file the loader will refuse), otherwise
// textureFileName in the running executable's folder (or in the working
// directory again when that folder cannot be found).
std::string texturePath();

// Reads the bitmap at texturePath() into viewer.texturePixels (RGB, rows top to
// bottom, tightly packed), textureWidth and textureHeight. Returns bitmapLoaded,
// or an error code with the three variables untouched.
int loadTextureBitmap();

// Largest side, in pixels, of an image the loader accepts.
constexpr int32_t bitmapMaxSide = 16384;

// Bytes from the start of a bitmap file that always suffice for readBitmapLayout:
// file header, the longest info header (124 bytes) and a 256-entry colour table.
constexpr std::size_t bitmapHeaderLimit = 14 + 124 + 1024;

// Where the parts of an accepted bitmap file lie, and what the pixels are.
struct BitmapLayout {
    int32_t width = 0;              // pixels, 1..bitmapMaxSide
    int32_t height = 0;             // pixels, 1..bitmapMaxSide
    bool topDown = false;           // the first row in the file is the image's top row
    int bitCount = 0;               // 24 or 8
    std::size_t paletteOffset = 0;  // 8 bits: file offset of the colour table
    int paletteEntries = 0;         // 8 bits: entries in the colour table, 1..256
    uint64_t pixelOffset = 0;       // file offset of the first pixel row
    uint64_t rowStride = 0;         // bytes of one row in the file, padding included
    uint64_t fileSize = 0;          // bytes the file needs: pixelOffset + rowStride x height
};

// Reads the headers (and checks that the colour table is there) from the first
// size bytes of a bitmap file; at most bitmapHeaderLimit bytes are looked at.
// Returns bitmapLoaded with *layout filled, bitmapUnsupportedBitCount for a bit
// count other than 24 or 8, or bitmapMalformed (headers cut short, unknown info
// header size, compression, sizes out of range, a colour table that is too long
// or a pixel offset inside the headers). Pure.
int readBitmapLayout(const unsigned char* bytes, std::size_t size, BitmapLayout* layout);

// An image decoded to RGB, rows top to bottom, tightly packed.
struct DecodedBitmap {
    unsigned char* pixels = nullptr;  // width x height x 3 bytes, from new[]; the caller owns it
    int32_t width = 0;
    int32_t height = 0;
};

// Decodes a whole bitmap file held in memory. On bitmapLoaded *image holds a
// freshly allocated buffer (8-bit pixels expanded through the colour table;
// indices beyond it become black). On any error code (those of readBitmapLayout,
// or bitmapMalformed when the pixel rows are cut short) nothing is allocated and
// *image is untouched.
int decodeBitmap(const unsigned char* bytes, std::size_t size, DecodedBitmap* image);
