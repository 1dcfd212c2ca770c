// A picture file's content decoded by what it is, whatever its name says.
#include "check/check.h"

bool decodePicture(const std::string& bytes, Picture& picture, std::string& error) {
    switch (fileKindOf(bytes)) {
        case FileKind::png:
            return decodePng(bytes, picture, error);
        case FileKind::jpeg:
            return decodeJpeg(bytes, picture, error);
        case FileKind::webp:
            return decodeWebp(bytes, picture, error);
        case FileKind::bmp:
            return decodeBmp(bytes, picture, error);
        default:
            error = "not a PNG, JPEG, WebP or BMP picture";
            return false;
    }
}
