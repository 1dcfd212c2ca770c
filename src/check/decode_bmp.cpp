// BMP pictures through the program's own bitmap decoder.
#include "check/check.h"
#include "image/image.h"

bool decodeBmp(const std::string& bytes, Picture& picture, std::string& error) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    BitmapLayout layout;
    int result = readBitmapLayout(data, bytes.size(), &layout);
    if (result == bitmapLoaded &&
        uint64_t(layout.width) * uint64_t(layout.height) > maxPicturePixels) {
        error = "the picture claims " + std::to_string(layout.width) + " x " +
                std::to_string(layout.height) + " pixels, more than the limit of " +
                std::to_string(maxPicturePixels);
        return false;
    }
    DecodedBitmap image;
    if (result == bitmapLoaded) {
        result = decodeBitmap(data, bytes.size(), &image);
    }
    if (result == bitmapUnsupportedBitCount) {
        error = "a BMP of other than 24 or 8 bits per pixel, which is not read";
        return false;
    }
    if (result != bitmapLoaded) {
        error = "damaged BMP, or one with compression or sides over " +
                std::to_string(bitmapMaxSide) + " pixels";
        return false;
    }
    picture.width = image.width;
    picture.height = image.height;
    picture.rgb.assign(image.pixels, image.pixels + std::size_t(image.width) * image.height * 3);
    delete[] image.pixels;
    return true;
}
