// Fuzz target: any bytes as a class roster file. Accepted rosters hold only
// rows the program can use; refusals name the file and a line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "identity/identity.h"

namespace {

void expect(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_roster: %s\n", what);
        std::abort();
    }
}

bool isDecimalSeed(const std::string& text) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0')) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return std::strtoll(text.c_str(), nullptr, 10) <= 2147483647;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<RosterEntry> entries;
    std::string error;
    if (!parseRoster(text, "class.csv", entries, error)) {
        expect(entries.empty(), "a refused roster changed the entries");
        const std::size_t colon = error.find(": ", 10);
        expect(error.compare(0, 10, "class.csv:") == 0 && colon != std::string::npos &&
                   colon > 10 && error.find_first_not_of("0123456789", 10) == colon,
               "a refusal without \"class.csv:<line>: \"");
        return 0;
    }
    expect(!entries.empty(), "an accepted roster without students");
    std::set<std::string> logins;
    int previousLine = 1;
    for (const RosterEntry& entry : entries) {
        expect(!entry.studentId.empty() && entry.studentId.size() <= 51,
               "a student ID that is empty or does not fit the status line");
        expect(!entry.loginName.empty() && entry.loginName.size() <= 63,
               "a login name that is empty or can never match");
        expect(entry.loginName != fallbackLoginName, "the fallback login name registered");
        expect(logins.insert(entry.loginName).second, "a login name registered twice");
        expect(isDecimalSeed(entry.seedText), "a seed text that is not 0 to 2147483647");
        expect(entry.line > previousLine, "rows out of line order");
        previousLine = entry.line;
    }
    return 0;
}
