// Full-width digits, Latin letters and the ideographic space read as ASCII.
#include <string>

#include "identity/identity.h"

std::string halfWidthText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = [&](std::size_t k) {
            return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0u;
        };
        // U+3000 is E3 80 80; U+FF10..U+FF5A are EF BC 90..EF BD 9A.
        if (byte(0) == 0xe3 && byte(1) == 0x80 && byte(2) == 0x80) {
            out += ' ';
            at += 2;
            continue;
        }
        if (byte(0) == 0xef && (byte(1) == 0xbc || byte(1) == 0xbd) && byte(2) >= 0x80 &&
            byte(2) <= 0xbf) {
            const unsigned codePoint = 0xff00 + ((byte(1) - 0xbc) << 6) + (byte(2) - 0x80);
            const unsigned ascii = codePoint - 0xff00 + 0x20;
            const bool digit = ascii >= '0' && ascii <= '9';
            const bool letter = (ascii >= 'A' && ascii <= 'Z') || (ascii >= 'a' && ascii <= 'z');
            if (digit || letter) {
                out += static_cast<char>(ascii);
                at += 2;
                continue;
            }
        }
        out += text[at];
    }
    return out;
}
