// Turning a typed student ID into its seed.
#include <cstdlib>
#include <cstring>

#include "identity/identity.h"

const char* const refusedStudentIdMessage =
    "Student ID must be 8 digits or alphabets. Try again.\n";

int parseStudentId(const char* text) {
    if (text == nullptr || std::strlen(text) != 8) {
        return -1;
    }
    char digits[9] = {};
    for (int i = 0; i < 8; ++i) {
        const char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            digits[i] = static_cast<char>('0' + (c - 64) % 10);
        } else if (c >= 'a' && c <= 'z') {
            digits[i] = static_cast<char>('0' + (c - 96) % 10);
        } else {
            digits[i] = c;
        }
    }
    const long value = std::strtol(digits, nullptr, 10);
    // A leading '-' would give a negative seed, which no selection can take.
    if (value <= 0) {
        return -1;
    }
    return static_cast<int>(value);
}
