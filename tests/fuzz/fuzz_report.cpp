// Fuzz target: any bytes as a handed-in file (picture, PDF, DOCX, ODT, zip,
// nested). Every picture found is whole and named after the file; every
// refusal names it (a member's name may hold any byte: printing escapes them).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "check/check.h"

namespace {

void expect(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_report: %s\n", what);
        std::abort();
    }
}

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    UnpackBudget budget;
    // Small enough that each input stays well within the fuzzer's time limit.
    budget.bytesLeft = 64 << 20;
    budget.deadline = checkClockSeconds() + 5;
    findPictures(
        "report", {"0"}, bytes, 0, budget,
        [](const FoundPicture& found, const Picture& picture) {
            expect(startsWith(found.source, "report") && startsWith(found.source, found.reportFile),
                   "a picture named after another file");
            expect(picture.width > 0 && picture.height > 0 &&
                       picture.rgb.size() == std::size_t(picture.width) * picture.height * 3,
                   "a picture whose pixels do not fill it");
        },
        [](const std::string& message) {
            expect(startsWith(message, "report: ") || startsWith(message, "report/") ||
                       startsWith(message, "report#"),
                   "a refusal that does not name the file");
        });
    return 0;
}
