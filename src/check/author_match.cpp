// The author of a picture: the roster student whom the path names.
#include <cctype>
#include <set>

#include "check/check.h"

std::string authorKey(const std::string& text) {
    std::string key;
    for (const char c : halfWidthText(text)) {
        if (c != ' ' && c != '\t') {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return key;
}

int authorOfSource(const std::string& source, const std::vector<RosterEntry>& roster) {
    std::vector<std::string> components;
    std::size_t start = 0;
    for (std::size_t end; (end = source.find_first_of("/#", start)) != std::string::npos;
         start = end + 1) {
        components.push_back(authorKey(source.substr(start, end - start)));
    }
    components.push_back(authorKey(source.substr(start)));
    std::set<int> found;
    for (std::size_t i = 0; i < roster.size(); ++i) {
        for (const std::string* field :
             {&roster[i].studentId, &roster[i].loginName, &roster[i].name}) {
            const std::string key = authorKey(*field);
            if (key.empty()) {
                continue;
            }
            for (const std::string& component : components) {
                if (component.find(key) != std::string::npos) {
                    found.insert(int(i));
                }
            }
        }
    }
    return found.size() == 1 ? *found.begin() : -1;
}

std::string verdictOf(const StatusReading& reading, const std::string& readId, int author,
                      const std::vector<RosterEntry>& roster) {
    if (author < 0 || reading.kind != ReadingKind::id) {
        return "unknown";
    }
    const std::string& own = roster[std::size_t(author)].studentId;
    // An I or l left unsettled because several roster IDs fit, the author's among them.
    if (resolvedId(readId, {own}) != readId) {
        return "unknown";
    }
    bool same = own.size() == readId.size();
    for (std::size_t i = 0; same && i < own.size(); ++i) {
        same = std::tolower(static_cast<unsigned char>(own[i])) ==
               std::tolower(static_cast<unsigned char>(readId[i]));
    }
    return same ? "match" : "mismatch";
}
