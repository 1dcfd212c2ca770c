// WebP pictures through libwebp, made 8-bit RGB.
#include <webp/decode.h>

#include "check/check.h"

bool decodeWebp(const std::string& bytes, Picture& picture, std::string& error) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    int width = 0;
    int height = 0;
    if (!WebPGetInfo(data, bytes.size(), &width, &height)) {
        error = "damaged WebP: no picture header";
        return false;
    }
    if (uint64_t(width) * uint64_t(height) > maxPicturePixels) {
        error = "the picture claims " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels, more than the limit of " + std::to_string(maxPicturePixels);
        return false;
    }
    Picture decoded;
    decoded.width = width;
    decoded.height = height;
    decoded.rgb.resize(std::size_t(width) * height * 3);
    if (WebPDecodeRGBInto(data, bytes.size(), decoded.rgb.data(), decoded.rgb.size(), width * 3) ==
        nullptr) {
        error = "damaged WebP: the pixels cannot be decoded";
        return false;
    }
    picture = std::move(decoded);
    return true;
}
