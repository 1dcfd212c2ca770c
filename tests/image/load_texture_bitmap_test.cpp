// Loading the floor texture: pixel layout, accepted variants and refused files.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "app/viewer_state.h"
#include "image/bitmap_file.h"
#include "image/image.h"
#include "support/platform_double.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A recognisable colour for image pixel (x, y), y counted from the top.
Bytes colourAt(int x, int y) {
    return {static_cast<unsigned char>(10 * x + 1), static_cast<unsigned char>(10 * y + 2),
            static_cast<unsigned char>(100 + x + 3 * y)};
}

// The expected loader output: colourAt for every pixel, top row first.
Bytes expectedPixels(int width, int height) {
    Bytes pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Bytes rgb = colourAt(x, y);
            pixels.insert(pixels.end(), rgb.begin(), rgb.end());
        }
    }
    return pixels;
}

// A 24-bit file of colourAt, rows bottom-up (or top-down) as in the file.
BitmapFile truecolourFile(int width, int height, bool topDown = false) {
    BitmapFile file;
    file.width = width;
    file.height = topDown ? -height : height;
    for (int k = 0; k < height; ++k) {
        const int y = topDown ? k : height - 1 - k;
        Bytes row;
        for (int x = 0; x < width; ++x) {
            const Bytes rgb = colourAt(x, y);
            row.insert(row.end(), {rgb[2], rgb[1], rgb[0]});
        }
        file.rows.push_back(row);
    }
    return file;
}

// An 8-bit file of colourAt through a colour table of width x height entries
// (one per pixel, in reading order), padded to tableEntries entries.
BitmapFile indexedFile(int width, int height, int tableEntries) {
    BitmapFile file;
    file.width = width;
    file.height = height;
    file.bitCount = 8;
    file.colorsUsed = tableEntries == 256 ? 0 : static_cast<uint32_t>(tableEntries);
    file.palette.assign(4 * static_cast<std::size_t>(tableEntries), 0x77);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Bytes rgb = colourAt(x, y);
            unsigned char* entry = &file.palette[4 * static_cast<std::size_t>(y * width + x)];
            entry[0] = rgb[2];
            entry[1] = rgb[1];
            entry[2] = rgb[0];
        }
    }
    for (int k = 0; k < height; ++k) {
        Bytes row;
        for (int x = 0; x < width; ++x) {
            row.push_back(static_cast<unsigned char>((height - 1 - k) * width + x));
        }
        file.rows.push_back(row);
    }
    return file;
}

class LoadTextureBitmapTest : public ScratchDirectoryTest {
protected:
    void SetUp() override {
        ScratchDirectoryTest::SetUp();
        viewer = ViewerState{};
        platformDouble = PlatformDouble{};
    }

    void TearDown() override {
        release();
        ScratchDirectoryTest::TearDown();
    }

    // Frees the buffer of the previous load, if any.
    void release() {
        if (viewer.texturePixels == loaded) {
            viewer.texturePixels = nullptr;
        }
        delete[] loaded;
        loaded = nullptr;
    }

    // Writes japan.bmp and loads it; the buffer lives until the next load.
    int load(const Bytes& bytes) {
        release();
        writeFile("japan.bmp", bytes);
        const int code = loadTextureBitmap();
        if (viewer.texturePixels != sentinel) {
            loaded = viewer.texturePixels;
        }
        return code;
    }

    // The buffer as bytes; empty when absent.
    Bytes pixels() const {
        if (viewer.texturePixels == nullptr) {
            return {};
        }
        const std::size_t size = 3 * static_cast<std::size_t>(viewer.textureWidth) *
                                 static_cast<std::size_t>(viewer.textureHeight);
        return Bytes(viewer.texturePixels, viewer.texturePixels + size);
    }

    // Marks the result variables so that a refused load can be seen to leave them.
    void markState() {
        viewer.texturePixels = sentinel;
        viewer.textureWidth = 7;
        viewer.textureHeight = 9;
    }

    void expectStateUntouched() const {
        EXPECT_EQ(viewer.texturePixels, sentinel);
        EXPECT_EQ(viewer.textureWidth, 7);
        EXPECT_EQ(viewer.textureHeight, 9);
    }

    void expectLoadsAs(const Bytes& bytes, int width, int height, const Bytes& expected) {
        ASSERT_EQ(load(bytes), bitmapLoaded);
        EXPECT_EQ(viewer.textureWidth, width);
        EXPECT_EQ(viewer.textureHeight, height);
        EXPECT_EQ(pixels(), expected);
    }

    void expectRefused(const Bytes& bytes, int code) {
        markState();
        EXPECT_EQ(load(bytes), code);
        expectStateUntouched();
    }

    unsigned char sentinelByte = 0;
    unsigned char* const sentinel = &sentinelByte;
    unsigned char* loaded = nullptr;
};

TEST_F(LoadTextureBitmapTest, RowsArePaddedInTheFileAndPackedInTheBuffer) {
    for (int width : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(width);
        expectLoadsAs(bitmapBytes(truecolourFile(width, 3)), width, 3, expectedPixels(width, 3));
    }
}

// Blue-green-red pixels turn to red-green-blue, and the rows turn over.
TEST_F(LoadTextureBitmapTest, FirstFileRowBecomesTheLastBufferRow) {
    BitmapFile file;
    file.width = 2;
    file.height = 2;
    file.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
    expectLoadsAs(bitmapBytes(file), 2, 2, {9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4});
}

TEST_F(LoadTextureBitmapTest, EightBitPixelsAreExpandedThroughTheColourTable) {
    expectLoadsAs(bitmapBytes(indexedFile(3, 2, 256)), 3, 2, expectedPixels(3, 2));
}

TEST_F(LoadTextureBitmapTest, ShortColourTableIsFollowedByThePixelsAtTheirOffset) {
    BitmapFile file = indexedFile(3, 2, 6);
    file.gapBeforePixels = 10;
    expectLoadsAs(bitmapBytes(file), 3, 2, expectedPixels(3, 2));
}

TEST_F(LoadTextureBitmapTest, IndexBeyondTheColourTableGivesBlack) {
    BitmapFile file = indexedFile(2, 1, 2);
    file.rows = {{1, 200}};
    const Bytes second = colourAt(1, 0);
    expectLoadsAs(bitmapBytes(file), 2, 1, {second[0], second[1], second[2], 0, 0, 0});
}

TEST_F(LoadTextureBitmapTest, TopDownFileLoadsLikeItsBottomUpTwin) {
    expectLoadsAs(bitmapBytes(truecolourFile(5, 4, true)), 5, 4, expectedPixels(5, 4));
}

TEST_F(LoadTextureBitmapTest, LongerInfoHeadersPlaceThePixelsByTheirOffset) {
    for (uint32_t headerSize : {108u, 124u}) {
        SCOPED_TRACE(headerSize);
        BitmapFile file = truecolourFile(5, 3);
        file.infoHeaderSize = headerSize;
        file.gapBeforePixels = 6;
        expectLoadsAs(bitmapBytes(file), 5, 3, expectedPixels(5, 3));

        BitmapFile indexed = indexedFile(3, 2, 256);
        indexed.infoHeaderSize = headerSize;
        expectLoadsAs(bitmapBytes(indexed), 3, 2, expectedPixels(3, 2));
    }
}

TEST_F(LoadTextureBitmapTest, PlainFileIgnoresSignatureAndPixelOffset) {
    Bytes bytes = bitmapBytes(truecolourFile(2, 2));
    bytes[0] = 'X';
    bytes[1] = 'Y';
    patchU32(bytes, 10, 9999);
    expectLoadsAs(bytes, 2, 2, expectedPixels(2, 2));

    // A full colour table: the rows follow it, whatever the offset says.
    Bytes indexed = bitmapBytes(indexedFile(3, 2, 256));
    patchU32(indexed, 10, 54);
    expectLoadsAs(indexed, 3, 2, expectedPixels(3, 2));
}

TEST_F(LoadTextureBitmapTest, BytesAfterTheLastRowAreIgnored) {
    Bytes bytes = bitmapBytes(truecolourFile(3, 2));
    bytes.insert(bytes.end(), 5000, 0x55);
    expectLoadsAs(bytes, 3, 2, expectedPixels(3, 2));
}

// A pipe must be refused without waiting for a writer.
TEST_F(LoadTextureBitmapTest, AMissingFileADirectoryOrAPipeCannotBeOpened) {
    const char* const kinds[] = {"missing", "directory", "pipe"};
    for (const char* kind : kinds) {
        SCOPED_TRACE(kind);
        std::filesystem::remove("japan.bmp");
        if (kind == kinds[1]) {
            ASSERT_TRUE(std::filesystem::create_directory("japan.bmp"));
        } else if (kind == kinds[2]) {
            ASSERT_EQ(mkfifo("japan.bmp", 0600), 0);
        }
        markState();
        EXPECT_EQ(loadTextureBitmap(), bitmapCannotOpen);
        expectStateUntouched();
    }
}

// The program's folder: a subfolder of the scratch working directory, with its own texture.
class TextureBesideTheProgramTest : public LoadTextureBitmapTest {
protected:
    void SetUp() override {
        LoadTextureBitmapTest::SetUp();
        ASSERT_TRUE(std::filesystem::create_directory("program"));
        platformDouble.executableFolder = (scratch / "program" / "").string();
        writeFile("program/japan.bmp", bitmapBytes(truecolourFile(3, 2)));
    }
};

TEST_F(TextureBesideTheProgramTest, IsReadOnlyWhenTheWorkingDirectoryHasNone) {
    EXPECT_EQ(texturePath(), platformDouble.executableFolder + "japan.bmp");
    ASSERT_EQ(loadTextureBitmap(), bitmapLoaded);
    loaded = viewer.texturePixels;
    EXPECT_EQ(viewer.textureWidth, 3);
    EXPECT_EQ(pixels(), expectedPixels(3, 2));

    expectLoadsAs(bitmapBytes(truecolourFile(5, 4)), 5, 4, expectedPixels(5, 4));
    EXPECT_EQ(texturePath(), "japan.bmp");
}

// A broken texture must be noticed, not replaced by the one beside the program.
TEST_F(TextureBesideTheProgramTest, IsNotReadInPlaceOfARefusedOne) {
    ASSERT_TRUE(std::filesystem::create_directory("japan.bmp"));
    markState();
    EXPECT_EQ(loadTextureBitmap(), bitmapCannotOpen);
    expectStateUntouched();
    std::filesystem::remove("japan.bmp");
    ASSERT_EQ(symlink("nowhere.bmp", "japan.bmp"), 0);  // dangling
    EXPECT_EQ(loadTextureBitmap(), bitmapCannotOpen);
    expectStateUntouched();
    std::filesystem::remove("japan.bmp");

    const Bytes whole = bitmapBytes(truecolourFile(5, 4));
    expectRefused(Bytes(whole.begin(), whole.end() - 10), bitmapMalformed);
    expectRefused({}, bitmapMalformed);
    BitmapFile deep = truecolourFile(2, 2);
    deep.bitCount = 32;
    expectRefused(bitmapBytes(deep), bitmapUnsupportedBitCount);
}

TEST_F(TextureBesideTheProgramTest, MissingThereTooCannotBeOpened) {
    std::filesystem::remove("program/japan.bmp");
    markState();
    EXPECT_EQ(loadTextureBitmap(), bitmapCannotOpen);
    expectStateUntouched();
}

TEST_F(LoadTextureBitmapTest, OtherBitCountsAreUnsupported) {
    for (int bitCount : {1, 4, 16, 32}) {
        SCOPED_TRACE(bitCount);
        BitmapFile file;
        file.width = 4;
        file.height = 2;
        file.bitCount = bitCount;
        file.rows = {Bytes(static_cast<std::size_t>(bitCount) / 2, 1),
                     Bytes(static_cast<std::size_t>(bitCount) / 2, 2)};
        const Bytes bytes = bitmapBytes(file);
        expectRefused(bytes, bitmapUnsupportedBitCount);
        // Judged on the headers alone, before any pixel data.
        expectRefused(Bytes(bytes.begin(), bytes.begin() + 54), bitmapUnsupportedBitCount);
    }
}

TEST_F(LoadTextureBitmapTest, FilesCutShortAreMalformed) {
    const Bytes truecolour = bitmapBytes(truecolourFile(5, 3));  // 54 + 3 x 16 bytes
    const Bytes indexed = bitmapBytes(indexedFile(3, 2, 256));   // 54 + 1024 + 2 x 4 bytes
    const struct {
        const Bytes& bytes;
        std::size_t length;
    } cuts[] = {
        {truecolour, 0},                      // empty file
        {truecolour, 10},                     // in the file header
        {truecolour, 14},                     // before the info header
        {truecolour, 30},                     // in the info header
        {truecolour, 53},                     // one byte short of the headers
        {truecolour, 54},                     // no rows at all
        {truecolour, 54 + 20},                // in the second row
        {truecolour, truecolour.size() - 1},  // in the last row's padding
        {indexed, 54 + 500},                  // in the colour table
        {indexed, indexed.size() - 3},        // in the last row
    };
    for (const auto& cut : cuts) {
        SCOPED_TRACE(cut.length);
        expectRefused(Bytes(cut.bytes.begin(), cut.bytes.begin() + cut.length), bitmapMalformed);
    }
}

TEST_F(LoadTextureBitmapTest, SizesOutOfRangeAreMalformed) {
    const struct {
        int32_t width;
        int32_t height;
    } sizes[] = {
        {0, 2},         {2, 0},         {-2, 2},
        {16385, 1},     {1, 16385},     {1, -16385},
        {INT32_MAX, 1}, {1, INT32_MIN}, {INT32_MIN, INT32_MIN},
        {16384, 16384},  // allowed, but the file holds none of its 768 MiB
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(::testing::Message() << size.width << " x " << size.height);
        BitmapFile file = truecolourFile(2, 2);
        file.width = size.width;
        file.height = size.height;
        expectRefused(bitmapBytes(file), bitmapMalformed);
    }
}

TEST_F(LoadTextureBitmapTest, UnusualHeadersAreMalformed) {
    BitmapFile compressed = indexedFile(2, 2, 256);
    compressed.compression = 1;  // run-length encoded
    expectRefused(bitmapBytes(compressed), bitmapMalformed);

    BitmapFile core = truecolourFile(2, 2);
    core.infoHeaderSize = 12;  // the old core header has 16-bit sizes
    expectRefused(bitmapBytes(core), bitmapMalformed);

    BitmapFile oversized = truecolourFile(2, 2);
    oversized.infoHeaderSize = 2000;
    expectRefused(bitmapBytes(oversized), bitmapMalformed);

    BitmapFile tooManyColours = indexedFile(2, 2, 256);
    tooManyColours.colorsUsed = 257;
    expectRefused(bitmapBytes(tooManyColours), bitmapMalformed);

    // Rows that would overlap the headers.
    BitmapFile v5 = truecolourFile(2, 2);
    v5.infoHeaderSize = 124;
    Bytes bytes = bitmapBytes(v5);
    patchU32(bytes, 10, 100);
    expectRefused(bytes, bitmapMalformed);
}

}  // namespace
