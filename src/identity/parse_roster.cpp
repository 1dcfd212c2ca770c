// Reading the text of a class roster (CSV as spreadsheets write it) into student rows.
#include <algorithm>
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

// Why a row, or the whole file, is refused: the line and the reason.
struct Failure {
    int line = 0;
    std::string reason;
};

// One row of fields and the line on which it starts.
struct Record {
    std::vector<std::string> fields;
    int line = 1;
    Failure malformed;  // line 0: the row's quoting is sound
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
        fail(failure, line,
             "text after the closing quote of a field (a quote inside a quoted field is "
             "written twice)");
        // The rest of the line belongs to this row: the next row starts after it.
        while (at < text.size() && lineEndAt(text, at) == 0) {
            ++at;
        }
        return false;
    }
    return true;
}

// Splits text into records of fields, the way spreadsheets quote them. A
// record whose quoting is broken is kept with the reason; an unclosed quote
// takes the rest of the text and ends the split.
void splitRecords(const std::string& text, std::vector<Record>& records) {
    std::size_t at = 0;
    int line = 1;
    while (at < text.size()) {
        Record record;
        record.line = line;
        for (bool more = true; more;) {
            std::string field;
            if (text[at] == '"') {
                if (!readQuotedField(text, at, line, field, record.malformed) &&
                    at >= text.size()) {
                    records.push_back(record);
                    return;
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
}

bool isBlank(const Record& record) {
    for (const std::string& field : record.fields) {
        if (!field.empty()) {
            return false;
        }
    }
    return true;
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
    int name = -1;
    std::size_t count = 0;
};

// The header's cells, quoted and separated by commas, for a message.
std::string headerCells(const Record& header) {
    std::string cells;
    for (const std::string& field : header.fields) {
        cells += (cells.empty() ? "" : ", ") + quoted(field);
    }
    return cells;
}

bool readHeader(const Record& header, Columns& columns, Failure& failure) {
    columns.count = header.fields.size();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const RosterColumn named = rosterColumnOfHeader(header.fields[i]);
        int* column = named == RosterColumn::studentId   ? &columns.studentId
                      : named == RosterColumn::loginName ? &columns.loginName
                      : named == RosterColumn::seed      ? &columns.seed
                      : named == RosterColumn::name      ? &columns.name
                                                         : nullptr;
        if (column == nullptr) {
            continue;  // a column of the instructor's own, such as the reading of a name
        }
        if (*column != -1) {
            return fail(failure, header.line,
                        "the header names one column twice: " +
                            quoted(header.fields[static_cast<std::size_t>(*column)]) + " and " +
                            quoted(header.fields[i]));
        }
        *column = static_cast<int>(i);
    }
    const char* const missing = columns.studentId == -1 ? "student ID (student_id or 学籍番号)"
                                : columns.loginName == -1 ? "login name (login_name or ログイン名)"
                                                          : nullptr;
    if (missing != nullptr) {
        return fail(failure, header.line,
                    std::string("the header row names no ") + missing + " column; its cells are " +
                        headerCells(header));
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
    if (hasControlBytes(login) || trimmedText(login) != login) {
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

// The student of a row, or false with the reason it is refused. A login name
// that is sound in itself is taken as the first of its kind, also when the
// row is refused for its ID or seed.
bool readRow(const Record& record, const Columns& columns, std::map<std::string, int>& lineOfLogin,
             RosterEntry& entry, Failure& failure) {
    if (record.malformed.line != 0) {
        failure = record.malformed;
        return false;
    }
    for (std::size_t i = columns.count; i < record.fields.size(); ++i) {
        if (!record.fields[i].empty()) {
            return fail(failure, record.line,
                        "the row has more fields than the header has columns (a field "
                        "holding a comma needs quotes)");
        }
    }
    entry.studentId = halfWidthText(fieldOf(record, columns.studentId));
    entry.loginName = halfWidthText(fieldOf(record, columns.loginName));
    entry.name = trimmedText(fieldOf(record, columns.name));
    entry.line = record.line;
    Failure idFailure, loginFailure, seedFailure;
    const bool idAccepted = checkStudentId(entry.studentId, record.line, idFailure);
    const bool loginAccepted =
        checkLoginName(entry.loginName, record.line, lineOfLogin, loginFailure);
    if (loginAccepted) {
        lineOfLogin.emplace(entry.loginName, record.line);
    }
    const bool seedAccepted =
        idAccepted && seedOf(halfWidthText(fieldOf(record, columns.seed)), entry.studentId,
                             record.line, entry.seedText, seedFailure);
    failure = !idAccepted ? idFailure : !loginAccepted ? loginFailure : seedFailure;
    return idAccepted && loginAccepted && seedAccepted;
}

// Reads every row; each refused one adds its failure. A failure of the file
// as a whole (encoding, header, an unclosed quote) ends the reading.
void parseRecords(const std::string& content, std::vector<RosterEntry>& entries,
                  std::vector<Failure>& failures) {
    std::string text;
    Failure failure;
    if (!decodeRosterText(content, text, failure.line, failure.reason)) {
        failures.push_back(failure);
        return;
    }
    std::vector<Record> records;
    splitRecords(text, records);
    std::size_t next = 0;
    while (next < records.size() && isBlank(records[next]) && records[next].malformed.line == 0) {
        ++next;
    }
    if (next == records.size()) {
        failures.push_back({1, "empty file; it needs a header row and one row per student"});
        return;
    }
    Columns columns;
    const Record& header = records[next++];
    if (header.malformed.line != 0) {
        failures.push_back(header.malformed);
        return;
    }
    if (!readHeader(header, columns, failure)) {
        failures.push_back(failure);
        return;
    }

    std::map<std::string, int> lineOfLogin;
    for (; next < records.size(); ++next) {
        const Record& record = records[next];
        if (isBlank(record) && record.malformed.line == 0) {
            continue;
        }
        RosterEntry entry;
        if (readRow(record, columns, lineOfLogin, entry, failure)) {
            entries.push_back(entry);
        } else {
            failures.push_back(failure);
        }
    }
    if (failures.empty() && entries.empty()) {
        failures.push_back({header.line, "no student rows after the header row"});
    }
}

}  // namespace

bool parseRoster(const std::string& text, const std::string& name,
                 std::vector<RosterEntry>& entries, std::string& error) {
    std::vector<RosterEntry> parsed;
    std::vector<Failure> failures;
    parseRecords(text, parsed, failures);
    if (failures.empty()) {
        entries = parsed;
        return true;
    }
    error.clear();
    const std::size_t listed = std::min<std::size_t>(failures.size(), maxListedRosterRefusals);
    for (std::size_t i = 0; i < listed; ++i) {
        error += (i == 0 ? "" : "\n") + name + ":" + std::to_string(failures[i].line) + ": " +
                 failures[i].reason;
    }
    if (failures.size() > listed) {
        error += "\n" + name + ": " + std::to_string(failures.size() - listed) +
                 " more refused rows; correct the rows above and build again to see them";
    }
    return false;
}
