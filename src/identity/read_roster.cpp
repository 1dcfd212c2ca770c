// Reading a class roster file from disk.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "identity/identity.h"

bool readRoster(const std::string& path, std::vector<RosterEntry>& entries, std::string& error) {
    namespace fs = std::filesystem;
    const fs::path file = fs::u8path(path);
    std::error_code code;
    const fs::file_status status = fs::status(file, code);
    if (code) {
        error = path + ": " + code.message();
        return false;
    }
    if (fs::is_directory(status)) {
        error = path + ": a folder, not a roster file";
        return false;
    }
    // A pipe or device of that name could stall the build.
    if (!fs::is_regular_file(status)) {
        error = path + ": not a regular file";
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = path + ": cannot be opened for reading";
        return false;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        error = path + ": a read error";
        return false;
    }
    return parseRoster(text, path, entries, error);
}
