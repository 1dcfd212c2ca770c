// The sheet's students: their seeds or refusals, and the names of their pictures.
#include <cctype>
#include <cstring>
#include <map>

#include "identity/identity.h"
#include "sheet/sheet.h"

namespace {

std::string withoutLineBreak(std::string text) {
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

std::vector<SheetStudent> studentsFromIds(const std::vector<std::string>& studentIds) {
    std::vector<SheetStudent> students;
    for (const std::string& id : studentIds) {
        SheetStudent student;
        // As the prompt reads it: full-width forms count as ASCII.
        student.studentId = halfWidthText(id);
        // An ID with a zero byte cannot come from the command line; the length check sees all.
        student.seed = parseStudentId(student.studentId.c_str());
        if (student.seed == -1) {
            student.refusal = withoutLineBreak(refusedStudentIdMessage);
        }
        students.push_back(student);
    }
    return students;
}

std::vector<SheetStudent> studentsFromRoster(const std::vector<RosterEntry>& entries) {
    std::vector<SheetStudent> students;
    for (const RosterEntry& entry : entries) {
        SheetStudent student;
        student.studentId = entry.studentId;
        student.seed = registeredSeed(entry.seedText.c_str());
        student.name = entry.name;
        students.push_back(student);
    }
    return students;
}

std::string fileNameOfId(const std::string& studentId) {
    std::string name = studentId;
    for (char& c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || std::strchr("/\\:*?\"<>|", c) != nullptr) {
            c = '_';
        }
    }
    // A leading dot would hide the file.
    if (!name.empty() && name[0] == '.') {
        name[0] = '_';
    }
    return name;
}

std::vector<std::string> assignPictureNames(std::vector<SheetStudent>& students) {
    std::vector<std::string> notes;
    std::map<std::string, const SheetStudent*> drawnBy;            // by lower-case name
    std::map<std::pair<std::string, int>, std::string> pictureOf;  // by ID and seed
    for (SheetStudent& student : students) {
        if (!student.refusal.empty()) {
            continue;
        }
        const auto same = pictureOf.find({student.studentId, student.seed});
        if (same != pictureOf.end()) {
            student.pictureName = same->second;
            student.drawsPicture = false;
            continue;
        }
        const std::string base = fileNameOfId(student.studentId);
        std::string name = base + ".png";
        for (int n = 2; drawnBy.count(lowerCase(name)) != 0; ++n) {
            name = base + "-" + std::to_string(n) + ".png";
        }
        if (name != base + ".png") {
            const SheetStudent& holder = *drawnBy[lowerCase(base + ".png")];
            notes.push_back(printableText(student.studentId) + " is drawn as " + name + ": " +
                            holder.pictureName + " is the picture of " +
                            printableText(holder.studentId));
        }
        drawnBy[lowerCase(name)] = &student;
        pictureOf[{student.studentId, student.seed}] = name;
        student.pictureName = name;
        student.drawsPicture = true;
    }
    return notes;
}
