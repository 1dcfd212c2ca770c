// The files of the command line's paths: folders searched recursively, in name order.
#include <algorithm>
#include <filesystem>
#include <set>

#include "check/check.h"

namespace {

namespace fs = std::filesystem;

void searchFolder(const fs::path& folder, const std::string& source,
                  std::vector<fs::path>& ancestors, std::vector<InputFile>& files,
                  const std::function<void(const std::string&)>& report) {
    std::error_code code;
    const fs::path here = fs::canonical(folder, code);
    if (code) {
        report(source + ": " + code.message());
        return;
    }
    if (std::find(ancestors.begin(), ancestors.end(), here) != ancestors.end()) {
        report(source + ": a symbolic link loop, not followed");
        return;
    }
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
        names.push_back(it->path().filename().string());
    }
    if (code) {
        report(source + ": " + code.message());
        return;
    }
    std::sort(names.begin(), names.end());
    ancestors.push_back(here);
    for (const std::string& name : names) {
        const fs::path path = folder / name;
        const std::string inner = source + (source.back() == '/' ? "" : "/") + name;
        const fs::file_status status = fs::status(path, code);
        if (code) {
            report(inner + ": " + code.message());
        } else if (fs::is_directory(status)) {
            searchFolder(path, inner, ancestors, files, report);
        } else if (fs::is_regular_file(status) && isExaminedName(name)) {
            files.push_back({inner, path.string()});
        }
    }
    ancestors.pop_back();
}

}  // namespace

std::vector<InputFile> inputFiles(const std::vector<std::string>& paths,
                                  const std::function<void(const std::string&)>& report) {
    std::vector<InputFile> files;
    for (const std::string& path : paths) {
        std::error_code code;
        if (fs::is_directory(fs::status(path, code))) {
            std::vector<fs::path> ancestors;
            searchFolder(path, path, ancestors, files, report);
        } else {
            files.push_back({path, path});
        }
    }
    return files;
}
