// The contact sheet, index.html: one card per student, the refused ones listed apart.
#include "sheet/sheet.h"

namespace {

const char* const pageStart =
    "<!DOCTYPE html>\n"
    "<html lang=\"en\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<title>Scene sheet</title>\n"
    "<style>\n"
    "body { font-family: sans-serif; margin: 1.5em; }\n"
    ".cards { display: flex; flex-wrap: wrap; gap: 1em; }\n"
    "figure { margin: 0; width: 220px; border: 1px solid #bbb; padding: 8px; }\n"
    "figure img { width: 220px; height: 220px; display: block; }\n"
    "figcaption { font-size: 0.85em; margin-top: 6px; overflow-wrap: anywhere; }\n"
    ".id { font-weight: bold; font-size: 1.1em; }\n"
    "</style>\n"
    "</head>\n"
    "<body>\n"
    "<h1>Scene sheet</h1>\n";

std::string card(const SheetStudent& student) {
    const std::string id = escapeHtml(student.studentId);
    const std::string link = escapeHtml(escapeUrl(student.pictureName));
    return "<figure>\n<a href=\"" + link + "\"><img src=\"" + link + "\" alt=\"Start picture of " +
           id + "\"></a>\n<figcaption><div class=\"id\">" + id + "</div>\nSeed " +
           std::to_string(student.seed) + "<br>\n" + escapeHtml(student.selection) +
           "<br>\nModel label " + escapeHtml(std::string(1, student.modelLabel)) +
           "</figcaption>\n</figure>\n";
}

}  // namespace

std::string sheetHtml(const std::vector<SheetStudent>& students) {
    std::string cards;
    std::string refused;
    int accepted = 0;
    for (const SheetStudent& student : students) {
        if (student.refusal.empty()) {
            ++accepted;
            cards += card(student);
        } else {
            refused += "<li><span class=\"id\">" + escapeHtml(student.studentId) +
                       "</span>: " + escapeHtml(student.refusal) + "</li>\n";
        }
    }
    std::string page = pageStart;
    page += "<p>" + std::to_string(accepted) +
            " students, each with the picture the program "
            "shows first for them. Click a picture for its full size.</p>\n";
    page += "<div class=\"cards\">\n" + cards + "</div>\n";
    if (!refused.empty()) {
        page += "<h2>Refused</h2>\n<ul>\n" + refused + "</ul>\n";
    }
    page += "</body>\n</html>\n";
    return page;
}
