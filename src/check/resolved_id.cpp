// Settling a reading's I/l classes with the class roster.
#include "check/check.h"

namespace {

const char* const lookAlikeClass = "[Il]";

bool fits(const std::string& text, const std::string& id) {
    size_t t = 0, i = 0;
    while (t < text.size() && i < id.size()) {
        if (text.compare(t, 4, lookAlikeClass) == 0) {
            if (id[i] != 'I' && id[i] != 'l')
                return false;
            t += 4;
        } else if (text[t] != id[i]) {
            return false;
        } else {
            ++t;
        }
        ++i;
    }
    return t == text.size() && i == id.size();
}

}  // namespace

std::string resolvedId(const std::string& text, const std::vector<std::string>& rosterIds) {
    if (text.find(lookAlikeClass) == std::string::npos)
        return text;
    const std::string* only = nullptr;
    for (const std::string& id : rosterIds) {
        if (!fits(text, id) || (only != nullptr && *only == id))
            continue;
        if (only != nullptr)
            return text;
        only = &id;
    }
    return only != nullptr ? *only : text;
}
