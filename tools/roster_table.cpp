// Build-time generator: writes the registered-student table of a class roster as C++ source.
//
// roster_table ROSTER.csv TABLE.cpp reads the roster with the program's own
// reader. When the whole roster is accepted it says "Registered N students from
// ROSTER.csv" and writes TABLE.cpp, unless it already holds that table, so that
// an unchanged class compiles nothing; otherwise it prints one line
// "<file>:<line>: <reason>" per refused row and fails, which stops the build.
// Names in the roster are never written: they are for the sheet only.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "identity/identity.h"

namespace {

// A C++ string literal of text. Only letters, digits, the space and punctuation
// that means nothing inside quotes are written as they are; every other byte,
// the quote, the backslash and '?' (trigraphs) included, as a three-digit octal
// escape, which no following character can extend. Roster text never becomes code.
std::string literal(const std::string& text) {
    static const std::string plain =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 "
        "!#$%&'()*+,-./:;<=>@[]^_{|}~";
    std::string out = "\"";
    for (const char c : text) {
        if (plain.find(c) != std::string::npos) {
            out += c;
        } else {
            const unsigned byte = static_cast<unsigned char>(c);
            out += '\\';
            out += static_cast<char>('0' + (byte >> 6));
            out += static_cast<char>('0' + ((byte >> 3) & 7));
            out += static_cast<char>('0' + (byte & 7));
        }
    }
    return out + "\"";
}

std::string tableSource(const std::vector<RosterEntry>& entries) {
    std::ostringstream out;
    out << "// The registered-student table, generated from the class roster at build time.\n"
           "#include \"identity/identity.h\"\n\n"
           "const RegisteredStudent registeredStudents[] = {\n";
    for (const RosterEntry& entry : entries) {
        out << "    {" << literal(entry.studentId) << ", " << literal(entry.loginName) << ", "
            << literal(entry.seedText) << "},  // line " << entry.line << "\n";
    }
    out << "};\n\n"
           "const int registeredStudentCount = sizeof registeredStudents / sizeof "
           "registeredStudents[0];\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: roster_table ROSTER.csv TABLE.cpp\n";
        return 2;
    }
    std::vector<RosterEntry> entries;
    std::string error;
    if (!readRoster(argv[1], entries, error)) {
        std::cerr << error << "\n";
        return 1;
    }
    const std::string table = argv[2];
    const std::string source = tableSource(entries);
    std::ifstream existing(table, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(existing),
                              std::istreambuf_iterator<char>()};
    existing.close();
    if (written != source) {
        // Written beside the target and renamed, so that a failed run leaves no half table.
        const std::string partial = table + ".partial";
        {
            std::ofstream out(partial, std::ios::binary);
            out << source;
            if (!out.flush()) {
                std::cerr << partial << ": cannot be written\n";
                return 1;
            }
        }
        std::remove(table.c_str());  // rename does not replace a file everywhere
        if (std::rename(partial.c_str(), table.c_str()) != 0) {
            std::cerr << table << ": cannot be written\n";
            return 1;
        }
    }
    std::cout << "Registered " << entries.size() << (entries.size() == 1 ? " student" : " students")
              << " from " << argv[1] << "\n";
    return 0;
}
