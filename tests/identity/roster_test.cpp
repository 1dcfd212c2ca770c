// Reading class roster files: spreadsheet quoting, line ends, default seeds and each refusal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "identity/identity.h"

namespace {

std::vector<RosterEntry> parsed(const std::string& text) {
    std::vector<RosterEntry> entries;
    std::string error;
    EXPECT_TRUE(parseRoster(text, "class.csv", entries, error)) << error;
    return entries;
}

void expectEntry(const RosterEntry& entry, const std::string& id, const std::string& login,
                 const std::string& seed, int line) {
    EXPECT_EQ(entry.studentId, id);
    EXPECT_EQ(entry.loginName, login);
    EXPECT_EQ(entry.seedText, seed);
    EXPECT_EQ(entry.line, line);
}

TEST(ParseRoster, ReadsWhatASpreadsheetWrites) {
    // Byte order mark, CRLF, columns in another order, an extra column whose
    // quoted fields hold commas, doubled quotes and a line break.
    const std::string text =
        "\xef\xbb\xbf"
        "name,seed,login_name,student_id\r\n"
        "\"Yamada, Taro\",17,taro,CG-0001\r\n"
        "\"Ann \"\"Annie\"\"\r\nSmith\",,ann,ab12CD9z\r\n"
        "Bob,0042,\"bob,b\",\"12\"\"3\\?\?=\"\r\n";
    const std::vector<RosterEntry> entries = parsed(text);
    ASSERT_EQ(entries.size(), 3u);
    expectEntry(entries[0], "CG-0001", "taro", "17", 2);
    expectEntry(entries[1], "ab12CD9z", "ann", "12123496", 3);
    expectEntry(entries[2], "12\"3\\?\?=", "bob,b", "42", 5);
}

TEST(ParseRoster, SeedsDefaultToThePromptSeedAndSpanTheirRange) {
    const std::vector<RosterEntry> entries = parsed(
        "student_id,login_name\n12345678,a\n"
        "\n"  // blank lines and rows of empty fields are skipped
        ",\n"
        "ABCDEFGH,b");  // no line end after the last row
    ASSERT_EQ(entries.size(), 2u);
    expectEntry(entries[0], "12345678", "a", "12345678", 2);
    expectEntry(entries[1], "ABCDEFGH", "b", "12345678", 5);

    const std::vector<RosterEntry> bounds =
        parsed("login_name,student_id,seed\rlow,x,0\rhigh,y,2147483647\r");
    ASSERT_EQ(bounds.size(), 2u);
    expectEntry(bounds[0], "x", "low", "0", 2);
    expectEntry(bounds[1], "y", "high", "2147483647", 3);
}

TEST(ParseRoster, LimitsAreTheStatusLineAndTheLoginNameBuffer) {
    const std::string id51(51, 'i');
    const std::string login63(63, 'l');
    const std::vector<RosterEntry> entries =
        parsed("student_id,login_name,seed\n" + id51 + "," + login63 + ",1\n");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].studentId, id51);
    EXPECT_EQ(entries[0].loginName, login63);
}

TEST(ParseRoster, RefusalsNameTheFileTheLineAndTheReason) {
    const std::string header = "student_id,login_name,seed\n";
    struct Case {
        std::string text;
        std::string expected;  // the start of the message
    };
    const Case cases[] = {
        {"", "class.csv:1: empty file"},
        {"\xef\xbb\xbf\r\n\r\n", "class.csv:1: empty file"},
        {"\n\nstudent_id,seed\n12345678,1\n",
         "class.csv:3: the header row names no login name (login_name or ログイン名) column; "
         "its cells are \"student_id\", \"seed\""},
        {"login_name\nann\n", "class.csv:1: the header row names no student ID (student_id or"},
        {"student_id,login_name,login_name\n",
         "class.csv:1: the header names one column twice: \"login_name\" and \"login_name\""},
        {"学籍番号,ユーザー名,アカウント\n",
         "class.csv:1: the header names one column twice: "
         "\"ユーザー名\" and \"アカウント\""},
        {header, "class.csv:1: no student rows"},
        {header + "12345678,ann,1\n12345679,,2\n", "class.csv:3: empty login name"},
        {header + "12345678,ann,1\n12345679,bob,2\n\n12345670,ann,3\n",
         "class.csv:5: login name \"ann\" listed twice (first on line 2)"},
        {header + "x,guest,1\n", "class.csv:2: login name \"guest\" is the name that stands in"},
        {header + "x," + std::string(64, 'l') + ",1\n",
         "class.csv:2: login name \"" + std::string(64, 'l') + "\" is 64 bytes long"},
        {header + "x,\"ann \",1\n", "class.csv:2: login name \"ann \" holds a control"},
        {header + std::string(52, 'i') + ",ann,1\n",
         "class.csv:2: student ID \"" + std::string(52, 'i') + "\" is 52 bytes long"},
        {header + ",ann,1\n", "class.csv:2: empty student ID"},
        {header + "\"12\n34\",ann,1\n", "class.csv:2: student ID \"12\\x0a34\" holds a line break"},
        {header + "x,a,12a\n",
         "class.csv:2: seed \"12a\" is not a decimal number from 0 to 2147483647"},
        {header + "x,a,-1\n", "class.csv:2: seed \"-1\" is not"},
        {header + "x,a, 5\n", "class.csv:2: seed \" 5\" is not"},
        {header + "x,a,2147483648\n", "class.csv:2: seed \"2147483648\" is not"},
        {header + "x,a,99999999999999999999999\n",
         "class.csv:2: seed \"99999999999999999999999\" is not"},
        {header + "CG-2026-0001,a,\n",
         "class.csv:2: empty seed, and the prompt refuses the student ID \"CG-2026-0001\""},
        {"student_id,login_name\n\"1234 678\",a\n",
         "class.csv:2: empty seed, and the prompt refuses the student ID \"1234 678\""},
        {"student_id,login_name\njJtT0000,a\n",
         "class.csv:2: empty seed, and the prompt refuses the student ID \"jJtT0000\""},
        {header + "x,a,1\n\"y,b,2\nz,c,3\n", "class.csv:3: a quoted field is not closed"},
        {header + "\"x\"y,a,1\n", "class.csv:2: text after the closing quote"},
        {header + "x,a,1,\n y,b,2,extra\n", "class.csv:3: the row has more fields than the header"},
        {header + "x,a,1\nJos\xe9,b,2\n", "class.csv:3: neither UTF-8 nor Shift_JIS text"},
        {header + std::string("x,a\0b,1\n", 8), "class.csv:2: neither UTF-8 nor Shift_JIS text"},
        {"\xef\xbb\xbf" + header + "\x82\xa0,a,1\n", "class.csv:2: not UTF-8 text, though"},
        {std::string("\xff\xfes\0t\0", 6), "class.csv:1: UTF-16 text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<RosterEntry> entries(1);
        entries[0].loginName = "untouched";
        std::string error;
        EXPECT_FALSE(parseRoster(c.text, "class.csv", entries, error));
        EXPECT_EQ(error.substr(0, c.expected.size()), c.expected) << "whole message: " << error;
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].loginName, "untouched");
    }
}

TEST(ParseRoster, ReadsTheOfficeExportInShiftJisWithJapaneseHeaders) {
    // As a Japanese-locale spreadsheet saves "CSV": Shift_JIS (code page 932,
    // here with its own characters 髙 and ①), the office's headers, one in
    // half-width katakana and one in full-width letters, full-width IDs and logins.
    const std::string text =
        "\x8a\x77\x90\xd0\x94\xd4\x8d\x86,\x81\x40\x8e\x81\x96\xbc,"  // 学籍番号,　氏名
        "\x83\x74\x83\x8a\x83\x4b\x83\x69,\xdb\xb8\xde\xb2\xdd\x96\xbc,"  // フリガナ,ﾛｸﾞｲﾝ名
        "\x82\x72\x82\x85\x82\x85\x82\x84\r\n"                            // Ｓｅｅｄ
        "\x82\x51\x82\x53\x82\x73\x82\x50\x82\x50\x82\x4f\x82\x58\x82\x58,"  // ２４Ｔ１１０９９
        "\xfb\xfc\x93\x63 \x87\x40,\x83\x5e\x83\x4a\x83\x5f,"                // 髙田 ①,タカダ
        "\x82\x94\x82\x81\x82\x8b\x82\x81\x82\x84\x82\x81,\r\n";             // ｔａｋａｄａ
    const std::vector<RosterEntry> entries = parsed(text);
    ASSERT_EQ(entries.size(), 1u);
    expectEntry(entries[0], "24T11099", "takada", "24011099", 2);
    EXPECT_EQ(entries[0].name, "髙田 ①");

    for (const char* header :
         {"学籍番号", " STUDENT_ID ", "ｓｔｕｄｅｎｔ＿ｉｄ", "\u3000学籍番号"}) {
        EXPECT_EQ(rosterColumnOfHeader(header), RosterColumn::studentId) << header;
    }
    for (const char* header : {"ログイン名", "ﾕｰｻﾞｰ名", "ユーザ名", "ｱｶｳﾝﾄ", "Login_Name"}) {
        EXPECT_EQ(rosterColumnOfHeader(header), RosterColumn::loginName) << header;
    }
    for (const char* header : {"氏名", "名前", "Name"}) {
        EXPECT_EQ(rosterColumnOfHeader(header), RosterColumn::name) << header;
    }
    for (const char* header : {"フリガナ", "学年", "ログイン", "student id", "ﾛｸﾞｲﾝ"}) {
        EXPECT_EQ(rosterColumnOfHeader(header), RosterColumn::other) << header;
    }
}

TEST(ParseRoster, EveryRefusedRowInOneMessage) {
    const std::string header = "student_id,login_name,seed\n";
    std::vector<RosterEntry> entries;
    std::string error;
    // Rows 3 and 5 name the same login; row 3 is refused for its seed, so row 5
    // still names it the second time.
    EXPECT_FALSE(parseRoster(header + "12345678,ann,\nCG-1,bob,x\n12345679,,\n12345670,bob,\n",
                             "class.csv", entries, error));
    EXPECT_EQ(error,
              "class.csv:3: seed \"x\" is not a decimal number from 0 to 2147483647\n"
              "class.csv:4: empty login name\n"
              "class.csv:5: login name \"bob\" listed twice (first on line 3)");
    EXPECT_TRUE(entries.empty());

    std::string rows;
    for (int i = 0; i < maxListedRosterRefusals + 3; ++i) {
        rows += "x,guest,1\n";
    }
    EXPECT_FALSE(parseRoster(header + rows, "class.csv", entries, error));
    const std::size_t lastLine = error.rfind('\n') + 1;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), maxListedRosterRefusals);
    EXPECT_EQ(error.substr(lastLine),
              "class.csv: 3 more refused rows; correct the rows above "
              "and build again to see them");
    EXPECT_EQ(error.substr(error.rfind('\n', lastLine - 2) + 1, 13), "class.csv:21:");
}

class ReadRoster : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() / ("cgdemo-roster-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string write(const std::string& name, const std::string& text) {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    std::filesystem::path folder;
};

TEST_F(ReadRoster, ReadsTheFileAndNamesItInMessages) {
    std::vector<RosterEntry> entries;
    std::string error;
    const std::string good = write("good.csv", "student_id,login_name\r\n12345678,ann\r\n");
    ASSERT_TRUE(readRoster(good, entries, error)) << error;
    ASSERT_EQ(entries.size(), 1u);
    expectEntry(entries[0], "12345678", "ann", "12345678", 2);

    const std::string bad = write("bad.csv", "student_id,login_name\r\n12345678,\r\n");
    EXPECT_FALSE(readRoster(bad, entries, error));
    EXPECT_EQ(error, bad + ":2: empty login name");
    EXPECT_EQ(entries.size(), 1u);
}

TEST_F(ReadRoster, AMissingFileOrAFolderIsRefused) {
    std::vector<RosterEntry> entries;
    std::string error;
    const std::string missing = (folder / "missing.csv").string();
    EXPECT_FALSE(readRoster(missing, entries, error));
    EXPECT_EQ(error.substr(0, missing.size() + 2), missing + ": ");
    EXPECT_GT(error.size(), missing.size() + 2);

    EXPECT_FALSE(readRoster(folder.string(), entries, error));
    EXPECT_EQ(error, folder.string() + ": a folder, not a roster file");
    EXPECT_TRUE(entries.empty());
}

}  // namespace
