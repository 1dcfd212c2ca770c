// Reading a line of bytes from a stream, for the platform layers' platformReadLine.
#pragma once

#include <cstdio>
#include <string>

// Reads the bytes of in up to the next LF into line, without the LF or a CR
// before it. False at the end of input when nothing was read.
bool readLineBytes(std::FILE* in, std::string& line);
