// The sheet's file names and escapes: no picture overwrites another, no input breaks the page.
#include <gtest/gtest.h>

#include "sheet/sheet.h"

namespace {

SheetStudent accepted(const std::string& id, int seed) {
    SheetStudent student;
    student.studentId = id;
    student.seed = seed;
    return student;
}

}  // namespace

TEST(SheetPictureNames, CollidingNamesGetNumbersAndRepeatsShareTheirPicture) {
    SheetStudent refused = accepted("a/b", -1);
    refused.refusal = "refused";
    std::vector<SheetStudent> students = {
        accepted("a/b", 1),      accepted("A:B", 2),  refused,
        accepted("a_b-2", 3),    accepted("a/b", 1),  accepted("a/b", 4),
        accepted("..hidden", 5), accepted("x\ty", 6),
    };
    const std::vector<std::string> notes = assignPictureNames(students);

    const std::vector<std::string> names = {"a_b.png",      "A_B-2.png", "",
                                            "a_b-2-2.png",  "a_b.png",   "a_b-3.png",
                                            "_.hidden.png", "x_y.png"};
    const std::vector<bool> draws = {true, true, false, true, false, true, true, true};
    for (size_t i = 0; i < students.size(); ++i) {
        EXPECT_EQ(students[i].pictureName, names[i]) << "student " << i;
        EXPECT_EQ(students[i].drawsPicture, draws[i]) << "student " << i;
    }
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0], "A:B is drawn as A_B-2.png: a_b.png is the picture of a/b");
}

TEST(SheetEscapes, MarkupUrlsAndTerminalLinesStayIntact) {
    EXPECT_EQ(escapeHtml("<a href=\"x\">&'</a>"),
              "&lt;a href=&quot;x&quot;&gt;&amp;&#39;&lt;/a&gt;");
    EXPECT_EQ(escapeUrl("a b#%?&'\xc3\xa9-._~Z9.png"), "a%20b%23%25%3F%26%27%C3%A9-._~Z9.png");
    EXPECT_EQ(printableText("a\nb\\c\x7f"), "a\\x0ab\\\\c\\x7f");
}
