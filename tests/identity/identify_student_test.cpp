// Identification at start-up: login name, fallback name, the console prompt and the seed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "identity/fresh_scene.h"
#include "identity/identity.h"

namespace {

const char* const prompt = "Input your student ID (8 digits number) >";
const char* const rejection = "Student ID must be 8 digits or alphabets. Try again.\n";

// Overwrites the stack where the frames of earlier calls were.
__attribute__((noinline)) void scribbleOnTheStack() {
    volatile char scratch[8192];
    for (size_t i = 0; i < sizeof scratch; ++i) {
        scratch[i] = 'x';
    }
}

// Identifies with typed at the prompt and applies the seed, as start-up does;
// the exit status when the program ends.
std::optional<int> identify(Console& console) {
    try {
        identifyStudentFrom(console.in, console.out);
    } catch (const TestExit& exit) {
        return exit.status;
    }
    applyPersonalSeed();
    return std::nullopt;
}

class IdentifyStudent : public ::testing::Test {
protected:
    void SetUp() override { startFreshScene(); }
};

TEST_F(IdentifyStudent, RegisteredLoginNameNeedsNoPrompt) {
    platformDouble.loginName = "cgstudent";
    Console console("12345678\n");
    ASSERT_EQ(identify(console), std::nullopt);

    EXPECT_EQ(console.written(), "");
    EXPECT_EQ(console.unread(), "12345678\n");
    EXPECT_EQ(viewer.personalSeed, 20260401);
    EXPECT_STREQ(viewer.loginName, "cgstudent");
    EXPECT_STREQ(viewer.studentIdText, "CG-2026-0001");
    EXPECT_STREQ(viewer.statusText, "Student ID: CG-2026-0001");
    EXPECT_EQ(viewer.modelIndex, 20260401 % 38);
    EXPECT_EQ(viewer.textureIndex, 20260401 % 13);
    EXPECT_EQ(platformDouble.messageBoxCount, 0);
}

TEST_F(IdentifyStudent, OnTheRealConsoleARegisteredUserSeesNothing) {
    platformDouble.loginName = "cgstudent";
    ::testing::internal::CaptureStdout();
    identifyStudent();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(viewer.personalSeed, 20260401);
    // The scene is made later, once the window exists.
    EXPECT_EQ(viewer.modelIndex, 0);
}

// The name read from the system must outlive the call that read it.
TEST_F(IdentifyStudent, KeepsTheSystemLoginName) {
    platformDouble.loginName = "cgstudent";
    Console console("");
    ASSERT_EQ(identify(console), std::nullopt);
    scribbleOnTheStack();
    EXPECT_STREQ(viewer.loginName, "cgstudent");
}

TEST_F(IdentifyStudent, UnavailableLoginNameFallsBackToThePrompt) {
    platformDouble.hasLoginName = false;
    Console console("12345678\n");
    ASSERT_EQ(identify(console), std::nullopt);

    EXPECT_EQ(console.written(), prompt);
    EXPECT_EQ(viewer.loginName, fallbackLoginName);
    EXPECT_EQ(viewer.personalSeed, 12345678);
}

TEST_F(IdentifyStudent, PromptIsFlushedBeforeReading) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    std::FILE* out = fdopen(pipeEnds[1], "w");
    ASSERT_NE(out, nullptr);
    static char buffer[BUFSIZ];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    Console console("12345678\n");

    identifyStudentFrom(console.in, out);
    // Non-blocking: an unflushed prompt fails the test instead of hanging it.
    ASSERT_EQ(fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK), 0);
    char seen[128] = {};
    ASSERT_GT(read(pipeEnds[0], seen, sizeof seen - 1), 0);
    EXPECT_STREQ(seen, prompt);
    std::fclose(out);
    close(pipeEnds[0]);
}

// Digits and letters alike give a seed, and the ID is shown as typed.
TEST_F(IdentifyStudent, TypedIdsGiveTheirSeedAndScene) {
    struct Case {
        const char* typed;
        int seed, orbit, bob, round, direction, texture;
    };
    const Case cases[] = {
        {"12345678\n", 12345678, 2, 0, 0, 0, 7},
        {"ab12CD9z\n", 12123496, 0, 1, 4, 1, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        startFreshScene();
        Console console(c.typed);
        ASSERT_EQ(identify(console), std::nullopt);

        const std::string shown(c.typed, 8);
        EXPECT_EQ(viewer.personalSeed, c.seed);
        EXPECT_EQ(viewer.showStudentId, 1);
        EXPECT_EQ(viewer.modelIndex, c.seed % 38);
        EXPECT_EQ(viewer.currentModel, viewer.modelTable[c.seed % 38]);
        EXPECT_GT(viewer.currentModel->meshTriangleCount, 0);
        EXPECT_EQ(viewer.orbitPattern, c.orbit);
        EXPECT_EQ(viewer.bobPattern, c.bob);
        EXPECT_EQ(viewer.roundPattern, c.round);
        EXPECT_EQ(viewer.roundDirection, c.direction);
        EXPECT_EQ(viewer.textureIndex, c.texture);
        EXPECT_EQ(viewer.animationNumber, 0);
        EXPECT_STREQ(viewer.studentIdText, shown.c_str());
        EXPECT_STREQ(viewer.statusText, ("Student ID: " + shown).c_str());
    }
}

TEST_F(IdentifyStudent, AcceptsWhatReadsAsALeadingNumber) {
    struct Case {
        const char* typed;
        int seed;
        const char* shown;
    };
    const Case cases[] = {
        {"   \t 12345678\n", 12345678, "12345678"},
        {"1234567!", 1234567, "1234567!"},
        {"\n\n87654321 trailing words\n", 87654321, "87654321"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        startFreshScene();
        Console console(c.typed);
        ASSERT_EQ(identify(console), std::nullopt);
        EXPECT_EQ(viewer.personalSeed, c.seed);
        EXPECT_STREQ(viewer.studentIdText, c.shown);
    }
}

TEST_F(IdentifyStudent, RejectedIdsEndTheProgramWithTheErrorBox) {
    const char* const rejected[] = {
        "jJtT0000\n", "1234567\n", "123456789\n", "1234 5678\n", "!2345678\n", "-1234567\n",
        "-abcdefg\n", "",          "   \n\n",
    };
    for (const char* typed : rejected) {
        SCOPED_TRACE(typed);
        startFreshScene();
        Console console(typed);
        EXPECT_EQ(identify(console), -1);
        EXPECT_EQ(console.written(), prompt);
        EXPECT_EQ(platformDouble.messageBoxCount, 1);
        EXPECT_EQ(platformDouble.lastTitle, "Error");
        EXPECT_EQ(platformDouble.lastText, rejection);
    }
}

TEST_F(IdentifyStudent, ReadsAtMostThirtyCharacters) {
    Console console("123456781234567812345678123456ABCDEFG\nnext line\n");
    EXPECT_EQ(identify(console), -1);
    EXPECT_EQ(console.unread(), "next line\n");
    EXPECT_EQ(platformDouble.lastText, rejection);
}

// What the Japanese input method types: full-width letters and digits, the
// ideographic space around and after the ID; the status line gets ASCII.
TEST_F(IdentifyStudent, FullWidthIdsReadAsTheirAsciiForm) {
    Console console("\n\xe3\x80\x80２４Ｔ１１０９９\xe3\x80\x80ｘ\n");
    ASSERT_EQ(identify(console), std::nullopt);
    EXPECT_EQ(viewer.personalSeed, parseStudentId("24T11099"));
    EXPECT_STREQ(viewer.statusText, "Student ID: 24T11099");

    startFreshScene();
    Console fullWidthZero("ｊＪｔＴ００００\n");
    EXPECT_EQ(identify(fullWidthZero), -1);
    EXPECT_EQ(platformDouble.lastText, rejection);
}

}  // namespace
