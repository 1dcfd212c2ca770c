// Which column a roster's header cell names, in English or as a Japanese office writes it.
#include <string>

#include "identity/identity.h"

namespace {

// Half-width katakana and punctuation U+FF61..U+FF9F as their full-width forms.
const char16_t fullWidthKana[] =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
    u"ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
constexpr char32_t halfWidthVoicedMark = 0xff9e;
constexpr char32_t halfWidthSemiVoicedMark = 0xff9f;

// The code point of the UTF-8 sequence at text[at], moving at past it; a
// byte that starts no sequence stands for itself.
char32_t nextCodePoint(const std::string& text, std::size_t& at) {
    const unsigned lead = static_cast<unsigned char>(text[at++]);
    const std::size_t length = lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : 0;
    char32_t value = length == 0 ? lead : lead & (0x3fu >> length);
    for (std::size_t k = 0; k < length && at < text.size(); ++k) {
        value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3fu);
    }
    return value;
}

void appendUtf8(std::string& out, char32_t value) {
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xc0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3f));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xe0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (value & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (value & 0x3f));
    }
}

// A katakana with a voiced (or semi-voiced) mark as one character: カ+゛ is ガ.
char32_t withMark(char32_t kana, char32_t mark) {
    const std::u16string voiceable = u"カキクケコサシスセソタチツテトハヒフヘホ";
    const std::u16string semiVoiceable = u"ハヒフヘホ";
    if (mark == halfWidthVoicedMark && kana == U'ウ') {
        return U'ヴ';
    }
    if (mark == halfWidthVoicedMark &&
        voiceable.find(static_cast<char16_t>(kana)) != voiceable.npos) {
        return kana + 1;
    }
    if (mark == halfWidthSemiVoicedMark &&
        semiVoiceable.find(static_cast<char16_t>(kana)) != semiVoiceable.npos) {
        return kana + 2;
    }
    return 0;
}

// What halfWidthText leaves of the width forms: full-width punctuation as
// ASCII, half-width katakana as full-width; then ASCII letters in lower case.
std::string foldedHeader(const std::string& text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        char32_t value = nextCodePoint(text, at);
        if (value >= 0xff01 && value <= 0xff5e) {
            value -= 0xfee0;
        } else if (value >= 0xff61 && value <= 0xff9f) {
            value = fullWidthKana[value - 0xff61];
            std::size_t next = at;
            if (next < text.size()) {
                if (const char32_t marked = withMark(value, nextCodePoint(text, next))) {
                    value = marked;
                    at = next;
                }
            }
        }
        if (value >= 'A' && value <= 'Z') {
            value += 'a' - 'A';
        }
        appendUtf8(out, value);
    }
    return out;
}

}  // namespace

RosterColumn rosterColumnOfHeader(const std::string& header) {
    struct Name {
        const char* text;
        RosterColumn column;
    };
    static const Name names[] = {
        {"student_id", RosterColumn::studentId},
        {"学籍番号", RosterColumn::studentId},
        {"login_name", RosterColumn::loginName},
        {"ログイン名", RosterColumn::loginName},
        {"ユーザー名", RosterColumn::loginName},
        {"ユーザ名", RosterColumn::loginName},
        {"アカウント", RosterColumn::loginName},
        {"seed", RosterColumn::seed},
        {"name", RosterColumn::name},
        {"氏名", RosterColumn::name},
        {"名前", RosterColumn::name},
    };
    const std::string folded = trimmedText(foldedHeader(halfWidthText(header)));
    for (const Name& name : names) {
        if (folded == name.text) {
            return name.column;
        }
    }
    return RosterColumn::other;
}
