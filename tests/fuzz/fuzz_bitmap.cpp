// Fuzz target: any bytes as japan.bmp, read by the file loader and by the
// in-memory decoder, which must agree and stay within their buffers.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/viewer_state.h"
#include "image/image.h"

namespace {

std::string scratchDirectory;
int textureFile = -1;  // japan.bmp in scratchDirectory, rewritten for every input

void expect(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_bitmap: %s\n", what);
        std::abort();
    }
}

void removeScratch() {
    std::remove((scratchDirectory + "/japan.bmp").c_str());
    rmdir(scratchDirectory.c_str());
}

// Rewrites the one open file in place: much cheaper than creating it anew.
void writeTexture(const uint8_t* data, size_t size) {
    expect(ftruncate(textureFile, static_cast<off_t>(size)) == 0, "cannot resize japan.bmp");
    expect(size == 0 || pwrite(textureFile, data, size, 0) == static_cast<ssize_t>(size),
           "cannot write japan.bmp");
}

}  // namespace

// The loader reads "japan.bmp" from the working directory: work in a private one.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/cgdemo-fuzz-bitmap-XXXXXX";
    expect(mkdtemp(pattern.data()) != nullptr, "cannot make a scratch directory");
    scratchDirectory = pattern;
    expect(chdir(scratchDirectory.c_str()) == 0, "cannot enter the scratch directory");
    textureFile = open("japan.bmp", O_RDWR | O_CREAT | O_TRUNC, 0600);
    expect(textureFile != -1, "cannot create japan.bmp in the scratch directory");
    std::atexit(removeScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    writeTexture(data, size);
    viewer = ViewerState{};
    const int loaded = loadTextureBitmap();
    DecodedBitmap image;
    const int decoded = decodeBitmap(data, size, &image);

    expect(loaded == decoded, "the file loader and the decoder disagree on the result");
    if (decoded == bitmapLoaded) {
        expect(image.width >= 1 && image.width <= bitmapMaxSide && image.height >= 1 &&
                   image.height <= bitmapMaxSide,
               "an accepted image has a side out of range");
        expect(viewer.textureWidth == image.width && viewer.textureHeight == image.height,
               "the loader published another size than the decoder's");
        const size_t bytes = size_t{3} * static_cast<size_t>(image.width) * image.height;
        // Touches every byte of both buffers, so the sanitizer checks their extent.
        expect(std::memcmp(viewer.texturePixels, image.pixels, bytes) == 0,
               "the file loader and the decoder give different pixels");
    } else {
        expect(loaded == bitmapCannotOpen || loaded == bitmapUnsupportedBitCount ||
                   loaded == bitmapMalformed,
               "an unknown result code");
        expect(viewer.texturePixels == nullptr && image.pixels == nullptr,
               "a refused file left a pixel buffer behind");
        expect(viewer.textureWidth == 0 && viewer.textureHeight == 0,
               "a refused file changed the texture size");
    }
    delete[] image.pixels;
    delete[] viewer.texturePixels;
    viewer = ViewerState{};
    return 0;
}
