// The sheet's texts: a student's output line and the escapes for HTML, URLs and the terminal.
#include <cstdio>

#include "sheet/sheet.h"

namespace {

std::string hexByte(unsigned char byte, const char* format) {
    char text[8];
    std::snprintf(text, sizeof text, format, byte);
    return text;
}

}  // namespace

std::string escapeHtml(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += c;
                break;
        }
    }
    return escaped;
}

std::string escapeUrl(const std::string& fileName) {
    std::string escaped;
    for (const char c : fileName) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        escaped += plain ? std::string(1, c) : hexByte(byte, "%%%02X");
    }
    return escaped;
}

std::string printableText(const std::string& text) {
    std::string printable;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            printable += "\\\\";
        } else if (byte < 0x20 || byte == 0x7f) {
            printable += hexByte(byte, "\\x%02x");
        } else {
            printable += c;
        }
    }
    return printable;
}

std::string sheetLine(const SheetStudent& student) {
    const std::string id = printableText(student.studentId);
    if (!student.refusal.empty()) {
        return id + "\trefused: " + student.refusal;
    }
    return id + "\t" + std::to_string(student.seed) + "\t" + student.selection + "\t" +
           printableText(student.name);
}
