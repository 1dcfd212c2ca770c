// Every picture in a file's content: the file itself, a PDF's images, a
// document's pictures, a zip's members (nested), in path and document order.
#include <cstdio>
#include <map>

#include "check/check.h"

namespace {

using Visit = std::function<void(const FoundPicture&, const Picture&)>;
using Report = std::function<void(const std::string&)>;

// Pads n so that document positions sort as numbers.
std::string position(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%09d", n);
    return text;
}

std::vector<std::string> with(std::vector<std::string> order, const std::string& part) {
    order.push_back(part);
    return order;
}

bool looksLikeText(const std::string& bytes) {
    const std::size_t size = std::min<std::size_t>(bytes.size(), 512);
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == 0 || (c < 0x20 && c != '\n' && c != '\r' && c != '\t')) {
            return false;
        }
    }
    return size > 0;
}

void visitPicture(const FoundPicture& found, const std::string& bytes, const Visit& visit,
                  const Report& report) {
    Picture picture;
    std::string error;
    if (decodePicture(bytes, picture, error)) {
        visit(found, picture);
    } else {
        report(found.source + ": " + error);
    }
}

bool hasMember(const std::vector<ArchiveMember>& members, const std::string& path) {
    for (const ArchiveMember& member : members) {
        if (member.path == path) {
            return true;
        }
    }
    return false;
}

// A DOCX's or ODT's pictures, numbered in document order.
void documentPictures(const std::string& source, const std::vector<std::string>& order,
                      const std::string& bytes, const std::vector<ArchiveMember>& members,
                      bool docx, UnpackBudget& budget, const Visit& visit, const Report& report) {
    std::vector<std::string> paths;
    for (const ArchiveMember& member : members) {
        paths.push_back(member.path);
    }
    const char* const text = docx ? "word/document.xml" : "content.xml";
    const char* const relationships = "word/_rels/document.xml.rels";
    const char* const folder = docx ? "word/media/" : "Pictures/";
    std::map<std::string, std::string> content;
    std::string error;
    const bool whole = unpackArchive(
        bytes,
        [&](const std::string& path) {
            return path == text || (docx && path == relationships) ||
                   (path.compare(0, std::char_traits<char>::length(folder), folder) == 0 &&
                    isExaminedName(path));
        },
        [&](const std::string& path, std::string& data) { content[path] = std::move(data); },
        [&](const std::string& message) { report(source + ": " + message); }, budget, error);
    if (!whole && !error.empty()) {
        report(source + ": " + error);
    }
    const std::vector<std::string> pictures =
        docx ? docxPictureOrder(content[text], content[relationships], paths)
             : odtPictureOrder(content[text], paths);
    if (pictures.size() > std::size_t(maxDocumentPictures)) {
        report(source + ": more than " + std::to_string(maxDocumentPictures) + " pictures");
        return;
    }
    int n = 0;
    for (const std::string& path : pictures) {
        ++n;
        const auto data = content.find(path);
        if (data == content.end()) {
            continue;  // not unpacked: the reading stopped before it, as reported
        }
        const std::string numbered = source + "#" + std::to_string(n);
        visitPicture({numbered, source, with(order, position(n))}, data->second, visit, report);
    }
}

}  // namespace

void findPictures(const std::string& source, const std::vector<std::string>& order,
                  const std::string& bytes, int depth, UnpackBudget& budget, const Visit& visit,
                  const Report& report) {
    std::string error;
    switch (fileKindOf(bytes)) {
        case FileKind::png:
        case FileKind::jpeg:
        case FileKind::webp:
        case FileKind::bmp:
            visitPicture({source, source, order}, bytes, visit, report);
            return;
        case FileKind::pdf: {
            int n = 0;
            const auto each = [&](const Picture& picture) {
                ++n;
                visit({source + "#" + std::to_string(n), source, with(order, position(n))},
                      picture);
            };
            if (!pdfPictures(bytes, budget.deadline, each, error)) {
                report(source + ": " + error);
            }
            return;
        }
        case FileKind::zip:
            break;
        case FileKind::unknown:
            report(source + ": " + (looksLikeText(bytes) ? "text, " : "") +
                   "not a picture (PNG, JPEG, WebP, BMP), PDF, DOCX, ODT or ZIP file, "
                   "whatever its name says");
            return;
    }
    if (depth >= maxNesting) {
        report(source + ": an archive nested deeper than " + std::to_string(maxNesting) +
               " levels, not opened");
        return;
    }
    std::vector<ArchiveMember> members;
    if (!listArchive(bytes, members, error)) {
        report(source + ": " + error);
        return;
    }
    if (hasMember(members, "word/document.xml")) {
        documentPictures(source, order, bytes, members, true, budget, visit, report);
        return;
    }
    if (hasMember(members, "content.xml") && hasMember(members, "mimetype")) {
        documentPictures(source, order, bytes, members, false, budget, visit, report);
        return;
    }
    const bool whole = unpackArchive(
        bytes, [](const std::string& path) { return isExaminedName(path); },
        [&](const std::string& path, std::string& data) {
            findPictures(source + "/" + path, with(order, path), data, depth + 1, budget, visit,
                         report);
        },
        [&](const std::string& message) { report(source + "/" + message); }, budget, error);
    if (!whole && !error.empty()) {
        report(source + ": " + error);
    }
}
