// The members of a zip archive (also a DOCX or ODT) held in memory, through libarchive.
#include <archive.h>
#include <archive_entry.h>

#include <chrono>
#include <memory>

#include "check/check.h"

namespace {

using ArchivePointer = std::unique_ptr<archive, int (*)(archive*)>;

std::string archiveError(archive* reader) {
    const char* message = archive_error_string(reader);
    std::string text = message != nullptr ? message : "unreadable";
    // Some of libarchive's messages end in a line break.
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return "damaged zip: " + text;
}

ArchivePointer openArchive(const std::string& bytes, std::string& error) {
    ArchivePointer reader(archive_read_new(), archive_read_free);
    archive_read_support_format_zip(reader.get());
    if (archive_read_open_memory(reader.get(), bytes.data(), bytes.size()) != ARCHIVE_OK) {
        error = archiveError(reader.get());
        reader.reset();
    }
    return reader;
}

}  // namespace

double checkClockSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool listArchive(const std::string& bytes, std::vector<ArchiveMember>& members,
                 std::string& error) {
    ArchivePointer reader = openArchive(bytes, error);
    if (!reader) {
        return false;
    }
    archive_entry* entry = nullptr;
    int result = ARCHIVE_OK;
    while ((result = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK ||
           result == ARCHIVE_WARN) {
        if (members.size() >= std::size_t(maxArchiveMembers)) {
            error = "more than " + std::to_string(maxArchiveMembers) + " members";
            return false;
        }
        const char* path = archive_entry_pathname(entry);
        members.push_back({path != nullptr ? path : "", archive_entry_filetype(entry) == AE_IFREG});
    }
    if (result != ARCHIVE_EOF) {
        error = archiveError(reader.get());
        return false;
    }
    return true;
}

bool unpackArchive(const std::string& bytes, const std::function<bool(const std::string&)>& wanted,
                   const std::function<void(const std::string&, std::string&)>& take,
                   const std::function<void(const std::string&)>& refuse, UnpackBudget& budget,
                   std::string& error) {
    ArchivePointer reader = openArchive(bytes, error);
    if (!reader) {
        return false;
    }
    archive_entry* entry = nullptr;
    int result = ARCHIVE_OK;
    std::string content;
    char chunk[65536];
    while ((result = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK ||
           result == ARCHIVE_WARN) {
        if (budget.stopped) {
            error.clear();  // reported where it stopped
            return false;
        }
        const char* name = archive_entry_pathname(entry);
        const std::string path = name != nullptr ? name : "";
        if (archive_entry_filetype(entry) != AE_IFREG || !wanted(path)) {
            continue;
        }
        if (archive_entry_is_encrypted(entry)) {
            refuse(path + ": an encrypted member, which needs a password");
            continue;
        }
        content.clear();
        bool whole = true;
        for (;;) {
            const la_ssize_t got = archive_read_data(reader.get(), chunk, sizeof chunk);
            if (got < 0) {
                error = path + ": " + archiveError(reader.get());
                return false;
            }
            if (got == 0) {
                break;
            }
            if (uint64_t(got) > budget.bytesLeft) {
                budget.stopped = true;
                error = "unpacks to more than " + std::to_string(maxArchiveBytes / 1000000) +
                        " MB (a zip bomb?): stopped in " + path;
                return false;
            }
            budget.bytesLeft -= uint64_t(got);
            if (checkClockSeconds() > budget.deadline) {
                budget.stopped = true;
                error = "reading took longer than " + std::to_string(int(maxSecondsPerFile)) +
                        " s: stopped in " + path;
                return false;
            }
            if (content.size() + std::size_t(got) > maxMemberBytes) {
                refuse(path + ": unpacks to more than " + std::to_string(maxMemberBytes >> 20) +
                       " MiB (a zip bomb?), more than one member may");
                whole = false;
                break;
            }
            content.append(chunk, std::size_t(got));
        }
        if (whole) {
            take(path, content);
        }
    }
    if (result != ARCHIVE_EOF) {
        error = archiveError(reader.get());
        return false;
    }
    return true;
}
