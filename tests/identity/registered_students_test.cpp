// The registered-student table, its lookup, and applying the entry again for the Page keys.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "identity/fresh_scene.h"
#include "identity/identity.h"

namespace {

class RegisteredStudents : public ::testing::Test {
protected:
    void SetUp() override { startFreshScene(); }
};

// Guards an instructor's edits: every entry must give a usable seed and fit the status line.
TEST_F(RegisteredStudents, EveryEntryIsWellFormed) {
    ASSERT_GE(registeredStudentCount, 1);
    for (int i = 0; i < registeredStudentCount; ++i) {
        const RegisteredStudent& entry = registeredStudents[i];
        SCOPED_TRACE(entry.loginName);
        ASSERT_NE(entry.studentId, nullptr);
        ASSERT_NE(entry.loginName, nullptr);
        ASSERT_NE(entry.seedText, nullptr);
        EXPECT_LE(std::strlen(entry.studentId), 51u);
        EXPECT_GT(std::strlen(entry.loginName), 0u);
        char* end = nullptr;
        errno = 0;
        const long seed = std::strtol(entry.seedText, &end, 10);
        EXPECT_TRUE(*entry.seedText != '\0' && *end == '\0') << "seed text " << entry.seedText;
        EXPECT_EQ(errno, 0);
        EXPECT_GE(seed, 0);
        EXPECT_LE(seed, 2147483647L);
        for (int j = 0; j < i; ++j) {
            EXPECT_STRNE(registeredStudents[j].loginName, entry.loginName) << "registered twice";
        }
    }
}

TEST_F(RegisteredStudents, LookupMatchesByteForByte) {
    const std::string registered = "cgstudent";
    viewer.loginName = registered.c_str();  // equal text, not the table's own pointer
    EXPECT_EQ(lookupRegisteredStudent(), 20260401);
    EXPECT_STREQ(viewer.studentIdText, "CG-2026-0001");
    EXPECT_EQ(viewer.loginName, registered.c_str());
    EXPECT_EQ(viewer.personalSeed, 0);

    const char* const unregistered[] = {"CGstudent", "cgstudent ", "cgstuden",
                                        "CGSTUDENT", "",           "guest"};
    for (const char* name : unregistered) {
        SCOPED_TRACE(name);
        viewer.studentIdText = "before";
        viewer.loginName = name;
        EXPECT_EQ(lookupRegisteredStudent(), -1);
        EXPECT_STREQ(viewer.studentIdText, "before");
    }
}

// However often it is asked, the login's own entry comes back.
TEST_F(RegisteredStudents, RestoringAppliesTheLoginsOwnEntry) {
    startFreshScene();
    viewer.loginName = "cgstudent";
    viewer.personalSeed = 20260401;
    for (int time = 1; time <= 3; ++time) {
        SCOPED_TRACE(time);
        viewer.showStudentId = 0;
        selectModel(3);
        restoreRegisteredSelection();
        EXPECT_STREQ(viewer.loginName, "cgstudent");
        EXPECT_EQ(viewer.personalSeed, 20260401);
        EXPECT_EQ(viewer.modelIndex, 20260401 % 38);
        EXPECT_EQ(viewer.textureIndex, 20260401 % 13);
        EXPECT_EQ(viewer.showStudentId, 1);
        EXPECT_STREQ(viewer.statusText, "Student ID: CG-2026-0001");
    }
}

TEST_F(RegisteredStudents, RestoringDoesNothingWithoutARegisteredName) {
    for (const char* name : {"guest", "CGstudent", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(name == nullptr ? "no name" : name);
        startFreshScene();
        viewer.loginName = name;
        viewer.studentIdText = "12345678";
        viewer.personalSeed = 12345678;
        viewer.showStudentId = 0;
        selectModel(5);
        const std::string status = viewer.statusText;
        restoreRegisteredSelection();
        restoreRegisteredSelection();
        EXPECT_EQ(viewer.loginName, name);
        EXPECT_STREQ(viewer.studentIdText, "12345678");
        EXPECT_EQ(viewer.personalSeed, 12345678);
        EXPECT_EQ(viewer.modelIndex, 5);
        EXPECT_EQ(viewer.showStudentId, 0);
        EXPECT_EQ(viewer.statusText, status);
    }
}

}  // namespace
