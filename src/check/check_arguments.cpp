// The checker's command line.
#include <cstring>

#include "check/check.h"
#include "sheet/sheet.h"

const char* const checkUsage =
    "usage: cgdemo-check [--roster FILE] [--out DIR] PATH...\n"
    "Reads the status line in every picture of the PATHs (pictures, PDF, DOCX, ODT\n"
    "and ZIP files, folders searched recursively): one tab-separated line each on\n"
    "standard output. --roster names each picture's author and gives a verdict;\n"
    "--out writes DIR/index.html, the reports that need a look first.\n";

bool parseCheckArguments(int argc, char** argv, CheckOptions& options, std::string& error) {
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        if (optionsEnd || word[0] != '-' || std::strcmp(word, "-") == 0) {
            options.paths.push_back(word);
        } else if (std::strcmp(word, "--") == 0) {
            optionsEnd = true;
        } else if (std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0) {
            options.help = true;
        } else if (std::strcmp(word, "--out") == 0) {
            if (!takeOptionValue(argc, argv, i, options.outputFolder, error)) {
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
    if (!options.help && options.paths.empty()) {
        error = "no PATH to check";
        return false;
    }
    return true;
}
