// The sheet from command line to folder: students, display, pictures, lines and index.html.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "image/image.h"
#include "sheet/sheet.h"

namespace {

constexpr int allAccepted = 0;
constexpr int someRefused = 1;
constexpr int cannotRun = 2;

int fail(const std::string& message) {
    std::fprintf(stderr, "cgdemo-sheet: %s\n", message.c_str());
    return cannotRun;
}

// Creates the folder if needed and opens its index.html for writing, which
// also proves the folder writable before any work is done.
std::FILE* openOutputFolder(const std::filesystem::path& folder, std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code) {
        error = code.message();
        return nullptr;
    }
    std::FILE* index = std::fopen((folder / "index.html").c_str(), "wb");
    if (index == nullptr) {
        error = std::strerror(errno);
    }
    return index;
}

bool anyAccepted(const std::vector<SheetStudent>& students) {
    for (const SheetStudent& student : students) {
        if (student.refusal.empty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

int runSheet(int argc, char** argv) {
    SheetOptions options;
    std::string error;
    if (!parseSheetArguments(argc, argv, options, error)) {
        std::fprintf(stderr, "cgdemo-sheet: %s\n%s", error.c_str(), sheetUsage);
        return cannotRun;
    }
    if (options.help) {
        std::fputs(sheetUsage, stdout);
        return allAccepted;
    }

    std::vector<SheetStudent> students;
    if (options.rosterPath.empty()) {
        students = studentsFromIds(options.studentIds);
    } else {
        std::vector<RosterEntry> entries;
        if (!readRoster(options.rosterPath, entries, error)) {
            return fail("cannot read the roster: " + error);
        }
        students = studentsFromRoster(entries);
    }
    for (const std::string& note : assignPictureNames(students)) {
        std::fprintf(stderr, "cgdemo-sheet: %s\n", note.c_str());
    }

    const std::filesystem::path folder = options.outputFolder;
    std::FILE* index = openOutputFolder(folder, error);
    if (index == nullptr) {
        return fail("cannot write to the output folder " + options.outputFolder + ": " + error);
    }
    const bool drawing = anyAccepted(students);
    if (drawing && loadTextureBitmap() != bitmapLoaded) {
        std::fclose(index);
        return fail("cannot read the floor texture " + texturePath() +
                    " (japan.bmp in the working directory, or else beside the program)");
    }
    if (drawing && !openSheetDisplay("cgdemo-sheet", error)) {
        std::fclose(index);
        return fail(error);
    }
    auto closeDisplay = [drawing]() {
        if (drawing) {
            closeSheetDisplay();
        }
    };

    int status = allAccepted;
    std::vector<unsigned char> picture;
    for (SheetStudent& student : students) {
        if (!student.refusal.empty()) {
            status = someRefused;
        } else {
            applyStudent(student);
        }
        if (student.drawsPicture) {
            int width = 0;
            int height = 0;
            drawStartPicture(picture, width, height);
            const std::filesystem::path path = folder / student.pictureName;
            if (!writePng(path.string(), width, height, picture.data(), error)) {
                std::fclose(index);
                closeDisplay();
                return fail("cannot write " + path.string() + ": " + error);
            }
        }
        std::printf("%s\n", sheetLine(student).c_str());
        std::fflush(stdout);
    }

    closeDisplay();
    const std::string page = sheetHtml(students);
    const bool written = std::fwrite(page.data(), 1, page.size(), index) == page.size();
    if (std::fclose(index) != 0 || !written) {
        return fail("cannot write " + (folder / "index.html").string() + ": " +
                    std::strerror(errno));
    }
    return status;
}
