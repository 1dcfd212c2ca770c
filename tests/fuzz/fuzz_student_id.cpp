// Fuzz target: any text as a typed student ID. The seed is -1 or a positive
// number of at most eight digits, and letters count as digits in either case.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "identity/identity.h"

namespace {

void expect(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_student_id: %s\n", what);
        std::abort();
    }
}

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}

// The same ID with the case of every ASCII letter swapped.
std::string swapCase(std::string text) {
    for (char& c : text) {
        if (isUpper(c)) {
            c = static_cast<char>(c - 'A' + 'a');
        } else if (isLower(c)) {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// The same ID with every letter written as the digit it stands for: A and K are
// 1, J and T are 0, counting on through the alphabet.
std::string lettersAsDigits(std::string text) {
    for (char& c : text) {
        if (isUpper(c) || isLower(c)) {
            const int position = (isUpper(c) ? c - 'A' : c - 'a') + 1;
            c = static_cast<char>('0' + position % 10);
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // What the prompt hands over is a zero-terminated word; bytes after a zero are ignored.
    const std::string text(reinterpret_cast<const char*>(data),
                           strnlen(reinterpret_cast<const char*>(data), size));
    const int seed = parseStudentId(text.c_str());

    expect(seed == -1 || (seed > 0 && seed <= 99999999),
           "a seed that is neither -1 nor a positive number of at most eight digits");
    if (text.size() != 8) {
        expect(seed == -1, "an ID that is not 8 characters long was accepted");
    }
    expect(parseStudentId(swapCase(text).c_str()) == seed, "letter case changed the seed");
    expect(parseStudentId(lettersAsDigits(text).c_str()) == seed,
           "a letter and the digit it stands for give different seeds");
    return 0;
}
