// Identifying the student at start-up: login name, fallback name, then the console prompt.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/viewer_state.h"
#include "identity/identity.h"
#include "platform/platform.h"

namespace {

// viewer.loginName may point here for the rest of the run.
char systemLoginName[64];

// What the C library counts as white space, and the most of an ID kept.
const char* const blank = " \t\n\v\f\r";
constexpr std::size_t longestTypedId = 30;

// The first word typed, blank lines skipped; empty at the end of input.
std::string readTypedWord(std::FILE* in) {
    std::string line;
    while (platformReadLine(in, line)) {
        // Converted first, so that the ideographic space separates words too.
        const std::string text = halfWidthText(line);
        const std::size_t start = text.find_first_not_of(blank);
        if (start != std::string::npos) {
            const std::size_t end = std::min(text.find_first_of(blank, start), text.size());
            return text.substr(start, std::min(end - start, longestTypedId));
        }
    }
    return "";
}

// Reads one word at the prompt and returns its seed; ends the process on a
// rejected ID. Leaves viewer.studentIdText at a copy of the word.
int askForStudentId(std::FILE* in, std::FILE* out) {
    std::fputs("Input your student ID (8 digits number) >", out);
    std::fflush(out);
    const std::string typed = readTypedWord(in);
    // At the end of input the empty ID is rejected.
    const int seed = parseStudentId(typed.c_str());
    if (seed == -1) {
        fatalError(refusedStudentIdMessage);
    }
    char* copy = new char[typed.size() + 1];  // kept until exit
    std::memcpy(copy, typed.c_str(), typed.size() + 1);
    viewer.studentIdText = copy;
    return seed;
}

}  // namespace

void identifyStudentFrom(std::FILE* in, std::FILE* out) {
    viewer.loginName = nullptr;
    viewer.studentIdText = nullptr;
    viewer.personalSeed = -1;

    if (platformLoginName(systemLoginName, sizeof systemLoginName) > 0) {
        viewer.loginName = systemLoginName;
        viewer.personalSeed = lookupRegisteredStudent();
    }
    if (viewer.personalSeed == -1) {
        viewer.loginName = fallbackLoginName;
        viewer.personalSeed = lookupRegisteredStudent();
    }
    if (viewer.personalSeed == -1) {
        viewer.personalSeed = askForStudentId(in, out);
    }
}

void identifyStudent() {
    identifyStudentFrom(stdin, stdout);
}
