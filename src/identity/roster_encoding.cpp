// A roster file's content as UTF-8: UTF-8 as it is, Shift_JIS converted by the C library's iconv.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "identity/identity.h"

namespace {

const char* const saveAdvice =
    "save the sheet as \"CSV UTF-8 (comma delimited)\" or \"CSV (comma delimited)\"";

// Length of the UTF-8 sequence at text[at], 0 when it is not valid UTF-8
// (overlong forms, surrogates, values past U+10FFFF and the zero byte are not).
std::size_t utf8SequenceAt(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t k) {
        return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0u;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80) {
        return lead == 0 ? 0 : 1;
    }
    std::size_t length;
    unsigned low = 0x80, high = 0xbf;  // range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xbf) {
            return 0;
        }
    }
    return length;
}

// Offset of the first byte from start on that is not UTF-8 text; content.size() if none.
std::size_t utf8End(const std::string& content, std::size_t start) {
    std::size_t at = start;
    while (at < content.size()) {
        const std::size_t length = utf8SequenceAt(content, at);
        if (length == 0) {
            break;
        }
        at += length;
    }
    return at;
}

// Converts code page 932 to UTF-8 into text; returns the offset of the first
// byte it cannot convert, content.size() when it converted all. A zero byte
// is not text in either encoding.
std::size_t convertCp932(const std::string& content, std::string& text) {
    const std::size_t length = std::min(content.find('\0'), content.size());
    const iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return 0;
    }
    std::string input = content.substr(0, length);
    char* in = input.data();
    std::size_t inLeft = input.size();
    // A Shift_JIS character of one or two bytes takes at most three in UTF-8.
    std::string output(input.size() * 3, '\0');
    char* out = output.data();
    std::size_t outLeft = output.size();
    const bool converted =
        iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
    iconv_close(converter);
    output.resize(output.size() - outLeft);
    text = output;
    return converted ? length : length - inLeft;
}

// Line of the byte at offset: line ends are CRLF, LF or a lone CR.
int lineAt(const std::string& content, std::size_t offset) {
    int line = 1;
    for (std::size_t at = 0; at < offset && at < content.size(); ++at) {
        const bool crlf = content[at] == '\r' && at + 1 < content.size() && content[at + 1] == '\n';
        if ((content[at] == '\n' || content[at] == '\r') && !crlf) {
            ++line;
        }
    }
    return line;
}

}  // namespace

bool decodeRosterText(const std::string& content, std::string& text, int& line,
                      std::string& reason) {
    if (content.compare(0, 2, "\xff\xfe") == 0 || content.compare(0, 2, "\xfe\xff") == 0) {
        line = 1;
        reason = std::string("UTF-16 text; ") + saveAdvice;
        return false;
    }
    const bool byteOrderMark = content.compare(0, 3, "\xef\xbb\xbf") == 0;
    const std::size_t start = byteOrderMark ? 3 : 0;
    const std::size_t utf8Stop = utf8End(content, start);
    if (utf8Stop == content.size()) {
        text = content.substr(start);
        return true;
    }
    if (byteOrderMark) {
        line = lineAt(content, utf8Stop);
        reason = std::string("not UTF-8 text, though it begins as UTF-8 does; ") + saveAdvice;
        return false;
    }
    std::string converted;
    const std::size_t cp932Stop = convertCp932(content, converted);
    if (cp932Stop == content.size()) {
        text = converted;
        return true;
    }
    // The encoding that reads further is the one the file was most likely meant in.
    line = lineAt(content, std::max(utf8Stop, cp932Stop));
    reason = std::string("neither UTF-8 nor Shift_JIS text; ") + saveAdvice;
    return false;
}
