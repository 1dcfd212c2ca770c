// The check from command line to output: files, pictures, readings, lines and the page.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "check/check.h"
#include "platform/platform.h"
#include "sheet/sheet.h"

namespace {

constexpr int allMatch = 0;
constexpr int needsLook = 1;
constexpr int cannotRun = 2;

int fail(const std::string& message) {
    std::fprintf(stderr, "cgdemo-check: %s\n", message.c_str());
    return cannotRun;
}

void note(const std::string& message) {
    std::fprintf(stderr, "cgdemo-check: %s\n", printableText(message).c_str());
    std::fflush(stderr);
}

// The whole file, or false with the reason.
bool readInputFile(const std::string& path, std::string& bytes, std::string& error) {
    std::FILE* file = platformOpenRegularFile(path.c_str());
    if (file == nullptr) {
        error = "not a regular file that can be read";
        return false;
    }
    std::error_code code;
    const uintmax_t size = std::filesystem::file_size(path, code);
    if (!code && size > maxArchiveBytes) {
        std::fclose(file);
        error = "larger than " + std::to_string(maxArchiveBytes / 1000000) + " MB";
        return false;
    }
    bytes.clear();
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 &&
           bytes.size() + got <= maxArchiveBytes) {
        bytes.append(chunk, got);
    }
    const bool failed = std::ferror(file) != 0 || got > 0;
    std::fclose(file);
    if (failed) {
        error = "cannot be read to its end";
    }
    return !failed;
}

// Whether the picture keeps the run from exit status 0.
bool needsALook(const CheckedPicture& picture, bool withRoster) {
    if (picture.reading.kind == ReadingKind::none) {
        return false;
    }
    if (withRoster) {
        return picture.verdict != "match";
    }
    return picture.reading.kind == ReadingKind::unreadable;
}

}  // namespace

int runCheck(int argc, char** argv) {
    CheckOptions options;
    std::string error;
    if (!parseCheckArguments(argc, argv, options, error)) {
        std::fprintf(stderr, "cgdemo-check: %s\n%s", error.c_str(), checkUsage);
        return cannotRun;
    }
    if (options.help) {
        std::fputs(checkUsage, stdout);
        return allMatch;
    }
    for (const std::string& path : options.paths) {
        if (!platformPathExists(path.c_str())) {
            return fail(path + ": no such file or folder");
        }
    }
    std::vector<RosterEntry> roster;
    if (!options.rosterPath.empty() && !readRoster(options.rosterPath, roster, error)) {
        return fail("cannot read the roster: " + error);
    }
    std::vector<std::string> rosterIds;
    for (const RosterEntry& entry : roster) {
        rosterIds.push_back(entry.studentId);
    }
    const bool withRoster = !options.rosterPath.empty();
    const bool withPage = !options.outputFolder.empty();
    if (withPage && !prepareCheckPage(options.outputFolder, error)) {
        return fail("cannot write to the output folder " + options.outputFolder + ": " + error);
    }

    std::vector<CheckedPicture> pictures;
    std::vector<std::string> refusals;
    const auto report = [&](const std::string& message) {
        note(message);
        refusals.push_back(message);
    };
    const std::vector<InputFile> files = inputFiles(options.paths, report);
    for (std::size_t index = 0; index < files.size(); ++index) {
        const InputFile& file = files[index];
        std::string bytes;
        if (!readInputFile(file.path, bytes, error)) {
            report(file.source + ": " + error);
            continue;
        }
        char position[24];
        std::snprintf(position, sizeof position, "%09zu", index);
        UnpackBudget budget;
        budget.deadline = checkClockSeconds() + maxSecondsPerFile;
        const auto visit = [&](const FoundPicture& found, const Picture& picture) {
            CheckedPicture checked;
            checked.found = found;
            checked.reading = readStatusLine(picture);
            if (checked.reading.kind == ReadingKind::id) {
                checked.text =
                    withRoster ? resolvedId(checked.reading.text, rosterIds) : checked.reading.text;
            } else if (checked.reading.kind == ReadingKind::selection) {
                checked.text = checked.reading.text;
            }
            checked.author = authorOfSource(found.source, roster);
            if (withRoster) {
                checked.verdict = verdictOf(checked.reading, checked.text, checked.author, roster);
            }
            checked.fingerprint = windowFingerprint(picture, checked.reading);
            if (withPage) {
                checked.crop = statusCrop(picture, checked.reading);
            }
            pictures.push_back(std::move(checked));
        };
        findPictures(file.source, {position}, bytes, 0, budget, visit, report);
    }
    std::stable_sort(pictures.begin(), pictures.end(),
                     [](const CheckedPicture& a, const CheckedPicture& b) {
                         return a.found.order < b.found.order;
                     });
    findSameScreenshots(pictures);

    // A file that could not be read was not checked: never all clear.
    int status = refusals.empty() ? allMatch : needsLook;
    for (std::size_t index = 0; index < pictures.size(); ++index) {
        std::printf("%s\n", checkLine(pictures, index, roster).c_str());
        if (needsALook(pictures[index], withRoster)) {
            status = needsLook;
        }
    }
    std::fflush(stdout);
    if (withPage && !writeCheckPage(options.outputFolder, pictures, refusals, roster, error)) {
        return fail(error);
    }
    return status;
}
