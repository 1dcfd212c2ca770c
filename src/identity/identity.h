// Personalisation: who runs the program, and the seed that picks their scene.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// One registered student; all three texts are compiled in.
struct RegisteredStudent {
    const char* studentId;  // shown in the status line, at most 51 characters
    const char* loginName;  // matched byte for byte, letter case included
    const char* seedText;   // decimal text of the personal seed (non-negative)
};

extern const RegisteredStudent registeredStudents[];
extern const int registeredStudentCount;

// Login name tried when the system's own is unavailable or not registered.
extern const char* const fallbackLoginName;

// Finds the student by login name, the fallback name or an ID typed at the
// console prompt, leaving viewer.loginName, viewer.studentIdText and
// viewer.personalSeed set; applyPersonalSeed then makes the scene. Needs no
// window. The typed ID is the first word of the lines typed (blank lines are
// skipped), read through halfWidthText so that the ideographic space separates
// words and full-width characters count as ASCII, and cut to 30 characters;
// viewer.studentIdText is that word. Ends the process with the fatal box on a
// rejected ID.
void identifyStudent();

// identifyStudent with the console prompt written to out and the ID read from in.
void identifyStudentFrom(std::FILE* in, std::FILE* out);

// The seed of the first entry whose loginName equals viewer.loginName, also
// setting viewer.studentIdText to its studentId; -1 (nothing changed) if none.
int lookupRegisteredStudent();

// The seed of a registered student: the decimal value of its seedText, read as
// lookupRegisteredStudent and restoreRegisteredSelection read it.
int registeredSeed(const char* seedText);

// Converts a typed 8-character ID (letters to digits, A/a=1 ... J/j=0 ...) to a
// positive seed; -1 when the ID is rejected. Pure.
int parseStudentId(const char* text);

// text (UTF-8) with full-width digits and Latin letters (U+FF10-U+FF19,
// U+FF21-U+FF3A, U+FF41-U+FF5A) as their ASCII forms and the ideographic space
// U+3000 as an ASCII space; everything else unchanged. What the input method
// types reads as the student meant it: the prompt, the roster and the sheet
// all pass IDs and logins through it before the ID rules apply. Pure.
std::string halfWidthText(const std::string& text);

// What the prompt says about an ID that parseStudentId rejects (ends in a line break).
extern const char* const refusedStudentIdMessage;

// Applies again the registered entry of viewer.loginName, the login the program
// started with, however often it is called; never another entry. Does nothing
// without a match (a student who typed an ID).
void restoreRegisteredSelection();

// Shows the student ID and selects model, animation and tile by viewer.personalSeed.
void applyPersonalSeed();

// One student row of a class roster file.
struct RosterEntry {
    std::string studentId;
    std::string loginName;
    std::string seedText;  // decimal; the ID's prompt seed when the file left it empty
    int line;              // line of the file on which the row starts
};

// Parses the whole text of a roster file; name is the file name used in messages.
// Returns true and fills entries, or false with error "<name>:<line>: <reason>".
//
// The text is UTF-8 (a byte order mark allowed) with CRLF, LF or CR line ends,
// comma-separated and quoted as spreadsheets write it ("" is a quote inside a
// quoted field, which may also hold commas and line breaks). The first non-blank
// row names the columns: student_id and login_name, optionally seed, in any
// order; other columns are ignored. Rows whose fields are all empty are skipped.
// Refused, each with the line of its row: text that is not UTF-8, an empty file
// or one without student rows, a missing or repeated column, a row with more
// non-empty fields than the header has columns, an unclosed quote; an empty
// student ID or one over 51 bytes; an empty login name, one over 63 bytes, one
// listed twice or equal to fallbackLoginName; control characters in either, or
// spaces around the login name; a seed that is not a decimal number from 0 to
// 2147483647; an empty seed where the prompt would refuse the ID (parseStudentId
// refuses it, or it holds a space). Pure.
bool parseRoster(const std::string& text, const std::string& name,
                 std::vector<RosterEntry>& entries, std::string& error);

// Reads the file at path (UTF-8) and parses it with path as its name; a file
// that cannot be read gives "<path>: <reason>". entries is untouched on failure.
bool readRoster(const std::string& path, std::vector<RosterEntry>& entries, std::string& error);
