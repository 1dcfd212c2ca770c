// The checker's way through handed-in files: zips in path order, nesting and
// size limits, documents in document order, folders with a link loop.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "check/check.h"
#include "sheet/sheet.h"

namespace {

namespace fs = std::filesystem;

// A zip holding the members in the order given.
std::string zipOf(const std::vector<std::pair<std::string, std::string>>& members) {
    archive* writer = archive_write_new();
    archive_write_set_format_zip(writer);
    std::vector<char> buffer(members.size() * 1024 + (64 << 20));
    size_t used = 0;
    archive_write_open_memory(writer, buffer.data(), buffer.size(), &used);
    for (const auto& [path, content] : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, path.c_str());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, la_int64_t(content.size()));
        archive_write_header(writer, entry);
        archive_write_data(writer, content.data(), content.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    return std::string(buffer.data(), used);
}

std::string pngOf(int width, int height) {
    const fs::path path = fs::temp_directory_path() / ("cgdemo-check-" + std::to_string(getpid()));
    std::vector<unsigned char> rgb(std::size_t(width) * height * 3, 200);
    std::string error;
    EXPECT_TRUE(writePng(path.string(), width, height, rgb.data(), error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    fs::remove(path);
    return bytes;
}

struct Found {
    std::vector<FoundPicture> pictures;  // in path order
    std::vector<std::string> messages;
};

Found find(const std::string& source, const std::string& bytes,
           uint64_t budgetBytes = maxArchiveBytes) {
    Found found;
    UnpackBudget budget;
    budget.bytesLeft = budgetBytes;
    budget.deadline = checkClockSeconds() + 60;
    findPictures(
        source, {}, bytes, 0, budget,
        [&](const FoundPicture& picture, const Picture&) { found.pictures.push_back(picture); },
        [&](const std::string& message) { found.messages.push_back(message); });
    std::stable_sort(found.pictures.begin(), found.pictures.end(),
                     [](const auto& a, const auto& b) { return a.order < b.order; });
    return found;
}

std::vector<std::string> sources(const Found& found) {
    std::vector<std::string> names;
    for (const FoundPicture& picture : found.pictures) {
        names.push_back(picture.source);
    }
    return names;
}

}  // namespace

TEST(ReportFiles, ZipMembersComeInPathOrderAndRefusedOnesLeaveTheRestRead) {
    const std::string png = pngOf(4, 3);
    const std::string deepest = zipOf({{"d.png", png}});
    const std::string third = zipOf({{"c.zip", deepest}, {"e.png", png}});
    const std::string zip = zipOf({{"z/shot.png", png},
                                   {"a/inner.zip", zipOf({{"b.zip", third}})},
                                   {"m/notes.png", "some notes, not a picture\n"},
                                   {"k/bomb.png", std::string(maxMemberBytes + 1, '\0')},
                                   {"k/readme.txt", "not looked at"},
                                   {"n/after.png", png}});
    const Found found = find("t.zip", zip);
    EXPECT_EQ(sources(found), (std::vector<std::string>{"t.zip/a/inner.zip/b.zip/e.png",
                                                        "t.zip/n/after.png", "t.zip/z/shot.png"}));
    ASSERT_EQ(found.messages.size(), 3u) << ::testing::PrintToString(found.messages);
    EXPECT_EQ(found.messages[0].rfind("t.zip/a/inner.zip/b.zip/c.zip: an archive nested deeper", 0),
              0u);
    EXPECT_EQ(found.messages[1].rfind("t.zip/m/notes.png: text, not a picture", 0), 0u);
    EXPECT_EQ(found.messages[2].rfind("t.zip/k/bomb.png: unpacks to more than 256 MiB", 0), 0u);
}

TEST(ReportFiles, TheUnpackBudgetOfAFileIsSharedByItsNestedArchivesAndStopsThemOnce) {
    const std::string png = pngOf(40, 30);
    const std::string inner = zipOf({{"1.png", png}, {"2.png", png}, {"3.png", png}});
    const Found found = find("t.zip", zipOf({{"a.png", png}, {"b/inner.zip", inner}}),
                             png.size() * 2 + inner.size() + 1);
    EXPECT_EQ(sources(found), (std::vector<std::string>{"t.zip/a.png", "t.zip/b/inner.zip/1.png"}));
    ASSERT_EQ(found.messages.size(), 1u) << ::testing::PrintToString(found.messages);
    EXPECT_NE(found.messages[0].find("t.zip/b/inner.zip: unpacks to more than"), std::string::npos)
        << found.messages[0];
}

TEST(ReportFiles, DocumentPicturesComeInTheOrderTheTextShowsThem) {
    const std::string relationships =
        "<Relationships><Relationship Id=\"rId4\" Type=\"image\" Target=\"media/image1.png\"/>"
        "<Relationship Id=\"rId5\" Type=\"image\" Target=\"/word/media/image2.jpeg\"/>"
        "<Relationship Id=\"rId6\" Type=\"image\" Target=\"http://x/y.png\" "
        "TargetMode=\"External\"/></Relationships>";
    const std::string text =
        "<w:body><a:blip r:embed=\"rId5\"/><w:bookmarkStart w:id=\"0\"/><a:blip r:link=\"rId6\"/>"
        "<v:imagedata r:id=\"rId4\"/><a:blip r:embed=\"rId5\"/></w:body>";
    const std::vector<std::string> members = {"word/document.xml", "word/media/image1.png",
                                              "word/media/image0.png", "word/media/image2.jpeg",
                                              "word/media/image3.emf"};
    EXPECT_EQ(docxPictureOrder(text, relationships, members),
              (std::vector<std::string>{"word/media/image2.jpeg", "word/media/image1.png",
                                        "word/media/image0.png"}));
    const std::string content =
        "<office:text><draw:frame><draw:image xlink:href=\"Pictures/b.png\" "
        "xlink:type=\"simple\"/></draw:frame><draw:image xlink:href=\"./Pictures/a.jpg\"/>";
    EXPECT_EQ(odtPictureOrder(content, {"Pictures/a.jpg", "Pictures/c.png", "Pictures/b.png"}),
              (std::vector<std::string>{"Pictures/b.png", "Pictures/a.jpg", "Pictures/c.png"}));
}

TEST(ReportFiles, FoldersAreSearchedInNameOrderWithoutFollowingALinkLoop) {
    const fs::path folder =
        fs::temp_directory_path() / ("cgdemo-check-tree-" + std::to_string(getpid()));
    fs::create_directories(folder / "b" / "c");
    std::ofstream(folder / "b" / "c" / "shot.PNG") << "x";
    std::ofstream(folder / "a.pdf") << "x";
    std::ofstream(folder / "b" / "notes.txt") << "x";
    fs::create_directory_symlink("../..", folder / "b" / "c" / "up");
    std::vector<std::string> messages;
    const std::vector<InputFile> files = inputFiles(
        {folder.string()}, [&](const std::string& message) { messages.push_back(message); });
    std::vector<std::string> found;
    for (const InputFile& file : files) {
        found.push_back(file.source.substr(folder.string().size()));
    }
    EXPECT_EQ(found, (std::vector<std::string>{"/a.pdf", "/b/c/shot.PNG"}));
    EXPECT_EQ(messages, (std::vector<std::string>{(folder / "b/c/up").string() +
                                                  ": a symbolic link loop, not followed"}));
    fs::remove_all(folder);
}
