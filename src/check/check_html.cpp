// The check's page, index.html: the reports that need a look first.
#include <map>

#include "check/check.h"
#include "sheet/sheet.h"

namespace {

const char* const pageStart =
    "<!DOCTYPE html>\n"
    "<html lang=\"en\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<title>Report check</title>\n"
    "<style>\n"
    "body { font-family: sans-serif; margin: 1.5em; }\n"
    "table { border-collapse: collapse; }\n"
    "td, th { border: 1px solid #bbb; padding: 6px; vertical-align: top; text-align: left; }\n"
    "tr.look { background: #fde2e2; }\n"
    "tr.unreadable { background: #fff3cd; }\n"
    ".verdict { font-weight: bold; }\n"
    ".picture { margin-bottom: 8px; }\n"
    ".crop { display: block; max-width: 480px; border: 1px solid #888; }\n"
    ".card { width: 220px; height: 220px; display: block; }\n"
    "</style>\n"
    "</head>\n"
    "<body>\n"
    "<h1>Report check</h1>\n";

enum class Group { look, unreadable, rest };

const char* groupClass(Group group) {
    return group == Group::look ? "look" : group == Group::unreadable ? "unreadable" : "rest";
}

std::string pictureCell(const std::vector<CheckedPicture>& pictures, std::size_t index) {
    const CheckedPicture& picture = pictures[index];
    std::string cell = "<div class=\"picture\"><div class=\"source\">" +
                       escapeHtml(printableText(picture.found.source)) + "</div>\n";
    cell += "<div><span class=\"reading\">" + std::string(readingName(picture.reading.kind)) +
            "</span> " + escapeHtml(printableText(picture.text));
    if (!picture.verdict.empty()) {
        cell += " <span class=\"verdict\">" + picture.verdict + "</span>";
    }
    cell += "</div>\n";
    for (const std::size_t other : picture.sameAs) {
        cell += "<div class=\"same\">same screenshot as " +
                escapeHtml(printableText(pictures[other].found.source)) + "</div>\n";
    }
    if (picture.crop.width > 0) {
        cell += "<img class=\"crop\" src=\"" + escapeHtml(cropFileName(index)) +
                "\" alt=\"Status line as found\">\n";
    }
    return cell + "</div>\n";
}

}  // namespace

std::string checkHtml(const std::vector<CheckedPicture>& pictures,
                      const std::vector<std::string>& refusals,
                      const std::vector<RosterEntry>& roster,
                      const std::vector<std::string>& cardPictures) {
    // Report files in path order, each with its pictures.
    std::vector<std::string> reports;
    std::map<std::string, std::vector<std::size_t>> picturesOf;
    for (std::size_t index = 0; index < pictures.size(); ++index) {
        const std::string& report = pictures[index].found.reportFile;
        if (picturesOf.count(report) == 0) {
            reports.push_back(report);
        }
        picturesOf[report].push_back(index);
    }
    std::string rows[3];
    for (const std::string& report : reports) {
        Group group = Group::rest;
        int author = -1;
        std::string cells;
        for (const std::size_t index : picturesOf[report]) {
            const CheckedPicture& picture = pictures[index];
            if (picture.verdict == "mismatch" || !picture.sameAs.empty()) {
                group = Group::look;
            } else if (picture.reading.kind == ReadingKind::unreadable && group == Group::rest) {
                group = Group::unreadable;
            }
            author = author >= 0 ? author : picture.author;
            cells += pictureCell(pictures, index);
        }
        std::string who = "<td class=\"author\">no author found</td>\n<td></td>\n";
        if (author >= 0) {
            const RosterEntry& entry = roster[std::size_t(author)];
            const std::string& card = cardPictures[std::size_t(author)];
            // The card opens at full size, where its status line is readable.
            const std::string link = escapeHtml(cardFileName(escapeUrl(card)));
            who =
                "<td class=\"author\">" + escapeHtml(entry.name) + "<br>" +
                escapeHtml(entry.studentId) + "</td>\n<td>" +
                (card.empty() ? ""
                              : "<a href=\"" + link + "\"><img class=\"card\" src=\"" + link +
                                    "\" alt=\"Card of " + escapeHtml(entry.studentId) + "\"></a>") +
                "</td>\n";
        }
        rows[int(group)] += "<tr class=\"" + std::string(groupClass(group)) + "\">\n<td>" +
                            escapeHtml(printableText(report)) + "</td>\n" + who + "<td>" + cells +
                            "</td>\n</tr>\n";
    }
    for (const std::string& refusal : refusals) {
        rows[int(Group::unreadable)] += "<tr class=\"unreadable\">\n<td colspan=\"4\">" +
                                        escapeHtml(printableText(refusal)) + "</td>\n</tr>\n";
    }
    std::string page = pageStart;
    page += "<p>" + std::to_string(reports.size()) + " report files with " +
            std::to_string(pictures.size()) + " pictures; " + std::to_string(refusals.size()) +
            " files could not be read. Mismatches and same screenshots come first, then "
            "unreadable status lines and files.</p>\n";
    page +=
        "<table>\n<tr><th>Report file</th><th>Author</th><th>Author's card</th>"
        "<th>Pictures: reading, verdict, status line as found</th></tr>\n";
    page += rows[0] + rows[1] + rows[2] + "</table>\n</body>\n</html>\n";
    return page;
}
