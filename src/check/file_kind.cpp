// What a file holds, told by its first bytes, and which names are looked at.
#include <algorithm>
#include <cctype>
#include <iterator>

#include "check/check.h"

FileKind fileKindOf(const std::string& bytes) {
    const auto starts = [&](const char* magic, std::size_t size, std::size_t at = 0) {
        return bytes.size() >= at + size && bytes.compare(at, size, magic, size) == 0;
    };
    if (starts("\x89PNG\r\n\x1a\n", 8)) {
        return FileKind::png;
    }
    if (starts("\xff\xd8\xff", 3)) {
        return FileKind::jpeg;
    }
    if (starts("RIFF", 4) && starts("WEBP", 4, 8)) {
        return FileKind::webp;
    }
    if (starts("BM", 2)) {
        return FileKind::bmp;
    }
    if (starts("PK\x03\x04", 4) || starts("PK\x05\x06", 4)) {
        return FileKind::zip;
    }
    // A PDF may have a few bytes of junk before its header (after all the
    // signatures above, as a stored member of a zip holds one too); readers accept that.
    if (bytes.substr(0, 1024).find("%PDF-") != std::string::npos) {
        return FileKind::pdf;
    }
    return FileKind::unknown;
}

bool isExaminedName(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.find('/', dot) != std::string::npos) {
        return false;
    }
    std::string extension = name.substr(dot + 1);
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    static const char* const examined[] = {"png", "jpg",  "jpeg", "bmp", "webp",
                                           "pdf", "docx", "odt",  "zip"};
    return std::any_of(std::begin(examined), std::end(examined),
                       [&](const char* known) { return extension == known; });
}
