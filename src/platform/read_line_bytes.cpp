// A line of bytes from a stream, its line end (LF or CR LF) left out.
#include "platform/read_line_bytes.h"

bool readLineBytes(std::FILE* in, std::string& line) {
    line.clear();
    int c = std::fgetc(in);
    if (c == EOF) {
        return false;
    }
    for (; c != EOF && c != '\n'; c = std::fgetc(in)) {
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}
