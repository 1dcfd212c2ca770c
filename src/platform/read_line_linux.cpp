// One line of input as UTF-8 text on Linux, where the terminal's bytes already are.
#include "platform/platform.h"
#include "platform/read_line_bytes.h"

bool platformReadLine(std::FILE* in, std::string& line) {
    return readLineBytes(in, line);
}
