// A roster cell without the spaces and tabs around it.
#include <string>

#include "identity/identity.h"

std::string trimmedText(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
