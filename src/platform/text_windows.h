// Conversions between the program's UTF-8 text and the wide text of Windows calls.
#pragma once

#include <string>

// text (zero-terminated UTF-8) as wide characters. False, with wide left empty,
// when text is not valid UTF-8.
bool wideFromUtf8(const char* text, std::wstring* wide);

// The first length wide characters of text as UTF-8. False, with utf8 left
// empty, when they cannot be converted.
bool utf8FromWide(const wchar_t* text, int length, std::string* utf8);
