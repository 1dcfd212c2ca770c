// Identifying the student at start-up: login name, fallback name, then the console prompt.
#include <cstdio>
#include <cstring>

#include "app/viewer_state.h"
#include "identity/identity.h"
#include "platform/platform.h"

namespace {

// viewer.loginName may point here for the rest of the run.
char systemLoginName[64];

// Reads one word at the prompt and returns its seed; ends the process on a
// rejected ID. Leaves viewer.studentIdText at a copy of the word as typed.
int askForStudentId(std::FILE* in, std::FILE* out) {
    std::fputs("Input your student ID (8 digits number) >", out);
    std::fflush(out);
    char typed[32] = {};
    // At end of input nothing is read, and the empty ID is rejected.
    const bool read = std::fscanf(in, "%30s", typed) == 1;
    const int seed = read ? parseStudentId(typed) : -1;
    if (seed == -1) {
        fatalError(refusedStudentIdMessage);
    }
    const size_t size = std::strlen(typed) + 1;
    char* copy = new char[size];  // kept until exit
    std::memcpy(copy, typed, size);
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
    applyPersonalSeed();
}

void identifyStudent() {
    identifyStudentFrom(stdin, stdout);
}
