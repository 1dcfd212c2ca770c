// Conversion of typed student IDs to seeds.
#include <gtest/gtest.h>

#include <string>

#include "identity/identity.h"

TEST(ParseStudentId, AcceptsEightDigits) {
    EXPECT_EQ(parseStudentId("12345678"), 12345678);
    EXPECT_EQ(parseStudentId("99999999"), 99999999);
    EXPECT_EQ(parseStudentId("00000001"), 1);
}

TEST(ParseStudentId, MapsLettersOfBothCasesToTheSameDigits) {
    EXPECT_EQ(parseStudentId("ab12CD9z"), 12123496);
    EXPECT_EQ(parseStudentId("ABCDEFGH"), 12345678);
    EXPECT_EQ(parseStudentId("ijklmnop"), 90123456);
    EXPECT_EQ(parseStudentId("QRSTUVWX"), 78901234);
    for (char upper = 'A'; upper <= 'Z'; ++upper) {
        const char lower = static_cast<char>(upper - 'A' + 'a');
        const int digit = (upper - 'A' + 1) % 10;
        SCOPED_TRACE(std::string("letter ") + upper);
        EXPECT_EQ(parseStudentId(("1111111" + std::string(1, upper)).c_str()), 11111110 + digit);
        EXPECT_EQ(parseStudentId(("1111111" + std::string(1, lower)).c_str()), 11111110 + digit);
    }
}

TEST(ParseStudentId, RejectsWrongLengths) {
    EXPECT_EQ(parseStudentId(nullptr), -1);
    EXPECT_EQ(parseStudentId(""), -1);
    EXPECT_EQ(parseStudentId("1234567"), -1);
    EXPECT_EQ(parseStudentId("123456789"), -1);
    EXPECT_EQ(parseStudentId("abcdefgh1"), -1);
}

TEST(ParseStudentId, ReadsTheLeadingNumberOnly) {
    EXPECT_EQ(parseStudentId("1234567!"), 1234567);
    EXPECT_EQ(parseStudentId("12#45678"), 12);
    EXPECT_EQ(parseStudentId("+1234567"), 1234567);
}

TEST(ParseStudentId, RejectsAZeroLeadingNumber) {
    EXPECT_EQ(parseStudentId("jJtT0000"), -1);
    EXPECT_EQ(parseStudentId("00000000"), -1);
    EXPECT_EQ(parseStudentId("!2345678"), -1);
    EXPECT_EQ(parseStudentId("#ABCDEFG"), -1);
}

// No negative seed may reach the selections.
TEST(ParseStudentId, RejectsNegativeNumbers) {
    EXPECT_EQ(parseStudentId("-1234567"), -1);
    EXPECT_EQ(parseStudentId("-abcdefg"), -1);
    EXPECT_EQ(parseStudentId("-0000001"), -1);
}

TEST(HalfWidthText, ReadsFullWidthDigitsLettersAndSpaceAsAscii) {
    EXPECT_EQ(halfWidthText("２４Ｔ１１０９９"), "24T11099");
    EXPECT_EQ(halfWidthText("ａｚＡＺ０９"), "azAZ09");
    EXPECT_EQ(halfWidthText("\u3000ab\u3000cd"), " ab cd");
    // Full-width punctuation, kana and broken sequences are the rules' to refuse.
    EXPECT_EQ(halfWidthText("１２３４５６７！"), "1234567！");
    EXPECT_EQ(halfWidthText("＠［｀｛たﾀ"), "＠［｀｛たﾀ");
    EXPECT_EQ(halfWidthText("\xef\xbc"), "\xef\xbc");
    EXPECT_EQ(parseStudentId(halfWidthText("ａｂ１２ＣＤ９ｚ").c_str()), 12123496);
}
