// The checker's output: each picture's line, with the same screenshots found elsewhere.
#include "check/check.h"
#include "sheet/sheet.h"

const char* readingName(ReadingKind kind) {
    switch (kind) {
        case ReadingKind::id:
            return "id";
        case ReadingKind::selection:
            return "selection";
        case ReadingKind::unreadable:
            return "unreadable";
        case ReadingKind::none:
            break;
    }
    return "none";
}

void findSameScreenshots(std::vector<CheckedPicture>& pictures) {
    for (std::size_t a = 0; a < pictures.size(); ++a) {
        for (std::size_t b = a + 1; b < pictures.size(); ++b) {
            const CheckedPicture& first = pictures[a];
            const CheckedPicture& second = pictures[b];
            const bool sameAuthor = first.author >= 0 && first.author == second.author;
            if (first.found.reportFile != second.found.reportFile && !sameAuthor &&
                sameScreenshot(first.fingerprint, second.fingerprint)) {
                pictures[a].sameAs.push_back(b);
                pictures[b].sameAs.push_back(a);
            }
        }
    }
}

std::string checkLine(const std::vector<CheckedPicture>& pictures, std::size_t index,
                      const std::vector<RosterEntry>& roster) {
    const CheckedPicture& picture = pictures[index];
    std::string same;
    for (const std::size_t other : picture.sameAs) {
        same += (same.empty() ? "" : " ") + printableText(pictures[other].found.source);
    }
    const std::string author =
        picture.author >= 0 ? printableText(roster[std::size_t(picture.author)].studentId) : "";
    return printableText(picture.found.source) + "\t" + readingName(picture.reading.kind) + "\t" +
           printableText(picture.text) + "\t" + author + "\t" + picture.verdict + "\t" + same;
}
