// Reading the text of a class roster (CSV as spreadsheets write it) into student rows.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "identity/identity.h"

namespace {

// "Student ID: " and the ID fill the 64-byte status line with its zero.
constexpr std::size_t maxStudentIdBytes = 51;
// The login name is read into 64 bytes with its zero: a longer one never matches.
constexpr std::size_t maxLoginNameBytes = 63;
constexpr uint32_t maxSeed = 2147483647;

// One row of fields and the line on which it starts.
struct Record {
    std::vector<std::string> fields;
    int line = 1;
};

// Where parsing stopped: the line and the reason, turned into the message last.
struct Failure {
    int line = 0;
    std::string reason;
};

bool fail(Failure& failure, int line, const std::string& reason) {
    failure.line = line;
    failure.reason = reason;
    return false;
}

// Text for a message: in quotes, control bytes as \xNN so that a terminal shows them.
std::string quoted(const std::string& text) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Length of the line end at text[at] (CRLF, LF or a lone CR), 0 if there is none.
std::size_t lineEndAt(const std::string& text, std::size_t at) {
    if (at >= text.size()) {
        return 0;
    }
    if (text[at] == '\r') {
        return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    }
    return text[at] == '\n' ? 1 : 0;
}

// Length of the UTF-8 sequence at text[at], 0 when it is not valid UTF-8
// (overlong forms, surrogates and values past U+10FFFF are not).
std::size_t utf8SequenceAt(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t k) {
        return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0u;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length;
    unsigned low = 0x80, high = 0xbf;  // range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xbf) {
            return 0;
        }
    }
    return length;
}

// Checks that text from start on is UTF-8 without zero bytes.
bool checkEncoding(const std::string& text, std::size_t start, Failure& failure) {
    int line = 1;
    for (std::size_t at = start; at < text.size();) {
        const std::size_t end = lineEndAt(text, at);
        if (end > 0) {
            at += end;
            ++line;
            continue;
        }
        const std::size_t length = text[at] == '\0' ? 0 : utf8SequenceAt(text, at);
        if (length == 0) {
            return fail(failure, line,
                        "not UTF-8 text; save the sheet as \"CSV UTF-8 (comma delimited)\"");
        }
        at += length;
    }
    return true;
}

// Reads the quoted field that starts at text[at], moving at and line past it.
bool readQuotedField(const std::string& text, std::size_t& at, int& line, std::string& field,
                     Failure& failure) {
    const int opened = line;
    for (++at;;) {
        if (at >= text.size()) {
            return fail(failure, opened, "a quoted field is not closed");
        }
        if (const std::size_t end = lineEndAt(text, at)) {
            field += '\n';
            at += end;
            ++line;
        } else if (text[at] != '"') {
            field += text[at++];
        } else if (at + 1 < text.size() && text[at + 1] == '"') {
            field += '"';
            at += 2;
        } else {
            ++at;
            break;
        }
    }
    if (at < text.size() && text[at] != ',' && lineEndAt(text, at) == 0) {
        return fail(failure, line,
                    "text after the closing quote of a field (a quote inside a quoted field "
                    "is written twice)");
    }
    return true;
}

// Splits text from start on into records of fields, the way spreadsheets quote them.
bool splitRecords(const std::string& text, std::size_t start, std::vector<Record>& records,
                  Failure& failure) {
    std::size_t at = start;
    int line = 1;
    while (at < text.size()) {
        Record record;
        record.line = line;
        for (bool more = true; more;) {
            std::string field;
            if (text[at] == '"') {
                if (!readQuotedField(text, at, line, field, failure)) {
                    return false;
                }
            } else {
                while (at < text.size() && text[at] != ',' && lineEndAt(text, at) == 0) {
                    field += text[at++];
                }
            }
            record.fields.push_back(field);
            if (at < text.size() && text[at] == ',') {
                ++at;
                // A comma at the very end leaves one more, empty, field.
                if (at >= text.size()) {
                    record.fields.emplace_back();
                    more = false;
                }
            } else {
                at += lineEndAt(text, at);
                ++line;
                more = false;
            }
        }
        records.push_back(record);
    }
    return true;
}

bool isBlank(const Record& record) {
    for (const std::string& field : record.fields) {
        if (!field.empty()) {
            return false;
        }
    }
    return true;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool hasControlBytes(const std::string& text) {
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            return true;
        }
    }
    return false;
}

// Column positions named by the header; -1 for a column it does not name.
struct Columns {
    int studentId = -1;
    int loginName = -1;
    int seed = -1;
    std::size_t count = 0;
};

bool readHeader(const Record& header, Columns& columns, Failure& failure) {
    columns.count = header.fields.size();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = trimmed(header.fields[i]);
        int* column = name == "student_id"   ? &columns.studentId
                      : name == "login_name" ? &columns.loginName
                      : name == "seed"       ? &columns.seed
                                             : nullptr;
        if (column == nullptr) {
            continue;  // a column of the instructor's own, such as a name
        }
        if (*column != -1) {
            return fail(failure, header.line, "the header names the column " + name + " twice");
        }
        *column = static_cast<int>(i);
    }
    const char* const missing = columns.studentId == -1   ? "student_id"
                                : columns.loginName == -1 ? "login_name"
                                                          : nullptr;
    if (missing != nullptr) {
        return fail(failure, header.line,
                    std::string("the header row names no column ") + missing +
                        " (it needs student_id and login_name, optionally seed)");
    }
    return true;
}

std::string fieldOf(const Record& record, int column) {
    return column >= 0 && static_cast<std::size_t>(column) < record.fields.size()
               ? record.fields[static_cast<std::size_t>(column)]
               : std::string();
}

bool checkStudentId(const std::string& id, int line, Failure& failure) {
    if (id.empty()) {
        return fail(failure, line, "empty student ID");
    }
    if (id.size() > maxStudentIdBytes) {
        return fail(failure, line,
                    "student ID " + quoted(id) + " is " + std::to_string(id.size()) +
                        " bytes long; at most 51 fit the status line");
    }
    if (hasControlBytes(id)) {
        return fail(
            failure, line,
            "student ID " + quoted(id) + " holds a line break or another control character");
    }
    return true;
}

bool checkLoginName(const std::string& login, int line, const std::map<std::string, int>& seen,
                    Failure& failure) {
    if (login.empty()) {
        return fail(failure, line, "empty login name");
    }
    if (login.size() > maxLoginNameBytes) {
        return fail(failure, line,
                    "login name " + quoted(login) + " is " + std::to_string(login.size()) +
                        " bytes long; a login name over 63 bytes can never match");
    }
    if (hasControlBytes(login) || trimmed(login) != login) {
        return fail(failure, line,
                    "login name " + quoted(login) +
                        " holds a control character or begins or ends with a space, so it "
                        "can never match");
    }
    if (login == fallbackLoginName) {
        return fail(failure, line,
                    "login name " + quoted(login) +
                        " is the name that stands in for every unregistered user; registering "
                        "it would give them all this student's scene");
    }
    const auto earlier = seen.find(login);
    if (earlier != seen.end()) {
        return fail(failure, line,
                    "login name " + quoted(login) + " listed twice (first on line " +
                        std::to_string(earlier->second) + ")");
    }
    return true;
}

// The seed of a row as decimal text: the given one, or the prompt's seed of its ID.
bool seedOf(const std::string& given, const std::string& id, int line, std::string& seedText,
            Failure& failure) {
    if (given.empty()) {
        // The prompt reads one word: an ID with a space in it cannot be typed there.
        const int seed = id.find(' ') == std::string::npos ? parseStudentId(id.c_str()) : -1;
        if (seed == -1) {
            return fail(failure, line,
                        "empty seed, and the prompt refuses the student ID " + quoted(id) +
                            " (it takes 8 letters or digits without spaces, with a leading "
                            "number above 0); give the row a seed");
        }
        seedText = std::to_string(seed);
        return true;
    }
    uint64_t value = 0;
    for (const char c : given) {
        if (c < '0' || c > '9' || value > maxSeed) {
            value = uint64_t{maxSeed} + 1;
            break;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > maxSeed) {
        return fail(failure, line,
                    "seed " + quoted(given) + " is not a decimal number from 0 to 2147483647");
    }
    seedText = std::to_string(value);
    return true;
}

bool parseRecords(const std::string& text, std::vector<RosterEntry>& entries, Failure& failure) {
    std::size_t start = 0;
    if (text.compare(0, 3, "\xef\xbb\xbf") == 0) {
        start = 3;
    } else if (text.compare(0, 2, "\xff\xfe") == 0 || text.compare(0, 2, "\xfe\xff") == 0) {
        return fail(failure, 1, "UTF-16 text; save the sheet as \"CSV UTF-8 (comma delimited)\"");
    }
    std::vector<Record> records;
    if (!checkEncoding(text, start, failure) || !splitRecords(text, start, records, failure)) {
        return false;
    }
    std::size_t next = 0;
    while (next < records.size() && isBlank(records[next])) {
        ++next;
    }
    if (next == records.size()) {
        return fail(failure, 1, "empty file; it needs a header row and one row per student");
    }
    Columns columns;
    const Record& header = records[next++];
    if (!readHeader(header, columns, failure)) {
        return false;
    }

    std::map<std::string, int> lineOfLogin;
    for (; next < records.size(); ++next) {
        const Record& record = records[next];
        if (isBlank(record)) {
            continue;
        }
        for (std::size_t i = columns.count; i < record.fields.size(); ++i) {
            if (!record.fields[i].empty()) {
                return fail(failure, record.line,
                            "the row has more fields than the header has columns (a field "
                            "holding a comma needs quotes)");
            }
        }
        RosterEntry entry;
        entry.studentId = fieldOf(record, columns.studentId);
        entry.loginName = fieldOf(record, columns.loginName);
        entry.line = record.line;
        if (!checkStudentId(entry.studentId, record.line, failure) ||
            !checkLoginName(entry.loginName, record.line, lineOfLogin, failure) ||
            !seedOf(fieldOf(record, columns.seed), entry.studentId, record.line, entry.seedText,
                    failure)) {
            return false;
        }
        lineOfLogin[entry.loginName] = record.line;
        entries.push_back(entry);
    }
    if (entries.empty()) {
        return fail(failure, header.line, "no student rows after the header row");
    }
    return true;
}

}  // namespace

bool parseRoster(const std::string& text, const std::string& name,
                 std::vector<RosterEntry>& entries, std::string& error) {
    std::vector<RosterEntry> parsed;
    Failure failure;
    if (!parseRecords(text, parsed, failure)) {
        error = name + ":" + std::to_string(failure.line) + ": " + failure.reason;
        return false;
    }
    entries = parsed;
    return true;
}
