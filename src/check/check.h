// The report checker: finds the program's status line in the screenshots of
// handed-in reports, reads it with the program's own font, and says whose
// scene each picture shows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "identity/identity.h"

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

// ---------------------------------------------------------------------------
// The checking tool, cgdemo-check: finding the pictures of the reports,
// deciding whose scene each shows, and the output.

// What the command line asks for.
struct CheckOptions {
    std::vector<std::string> paths;  // in the order given
    std::string rosterPath;          // empty: no roster
    std::string outputFolder;        // empty: no page
    bool help = false;
};

// Reads [--roster FILE] [--out DIR] PATH..., or --help / -h; "--" ends the
// options. Returns false with a one-line reason in error for a missing or
// repeated option value, an unknown option, or no PATH.
bool parseCheckArguments(int argc, char** argv, CheckOptions& options, std::string& error);

// The usage text, several lines, ending in a line break.
extern const char* const checkUsage;

// Limits on hostile input. Each refusal is one message; the run goes on.
// Per picture, checked before decoding: reading takes about 20 bytes a pixel.
constexpr uint64_t maxPicturePixels = 100000000;
constexpr uint64_t maxArchiveBytes = 2000000000;        // unpacked, per file given or found
constexpr uint64_t maxMemberBytes = 256 * 1024 * 1024;  // one unpacked member
constexpr int maxArchiveMembers = 20000;                // per archive
constexpr int maxNesting = 3;                           // archives (zip, DOCX, ODT) within archives
constexpr int maxDocumentPictures = 2000;               // per PDF, DOCX or ODT
constexpr double maxSecondsPerFile = 120;               // per file given or found on the disk

// What a file's content is, from its first bytes (never from its name).
enum class FileKind { unknown, png, jpeg, webp, bmp, pdf, zip };

// The kind of the content. Pure.
FileKind fileKindOf(const std::string& bytes);

// Whether a file of this name, found in a folder or an archive, is looked at:
// the extensions .png .jpg .jpeg .bmp .webp .pdf .docx .odt .zip in any letter
// case. Files given on the command line are always looked at. Pure.
bool isExaminedName(const std::string& name);

// Decodes a PNG, JPEG, WebP or BMP file's content (told apart by fileKindOf)
// into picture. False with a reason in error for anything else, damaged data,
// or more than maxPicturePixels (found from the header, before any pixel
// buffer is allocated).
bool decodePicture(const std::string& bytes, Picture& picture, std::string& error);
bool decodePng(const std::string& bytes, Picture& picture, std::string& error);
bool decodeJpeg(const std::string& bytes, Picture& picture, std::string& error);
bool decodeWebp(const std::string& bytes, Picture& picture, std::string& error);
bool decodeBmp(const std::string& bytes, Picture& picture, std::string& error);

// Calls visit for each image embedded in a PDF, at its own resolution, page by
// page in the order each page draws them. False with a reason in error for
// a damaged or encrypted document, one claiming an image over
// maxPicturePixels, more than maxDocumentPictures images, or the deadline
// (checkClockSeconds) passing; images visited before a failure stay visited.
// poppler's own messages are kept off standard error.
bool pdfPictures(const std::string& bytes, double deadline,
                 const std::function<void(const Picture&)>& visit, std::string& error);

// One member of an archive, as listed.
struct ArchiveMember {
    std::string path;  // inner path as the archive names it
    bool regular = false;
};

// The unpacked bytes left for one file given or found on the disk, shared by
// all archives nested in it, and the time it may take.
struct UnpackBudget {
    uint64_t bytesLeft = maxArchiveBytes;
    double deadline = 0;   // steady-clock seconds (checkClockSeconds) after which reading stops
    bool stopped = false;  // the bytes or the time ran out: nothing more is unpacked
};

// Seconds of a steady clock.
double checkClockSeconds();

// The members of a zip archive held in memory, in archive order. False with a
// reason for a damaged archive or more than maxArchiveMembers members.
bool listArchive(const std::string& archive, std::vector<ArchiveMember>& members,
                 std::string& error);

// Unpacks the members of the archive whose paths are wanted (in archive order)
// and calls take for each with its bytes (which it may take over). A member
// over maxMemberBytes or encrypted is left out with a message to refuse
// ("<inner path>: <reason>"). Every byte unpacked counts against budget; the
// budget running out, its deadline passing or damaged data stop the reading
// with a reason in error (members taken before stay taken). Once the budget
// has stopped, every later call returns false at once with error empty (the
// reason was given where it stopped).
bool unpackArchive(const std::string& archive,
                   const std::function<bool(const std::string&)>& wanted,
                   const std::function<void(const std::string&, std::string&)>& take,
                   const std::function<void(const std::string&)>& refuse, UnpackBudget& budget,
                   std::string& error);

// The pictures of a DOCX in document order: the members of word/media/ (as
// inner paths) in the order word/document.xml first refers to them through
// its relationships (word/_rels/document.xml.rels), then those it does not
// refer to, by name. Pure.
std::vector<std::string> docxPictureOrder(const std::string& documentXml,
                                          const std::string& relationshipsXml,
                                          const std::vector<std::string>& memberPaths);

// The pictures of an ODT in document order: the members content.xml names in
// its draw:image elements, in that order, then the other members of Pictures/,
// by name. Pure.
std::vector<std::string> odtPictureOrder(const std::string& contentXml,
                                         const std::vector<std::string>& memberPaths);

// A picture found in a file, with where it was found.
struct FoundPicture {
    std::string source;      // the output's field 1: PATH, ZIP/INNER-PATH, then #N in a document
    std::string reportFile;  // the source without #N: the report it belongs to
    std::vector<std::string> order;  // sorts the pictures in path order, then document order
};

// Finds every picture in a file's content: the file itself when it is one, a
// PDF's embedded images, a DOCX's or ODT's pictures, a zip's members (looked
// at by isExaminedName, nested up to maxNesting levels). source names the file
// and order is its sort key so far. visit gets each picture; report gets one
// message per refused file or member ("<source>: <reason>"), and reading goes
// on with the next one.
void findPictures(const std::string& source, const std::vector<std::string>& order,
                  const std::string& bytes, int depth, UnpackBudget& budget,
                  const std::function<void(const FoundPicture&, const Picture&)>& visit,
                  const std::function<void(const std::string&)>& report);

// A file named on the command line or found under a folder named there.
struct InputFile {
    std::string source;  // the path as given, or as found under a given folder
    std::string path;    // where to read it
};

// The files of the paths, each folder searched recursively with its entries
// in name order. A symbolic link back to a folder being searched is not
// followed: report gets "<path>: a symbolic link loop, not followed"; the
// same for other folders or files that cannot be read.
std::vector<InputFile> inputFiles(const std::vector<std::string>& paths,
                                  const std::function<void(const std::string&)>& report);

// text compared as authors are found: halfWidthText, ASCII letters in lower
// case, without spaces. Pure.
std::string authorKey(const std::string& text);

// The roster entry whose student ID, login name or name one of the source's
// path components (split at '/' and '#') holds, compared by authorKey; -1 when
// none or several entries do. Pure.
int authorOfSource(const std::string& source, const std::vector<RosterEntry>& roster);

// The verdict field: "match" when reading is an ID equal to the author's
// (ignoring ASCII letter case, as the prompt reads both alike), "mismatch" for
// another ID, "unknown" without an author or an ID read, or when readId still
// holds an "[Il]" class that the author's ID fits (as other roster IDs do). Pure.
std::string verdictOf(const StatusReading& reading, const std::string& readId, int author,
                      const std::vector<RosterEntry>& roster);

// What the picture shows of the program's window, made small: identical,
// rescaled and recompressed copies of one screenshot give fingerprints that
// sameScreenshot accepts, other screenshots of the same scene do not. Empty
// for a reading of kind none. Pure.
std::vector<unsigned char> windowFingerprint(const Picture& picture, const StatusReading& reading);

// Whether two non-empty fingerprints are of the same screenshot. Pure.
bool sameScreenshot(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b);

// The status line as found: the band of the window's top 40 rows and left 480
// columns, in the
// picture's own pixels (clipped to it). Empty for a reading of kind none. Pure.
Picture statusCrop(const Picture& picture, const StatusReading& reading);

// One picture of the run with all that is said about it.
struct CheckedPicture {
    FoundPicture found;
    StatusReading reading;
    std::string text;     // field 3
    int author = -1;      // roster index, -1: none
    std::string verdict;  // field 5, empty without a roster
    std::vector<unsigned char> fingerprint;
    std::vector<std::size_t> sameAs;  // indices of the same screenshot elsewhere
    Picture crop;
};

// The name of a reading kind in field 2: id, selection, unreadable or none.
const char* readingName(ReadingKind kind);

// Fills in sameAs for every picture: the pictures of other report files that
// are the same screenshot, leaving out those of the same author.
void findSameScreenshots(std::vector<CheckedPicture>& pictures);

// The output line of pictures[index], without the line break: the six fields
// separated by tabs, texts as printableText shows them.
std::string checkLine(const std::vector<CheckedPicture>& pictures, std::size_t index,
                      const std::vector<RosterEntry>& roster);

// The whole run: the command line in, the lines on standard output, messages
// on standard error, the page in --out. Returns the exit status: 0 when every
// picture with a status line has the verdict match (without a roster: was
// read), 1 otherwise, 2 for a usage error, a PATH that does not exist, a
// roster that cannot be read or an output folder that cannot be written.
int runCheck(int argc, char** argv);

// Creates the --out folder if needed and proves it writable, before any work.
bool prepareCheckPage(const std::string& folder, std::string& error);

// The page's file names: the crop of pictures[index], and a roster student's card.
std::string cropFileName(std::size_t index);
std::string cardFileName(const std::string& pictureName);

// Writes the folder's crops/ (each picture's statusCrop as PNG), cards/ (the
// first frame of every author found, drawn with the sheet's code on its own
// display) and index.html. False with the reason in error.
bool writeCheckPage(const std::string& folder, const std::vector<CheckedPicture>& pictures,
                    const std::vector<std::string>& refusals,
                    const std::vector<RosterEntry>& roster, std::string& error);

// index.html: one row per report file, those with a mismatch or a same
// screenshot elsewhere first, then those with an unreadable status line and
// the files that could not be read (refusals), then the rest, each group in
// path order. A row shows the author, each picture's source, reading, text,
// verdict and same screenshots, its crop (cropFileName), and the author's card
// (cardPictures[author], a picture name of assignPictureNames; cardFileName).
// Pure.
std::string checkHtml(const std::vector<CheckedPicture>& pictures,
                      const std::vector<std::string>& refusals,
                      const std::vector<RosterEntry>& roster,
                      const std::vector<std::string>& cardPictures);
