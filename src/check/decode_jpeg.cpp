// JPEG pictures through libjpeg-turbo, made 8-bit RGB.
// jpeglib.h needs size_t and FILE declared before it.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "check/check.h"

namespace {

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    std::string* error;
};

void onJpegError(j_common_ptr info) {
    JpegErrors& errors = *reinterpret_cast<JpegErrors*>(info->err);
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    *errors.error = std::string("damaged JPEG: ") + message;
    std::longjmp(errors.jump, 1);
}

void onJpegMessage(j_common_ptr, int) {}

// Everything longjmp may come back to lives outside this function.
bool decode(jpeg_decompress_struct& info, JpegErrors& errors, const std::string& bytes,
            Picture& picture, std::string& error) {
    if (setjmp(errors.jump)) {
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (uint64_t{info.image_width} * info.image_height > maxPicturePixels) {
        error = "the picture claims " + std::to_string(info.image_width) + " x " +
                std::to_string(info.image_height) + " pixels, more than the limit of " +
                std::to_string(maxPicturePixels);
        return false;
    }
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        error = "a CMYK JPEG, not a screenshot";
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    const std::size_t row = std::size_t{info.output_width} * 3;
    picture.rgb.assign(row * info.output_height, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW line = picture.rgb.data() + row * info.output_scanline;
        jpeg_read_scanlines(&info, &line, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

bool decodeJpeg(const std::string& bytes, Picture& picture, std::string& error) {
    jpeg_decompress_struct info;
    JpegErrors errors;
    errors.error = &error;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = onJpegError;
    errors.manager.emit_message = onJpegMessage;
    Picture decoded;
    const bool ok = decode(info, errors, bytes, decoded, error);
    jpeg_destroy_decompress(&info);
    if (ok) {
        picture = std::move(decoded);
    }
    return ok;
}
