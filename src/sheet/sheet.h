// The instructor's scene sheet: every student's start picture and selection,
// from student IDs or the class roster, made with the program's own code.
#pragma once

#include <string>
#include <vector>

#include "identity/identity.h"

// What the command line asks for.
struct SheetOptions {
    std::vector<std::string> studentIds;  // in the order given
    std::string rosterPath;               // empty: no roster
    std::string outputFolder = "sheet";
    bool help = false;
};

// Reads [--out DIR] (--roster FILE | STUDENT-ID...), or --help / -h; "--"
// ends the options, and any other word is a student ID. Returns false with a
// one-line reason in error for a missing or repeated option value, an unknown
// option, IDs together with a roster, or neither of them.
bool parseSheetArguments(int argc, char** argv, SheetOptions& options, std::string& error);

// Takes the value of the option argv[i] from argv[i + 1] into value and steps
// i past it; false with a one-line reason in error when value is set already
// (the option given twice) or there is no value or an empty one. The
// instructors' tools share it.
bool takeOptionValue(int argc, char** argv, int& i, std::string& value, std::string& error);

// The usage text, several lines, ending in a line break.
extern const char* const sheetUsage;

// One student of the sheet, in input order.
struct SheetStudent {
    std::string studentId;      // as given, shown in the status line and the sheet
    int seed = -1;              // the personal seed; -1 when refused
    std::string refusal;        // why the student is refused (no line break); empty when accepted
    std::string pictureName;    // file name in the output folder; empty when refused
    bool drawsPicture = false;  // false when an earlier student with the same ID and seed drew it
    std::string selection;      // the status line's selection form after the seed is applied
    std::string name;           // the student's name from the roster; empty when none
};

// Students from IDs, each read through halfWidthText and converted as the
// console prompt converts a typed ID (the student's ID is the half-width
// form); a rejected one is refused with the prompt's message.
std::vector<SheetStudent> studentsFromIds(const std::vector<std::string>& studentIds);

// Students from the rows of a class roster, in roster order, each with the
// seed of its row as the program reads a registered student's seed and the
// name of its row; none is refused.
std::vector<SheetStudent> studentsFromRoster(const std::vector<RosterEntry>& entries);

// The ID with every character that cannot stand in a file name on common
// systems (control characters, / \ : * ? " < > |, and a leading '.') replaced
// by '_'.
std::string fileNameOfId(const std::string& studentId);

// Gives every accepted student its picture name "<fileNameOfId>.png" in input
// order. A student with the same ID and seed as an earlier one shares that
// picture (drawsPicture false). Otherwise a name already taken, compared
// without regard to letter case (so that the folder can be copied to any
// system), gets "-2", "-3", ... before ".png"; no picture overwrites another.
// Returns one note per renamed student, saying why.
std::vector<std::string> assignPictureNames(std::vector<SheetStudent>& students);

// The text with & < > " ' replaced by their HTML character references.
std::string escapeHtml(const std::string& text);

// A file name as a relative URL: every byte but letters, digits and - . _ ~
// percent-encoded.
std::string escapeUrl(const std::string& fileName);

// The text with control characters and the backslash written as \xNN and \\,
// so that any ID stays on one line of output.
std::string printableText(const std::string& text);

// The student's line on standard output, without the line break: ID, seed,
// selection and name (empty when none) separated by tabs, or ID, a tab and
// "refused: <reason>". ID and name as printableText shows them.
std::string sheetLine(const SheetStudent& student);

// The whole index.html: a self-contained page with one card per accepted
// student in input order (name when there is one, ID, seed, selection, the
// picture as a thumbnail linking to it at full size), a search box that shows
// only the cards whose name or ID holds what is typed (a script in the page),
// and the refused students with their reasons.
std::string sheetHtml(const std::vector<SheetStudent>& students);

// Writes an 8-bit RGB picture (rows top to bottom, tightly packed) to path as
// a PNG file. Returns false with the reason in error when it cannot.
bool writePng(const std::string& path, int width, int height, const unsigned char* rgb,
              std::string& error);

// Opens the program's window on the named X display (nullptr: $DISPLAY) and
// runs the program's start-up on it (the texture must be loaded already).
// freeglut failures end the process with status 2.
void openSheetWindow(const char* displayName);

// Closes the window of openSheetWindow and the connection to its display.
void closeSheetWindow();

// Opens the program's window for drawing pictures on a private Xvfb, so that
// nothing shows on the user's desktop; without Xvfb on $DISPLAY, with a note
// on standard error that starts with program. False with the reason in error
// when there is neither.
bool openSheetDisplay(const char* program, std::string& error);

// Closes the window of openSheetDisplay, then its Xvfb.
void closeSheetDisplay();

// Puts the scene back to a fresh start and applies the student's seed as the
// prompt does, filling in the selection; the status line then reads
// "Student ID: <ID>". The student must outlive the drawing.
void applyStudent(SheetStudent& student);

// Draws the current scene's frame, the one the program shows first, and reads
// it back: width x height RGB pixels, rows top to bottom, into rgb.
void drawStartPicture(std::vector<unsigned char>& rgb, int& width, int& height);

// The whole sheet: the command line in, the lines on standard output,
// messages on standard error, pictures and index.html in the output folder.
// Returns the exit status: 0 every student accepted, 1 some refused, 2 a usage
// error, an unreadable roster, an output folder that cannot be written or no
// display to draw on.
int runSheet(int argc, char** argv);
