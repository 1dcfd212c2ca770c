// The report checker: finds the program's status line in the screenshots of
// handed-in reports, reads it with the program's own font, and says whose
// scene each picture shows.
#pragma once

#include <string>
#include <vector>

// A decoded picture: width * height pixels of 3 bytes (red, green, blue), rows
// tightly packed, top to bottom.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// What a picture's status line says.
enum class ReadingKind {
    none,        // no status line of the program in the picture
    unreadable,  // a status line is there, but no reading is clearly best
    id,          // "Student ID: <text>"
    selection    // "Model ..., Animation ..., Texture ..."
};

// The reading of one picture, and where the program's window lies in it.
struct StatusReading {
    ReadingKind kind = ReadingKind::none;
    // id: the ID after "Student ID: ", where a character that may be I or l
    // is written as the class "[Il]"; selection: the whole line; else empty.
    std::string text;
    // Where the window's client area is: picture pixel = origin + scale *
    // window pixel, for the window's 640 x 640 pixels (valid unless kind is none).
    double scale = 0;
    double originX = 0;
    double originY = 0;
};

// Reads the status line of the picture: the program's window (its 640 x 640
// client area, alone, framed or anywhere in a larger picture such as a
// desktop) at any scale from 0.75 to 2.0 (searched 0.72 to 2.1), rescaled by
// area averaging or bilinear filtering, as PNG or JPEG, the line over the
// background or the floor. Never guesses: a line whose best reading is not
// clearly better than every other is unreadable (then scale and origin say
// where the line seems to be); none when no red line fits the font well
// enough to be the program's (also a line hidden, cropped or mostly covered).
// scale and origin are accurate to about 0.1 % and a fraction of a pixel when
// the line was read. About 0.25 s for a 1920 x 1080 picture (one core). Pure;
// safe to call from several threads at once.
StatusReading readStatusLine(const Picture& picture);

// The ID a reading with "[Il]" classes stands for: the one roster ID it fits,
// when exactly one does; otherwise the text unchanged. Pure.
std::string resolvedId(const std::string& text, const std::vector<std::string>& rosterIds);
