// The order of a DOCX's or ODT's pictures: the order in which the text shows them.
#include <algorithm>
#include <map>
#include <set>

#include "check/check.h"

namespace {

// The value of every attribute whose name ends in one of suffixes (such as
// ":embed"), in the order they stand in xml.
std::vector<std::string> attributeValues(const std::string& xml,
                                         const std::vector<std::string>& suffixes) {
    std::vector<std::string> values;
    for (std::size_t at = xml.find("=\""); at != std::string::npos; at = xml.find("=\"", at + 2)) {
        std::size_t nameStart = at;
        while (nameStart > 0 && xml[nameStart - 1] != ' ' && xml[nameStart - 1] != '\n' &&
               xml[nameStart - 1] != '\t' && xml[nameStart - 1] != '\r' &&
               xml[nameStart - 1] != '<') {
            --nameStart;
        }
        const std::string name = xml.substr(nameStart, at - nameStart);
        const bool wantedName = std::any_of(suffixes.begin(), suffixes.end(), [&](const auto& s) {
            return name.size() >= s.size() &&
                   name.compare(name.size() - s.size(), s.size(), s) == 0;
        });
        const std::size_t end = xml.find('"', at + 2);
        if (end == std::string::npos) {
            break;
        }
        if (wantedName) {
            values.push_back(xml.substr(at + 2, end - at - 2));
        }
    }
    return values;
}

// The value of attribute name within one element's text, or "".
std::string attribute(const std::string& element, const std::string& name) {
    const std::size_t at = element.find(" " + name + "=\"");
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t start = at + name.size() + 3;
    const std::size_t end = element.find('"', start);
    return end == std::string::npos ? "" : element.substr(start, end - start);
}

// folder/target with "." and ".." resolved; a target starting with '/' is from the top.
std::string resolvedPath(const std::string& folder, const std::string& target) {
    std::string joined = !target.empty() && target[0] == '/' ? target.substr(1) : folder + target;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t end = joined.find('/', start);
        if (end == std::string::npos) {
            end = joined.size();
        }
        const std::string part = joined.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string path;
    for (const std::string& part : parts) {
        path += (path.empty() ? "" : "/") + part;
    }
    return path;
}

// The referenced members that are pictures of folder, in order of first
// reference, then the folder's other pictures by name.
std::vector<std::string> inOrder(const std::vector<std::string>& referenced,
                                 const std::string& folder,
                                 const std::vector<std::string>& memberPaths) {
    std::set<std::string> pictures;
    for (const std::string& path : memberPaths) {
        if (path.compare(0, folder.size(), folder) == 0 && isExaminedName(path)) {
            pictures.insert(path);
        }
    }
    std::vector<std::string> order;
    std::set<std::string> taken;
    for (const std::string& path : referenced) {
        if (pictures.count(path) != 0 && taken.insert(path).second) {
            order.push_back(path);
        }
    }
    for (const std::string& path : pictures) {
        if (taken.count(path) == 0) {
            order.push_back(path);
        }
    }
    return order;
}

}  // namespace

std::vector<std::string> docxPictureOrder(const std::string& documentXml,
                                          const std::string& relationshipsXml,
                                          const std::vector<std::string>& memberPaths) {
    std::map<std::string, std::string> targets;
    for (std::size_t at = relationshipsXml.find("<Relationship "); at != std::string::npos;
         at = relationshipsXml.find("<Relationship ", at + 1)) {
        const std::string element =
            relationshipsXml.substr(at, relationshipsXml.find('>', at) - at);
        if (attribute(element, "TargetMode") != "External") {
            targets[attribute(element, "Id")] = resolvedPath("word/", attribute(element, "Target"));
        }
    }
    std::vector<std::string> referenced;
    for (const std::string& id : attributeValues(documentXml, {":embed", ":id", ":link"})) {
        const auto target = targets.find(id);
        if (target != targets.end()) {
            referenced.push_back(target->second);
        }
    }
    return inOrder(referenced, "word/media/", memberPaths);
}

std::vector<std::string> odtPictureOrder(const std::string& contentXml,
                                         const std::vector<std::string>& memberPaths) {
    std::vector<std::string> referenced;
    for (std::size_t at = contentXml.find("<draw:image"); at != std::string::npos;
         at = contentXml.find("<draw:image", at + 1)) {
        const std::string element = contentXml.substr(at, contentXml.find('>', at) - at);
        referenced.push_back(resolvedPath("", attribute(element, "xlink:href")));
    }
    return inOrder(referenced, "Pictures/", memberPaths);
}
