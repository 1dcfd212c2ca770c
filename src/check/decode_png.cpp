// PNG pictures through libpng, any colour type and depth made 8-bit RGB.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "check/check.h"

namespace {

struct PngInput {
    const std::string* bytes;
    std::size_t at;
    std::string* error;
};

void onPngError(png_structp png, png_const_charp message) {
    *static_cast<PngInput*>(png_get_error_ptr(png))->error = std::string("damaged PNG: ") + message;
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep data, png_size_t size) {
    PngInput& input = *static_cast<PngInput*>(png_get_io_ptr(png));
    if (input.bytes->size() - input.at < size) {
        png_error(png, "the file ends too early");
    }
    std::memcpy(data, input.bytes->data() + input.at, size);
    input.at += size;
}

// Everything setjmp may come back to lives outside this function.
bool decode(png_structp png, png_infop info, Picture& picture, std::vector<png_bytep>& rows,
            std::string& error) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (uint64_t{width} * height > maxPicturePixels) {
        error = "the picture claims " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels, more than the limit of " + std::to_string(maxPicturePixels);
        return false;
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t{width} * 3) {
        error = "damaged PNG: an unexpected pixel layout";
        return false;
    }
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.rgb.assign(std::size_t{width} * height * 3, 0);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = picture.rgb.data() + std::size_t{y} * width * 3;
    }
    png_read_image(png, rows.data());
    return true;
}

}  // namespace

bool decodePng(const std::string& bytes, Picture& picture, std::string& error) {
    PngInput input{&bytes, 0, &error};
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &input, onPngError, onPngWarning);
    if (png == nullptr) {
        error = "libpng could not start";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        error = "libpng could not start";
        return false;
    }
    // Sides up to the pixel limit; libpng's own default stops at a million.
    png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    png_set_read_fn(png, &input, readBytes);
    std::vector<png_bytep> rows;
    Picture decoded;
    const bool ok = decode(png, info, decoded, rows, error);
    png_destroy_read_struct(&png, &info, nullptr);
    if (ok) {
        picture = std::move(decoded);
    }
    return ok;
}
