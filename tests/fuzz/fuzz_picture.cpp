// Fuzz target: any bytes as a picture file. A decoded picture holds exactly
// its pixels, within the pixel limit; a refusal says why.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "check/check.h"

namespace {

void expect(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_picture: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Picture picture;
    std::string error;
    if (decodePicture(bytes, picture, error)) {
        expect(picture.width > 0 && picture.height > 0, "a decoded picture without pixels");
        expect(uint64_t(picture.width) * uint64_t(picture.height) <= maxPicturePixels,
               "a decoded picture over the pixel limit");
        expect(picture.rgb.size() == std::size_t(picture.width) * picture.height * 3,
               "a decoded picture's pixels do not fill it");
    } else {
        expect(!error.empty() && error.find('\n') == std::string::npos,
               "a refusal without its one-line reason");
        expect(picture.rgb.empty(), "a refused picture left pixels behind");
    }
    return 0;
}
