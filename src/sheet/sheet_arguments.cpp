// The sheet's command line.
#include <cstring>

#include "sheet/sheet.h"

const char* const sheetUsage =
    "usage: cgdemo-sheet [--out DIR] STUDENT-ID...\n"
    "       cgdemo-sheet [--out DIR] --roster FILE\n"
    "Writes DIR/<ID>.png (the start picture of each student) and DIR/index.html;\n"
    "DIR is ./sheet unless given. One line per student on standard output.\n";

bool takeOptionValue(int argc, char** argv, int& i, std::string& value, std::string& error) {
    const char* name = argv[i];
    if (!value.empty()) {
        error = std::string(name) + " given twice";
        return false;
    }
    if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        error = std::string(name) + " needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

bool parseSheetArguments(int argc, char** argv, SheetOptions& options, std::string& error) {
    std::string outputFolder;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        if (optionsEnd || std::strncmp(word, "--", 2) != 0) {
            if (!optionsEnd && std::strcmp(word, "-h") == 0) {
                options.help = true;
            } else {
                options.studentIds.push_back(word);
            }
        } else if (std::strcmp(word, "--") == 0) {
            optionsEnd = true;
        } else if (std::strcmp(word, "--help") == 0) {
            options.help = true;
        } else if (std::strcmp(word, "--out") == 0) {
            if (!takeOptionValue(argc, argv, i, outputFolder, error)) {
                return false;
            }
        } else if (std::strcmp(word, "--roster") == 0) {
            if (!takeOptionValue(argc, argv, i, options.rosterPath, error)) {
                return false;
            }
        } else {
            error = std::string("unknown option ") + word;
            return false;
        }
    }
    if (!outputFolder.empty()) {
        options.outputFolder = outputFolder;
    }
    if (options.help) {
        return true;
    }
    if (!options.rosterPath.empty() && !options.studentIds.empty()) {
        error = "give student IDs or --roster, not both";
        return false;
    }
    if (options.rosterPath.empty() && options.studentIds.empty()) {
        error = "no student IDs and no --roster";
        return false;
    }
    return true;
}
