// Test support: bitmap files built byte by byte, and a scratch directory to load them from.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// What goes into a test bitmap. rows are in file order, without padding.
struct BitmapFile {
    int32_t width = 1;
    int32_t height = 1;
    int bitCount = 24;
    uint32_t infoHeaderSize = 40;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<unsigned char> palette;  // 4 bytes (blue, green, red, 0) per entry
    uint32_t gapBeforePixels = 0;        // filler bytes between colour table and rows
    std::vector<std::vector<unsigned char>> rows;
};

inline void putU16(std::vector<unsigned char>& bytes, uint32_t value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

inline void putU32(std::vector<unsigned char>& bytes, uint32_t value) {
    putU16(bytes, value & 0xFFFF);
    putU16(bytes, value >> 16);
}

// The file's bytes: headers with bfOffBits pointing at the rows, the colour
// table, the gap (0xEE), and the rows, each padded (0xAB) to a multiple of 4.
inline std::vector<unsigned char> bitmapBytes(const BitmapFile& file) {
    const uint32_t pixelOffset = 14 + file.infoHeaderSize +
                                 static_cast<uint32_t>(file.palette.size()) + file.gapBeforePixels;
    std::vector<unsigned char> bytes = {'B', 'M'};
    putU32(bytes, 0);  // file size, patched below
    putU32(bytes, 0);
    putU32(bytes, pixelOffset);
    putU32(bytes, file.infoHeaderSize);
    putU32(bytes, static_cast<uint32_t>(file.width));
    putU32(bytes, static_cast<uint32_t>(file.height));
    putU16(bytes, 1);
    putU16(bytes, static_cast<uint32_t>(file.bitCount));
    putU32(bytes, file.compression);
    putU32(bytes, 0);
    putU32(bytes, 2835);
    putU32(bytes, 2835);
    putU32(bytes, file.colorsUsed);
    putU32(bytes, 0);
    bytes.resize(14 + file.infoHeaderSize, 0);
    bytes.insert(bytes.end(), file.palette.begin(), file.palette.end());
    bytes.insert(bytes.end(), file.gapBeforePixels, 0xEE);
    for (const std::vector<unsigned char>& row : file.rows) {
        bytes.insert(bytes.end(), row.begin(), row.end());
        bytes.insert(bytes.end(), (4 - row.size() % 4) % 4, 0xAB);
    }
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i) {
        bytes[2 + i] = static_cast<unsigned char>(size >> (8 * i));
    }
    return bytes;
}

// Overwrites the 32-bit field at offset.
inline void patchU32(std::vector<unsigned char>& bytes, std::size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// Fixture: each test runs in a fresh empty working directory, removed afterwards.
class ScratchDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "bitmapXXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch = pattern;
        std::filesystem::current_path(scratch);
    }

    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(scratch);
    }

    void writeFile(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::ofstream out(name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good()) << "cannot write " << name;
    }

    std::filesystem::path previous;
    std::filesystem::path scratch;
};
