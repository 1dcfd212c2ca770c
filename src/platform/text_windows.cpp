// UTF-8 and wide text for the Windows calls of the platform layer.
#include "platform/text_windows.h"

#include <windows.h>

bool wideFromUtf8(const char* text, std::wstring* wide) {
    wide->clear();
    // The length counts the terminating zero.
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (length <= 0) {
        return false;
    }
    wide->resize(static_cast<size_t>(length));
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, &(*wide)[0], length) !=
        length) {
        wide->clear();
        return false;
    }
    wide->pop_back();
    return true;
}

bool utf8FromWide(const wchar_t* text, int length, std::string* utf8) {
    utf8->clear();
    if (length == 0) {
        return true;
    }
    const int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, length, nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0) {
        return false;
    }
    utf8->resize(static_cast<size_t>(size));
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, length, &(*utf8)[0], size, nullptr,
                            nullptr) != size) {
        utf8->clear();
        return false;
    }
    return true;
}
