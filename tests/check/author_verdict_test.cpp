// Whose report a picture is, and what its reading says about it.
#include <gtest/gtest.h>

#include "check/check.h"

namespace {

std::vector<RosterEntry> classRoster() {
    return {{"24T11099", "takada", "24011099", "髙田 花子", 2},
            {"24T11100", "suzuki", "24011100", "", 3},
            {"ab12CD9z", "tanaka", "12123496", "Tanaka Ichiro", 4},
            {"24T1109I", "sato", "24011099", "", 5},
            {"24T1109l", "kato", "24011092", "", 6}};
}

StatusReading reading(ReadingKind kind) {
    StatusReading result;
    result.kind = kind;
    return result;
}

}  // namespace

TEST(Author, IsTheOneStudentAFolderOrFileNameHoldsIgnoringCaseSpacesAndFullWidthForms) {
    const std::vector<RosterEntry> roster = classRoster();
    EXPECT_EQ(authorOfSource("all.zip/24t11099_report/report.pdf#2", roster), 0);
    EXPECT_EQ(authorOfSource("all/髙田花子/shot.png", roster), 0);
    EXPECT_EQ(authorOfSource("all/ＳＵＺＵＫＩ/shot.png", roster), 1);
    EXPECT_EQ(authorOfSource("all/tanaka ichiro/shot.png", roster), 2);
    EXPECT_EQ(authorOfSource("all/TanakaIchiro.docx#1", roster), 2);
    // Two students named, or none: no author.
    EXPECT_EQ(authorOfSource("all/suzuki/from-tanaka.png", roster), -1);
    EXPECT_EQ(authorOfSource("all/someone/shot.png", roster), -1);
    // A name split over two folders names nobody.
    EXPECT_EQ(authorOfSource("suzu/ki.png", roster), -1);
}

TEST(Verdict, IsMatchOnlyForTheAuthorsOwnIdInEitherLetterCase) {
    const std::vector<RosterEntry> roster = classRoster();
    const StatusReading id = reading(ReadingKind::id);
    EXPECT_EQ(verdictOf(id, "AB12cd9Z", 2, roster), "match");
    EXPECT_EQ(verdictOf(id, "24T11100", 0, roster), "mismatch");  // a classmate's
    EXPECT_EQ(verdictOf(id, "24T1109", 0, roster), "mismatch");   // not on the roster
    EXPECT_EQ(verdictOf(id, "24T11099", -1, roster), "unknown");
    // An I or l that two roster IDs fit accuses neither of them, but does another.
    EXPECT_EQ(verdictOf(id, "24T1109[Il]", 3, roster), "unknown");
    EXPECT_EQ(verdictOf(id, "24T1109[Il]", 4, roster), "unknown");
    EXPECT_EQ(verdictOf(id, "24T1109[Il]", 0, roster), "mismatch");
    EXPECT_EQ(verdictOf(reading(ReadingKind::selection), "", 0, roster), "unknown");
    EXPECT_EQ(verdictOf(reading(ReadingKind::unreadable), "", 0, roster), "unknown");
}
