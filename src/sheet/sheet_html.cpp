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
    "#search { font-size: 1.1em; width: 20em; margin-bottom: 1em; }\n"
    ".cards { display: flex; flex-wrap: wrap; gap: 1em; }\n"
    "figure { margin: 0; width: 220px; border: 1px solid #bbb; padding: 8px; }\n"
    "figure[hidden] { display: none; }\n"
    "figure img { width: 220px; height: 220px; display: block; }\n"
    "figcaption { font-size: 0.85em; margin-top: 6px; overflow-wrap: anywhere; }\n"
    ".name { font-weight: bold; font-size: 1.2em; }\n"
    ".id { font-weight: bold; font-size: 1.1em; }\n"
    "</style>\n"
    "</head>\n"
    "<body>\n"
    "<h1>Scene sheet</h1>\n";

// Shows the cards whose name or ID holds what is typed in the search box,
// compared without letter case, spaces or full-width forms. A link to
// index.html#<name or ID> opens the page with that search.
const char* const searchScript =
    "<script>\n"
    "(function () {\n"
    "  var box = document.getElementById('search');\n"
    "  var cards = document.querySelectorAll('figure[data-id]');\n"
    "  var shown = document.getElementById('shown');\n"
    "  function key(text) { return text.normalize('NFKC').toLowerCase().replace(/\\s+/g, ''); }\n"
    "  function filter() {\n"
    "    var wanted = key(box.value);\n"
    "    var count = 0;\n"
    "    for (var i = 0; i < cards.length; ++i) {\n"
    "      var card = cards[i];\n"
    "      var match = key(card.dataset.name).indexOf(wanted) >= 0 ||\n"
    "                  key(card.dataset.id).indexOf(wanted) >= 0;\n"
    "      card.hidden = !match;\n"
    "      if (match) ++count;\n"
    "    }\n"
    "    shown.textContent = wanted ? count + ' of ' + cards.length + ' shown' : '';\n"
    "  }\n"
    "  box.addEventListener('input', filter);\n"
    "  if (location.hash) box.value = decodeURIComponent(location.hash.slice(1));\n"
    "  filter();\n"
    "})();\n"
    "</script>\n";

std::string card(const SheetStudent& student) {
    const std::string id = escapeHtml(student.studentId);
    const std::string name = escapeHtml(student.name);
    const std::string link = escapeHtml(escapeUrl(student.pictureName));
    const std::string who = student.name.empty() ? id : name + " (" + id + ")";
    return "<figure data-id=\"" + id + "\" data-name=\"" + name + "\">\n<a href=\"" + link +
           "\"><img src=\"" + link + "\" alt=\"Start picture of " + who + "\"></a>\n<figcaption>" +
           (student.name.empty() ? "" : "<div class=\"name\">" + name + "</div>\n") +
           "<div class=\"id\">" + id + "</div>\nSeed " + std::to_string(student.seed) + "<br>\n" +
           escapeHtml(student.selection) + "</figcaption>\n</figure>\n";
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
    page +=
        "<p><input type=\"search\" id=\"search\" placeholder=\"Name or student ID\" "
        "aria-label=\"Find a student by name or ID\" autofocus> <span id=\"shown\"></span></p>\n";
    page += "<div class=\"cards\">\n" + cards + "</div>\n";
    if (!refused.empty()) {
        page += "<h2>Refused</h2>\n<ul>\n" + refused + "</ul>\n";
    }
    page += searchScript;
    page += "</body>\n</html>\n";
    return page;
}
