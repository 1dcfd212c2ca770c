// Looking up names in the file system and the running program's folder, on Linux.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/platform.h"

TEST(PlatformPathExists, AnythingThereCountsAndOnlyAbsenceDoesNot) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("cgdemo-lookup-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "folder");
    std::ofstream(folder / "file") << "x";
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
    ASSERT_EQ(symlink("nowhere", (folder / "dangling").c_str()), 0);

    for (const char* name : {"file", "folder", "pipe", "dangling"}) {
        EXPECT_TRUE(platformPathExists((folder / name).c_str())) << name;
    }
    EXPECT_FALSE(platformPathExists((folder / "missing").c_str()));
    EXPECT_FALSE(platformPathExists((folder / "file" / "below").c_str()));
    std::filesystem::remove_all(folder);
}

TEST(PlatformExecutableFolder, IsTheFolderHoldingThisTestProgram) {
    char folder[4096];
    const int length = platformExecutableFolder(folder, sizeof folder);
    ASSERT_GT(length, 1);
    EXPECT_EQ(length, static_cast<int>(std::string(folder).size()));
    EXPECT_EQ(folder[0], '/');
    EXPECT_EQ(folder[length - 1], '/');
    EXPECT_TRUE(std::filesystem::is_regular_file(std::string(folder) + "platform_tests"));

    // No room for the terminating zero: a failure, and the buffer left empty.
    EXPECT_EQ(platformExecutableFolder(folder, length), -1);
    EXPECT_STREQ(folder, "");
    EXPECT_EQ(platformExecutableFolder(folder, length + 1), length);
}
