// The --out folder: the crops, the authors' cards and index.html.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "check/check.h"
#include "image/image.h"
#include "sheet/sheet.h"

namespace {

namespace fs = std::filesystem;

bool writeText(const fs::path& path, const std::string& text, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written) {
        error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// Each author's first frame as the sheet draws it; cardPictures gets its picture name.
bool drawCards(const fs::path& folder, const std::vector<CheckedPicture>& pictures,
               const std::vector<RosterEntry>& roster, std::vector<std::string>& cardPictures,
               std::string& error) {
    std::set<int> authors;
    for (const CheckedPicture& picture : pictures) {
        if (picture.author >= 0) {
            authors.insert(picture.author);
        }
    }
    cardPictures.assign(roster.size(), "");
    if (authors.empty()) {
        return true;
    }
    std::vector<SheetStudent> students = studentsFromRoster(roster);
    assignPictureNames(students);
    if (loadTextureBitmap() != bitmapLoaded) {
        error = "cannot read the floor texture " + texturePath() +
                " for the authors' cards (japan.bmp in the working directory, or else beside "
                "the program)";
        return false;
    }
    if (!openSheetDisplay("cgdemo-check", error)) {
        return false;
    }
    std::vector<unsigned char> rgb;
    bool ok = true;
    for (const int author : authors) {
        SheetStudent& student = students[std::size_t(author)];
        applyStudent(student);
        int width = 0;
        int height = 0;
        drawStartPicture(rgb, width, height);
        const fs::path path = folder / cardFileName(student.pictureName);
        if (!writePng(path.string(), width, height, rgb.data(), error)) {
            error = "cannot write " + path.string() + ": " + error;
            ok = false;
            break;
        }
        cardPictures[std::size_t(author)] = student.pictureName;
    }
    closeSheetDisplay();
    return ok;
}

}  // namespace

std::string cropFileName(std::size_t index) {
    return "crops/picture-" + std::to_string(index + 1) + ".png";
}

std::string cardFileName(const std::string& pictureName) {
    return "cards/" + pictureName;
}

bool prepareCheckPage(const std::string& folder, std::string& error) {
    std::error_code code;
    for (const char* part : {"", "crops", "cards"}) {
        fs::create_directories(fs::path(folder) / part, code);
        if (code) {
            error = code.message();
            return false;
        }
    }
    return writeText(fs::path(folder) / "index.html", "", error);
}

bool writeCheckPage(const std::string& folder, const std::vector<CheckedPicture>& pictures,
                    const std::vector<std::string>& refusals,
                    const std::vector<RosterEntry>& roster, std::string& error) {
    const fs::path base(folder);
    for (std::size_t index = 0; index < pictures.size(); ++index) {
        const Picture& crop = pictures[index].crop;
        const fs::path path = base / cropFileName(index);
        if (crop.width > 0 && crop.height > 0 &&
            !writePng(path.string(), crop.width, crop.height, crop.rgb.data(), error)) {
            error = "cannot write " + path.string() + ": " + error;
            return false;
        }
    }
    std::vector<std::string> cardPictures;
    if (!drawCards(base, pictures, roster, cardPictures, error)) {
        return false;
    }
    return writeText(base / "index.html", checkHtml(pictures, refusals, roster, cardPictures),
                     error);
}
