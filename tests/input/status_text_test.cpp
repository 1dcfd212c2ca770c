// The status line: the student-ID form, the selection form, and the 64-byte buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/viewer_state.h"
#include "input/input.h"

TEST(StatusText, SelectionFormShowsZeroBasedModelAndTextureAndOneBasedPatterns) {
    viewer = ViewerState{};
    viewer.modelCount = 38;
    viewer.showStudentId = 0;
    viewer.roundDirection = 1;
    updateStatusText();
    EXPECT_STREQ(viewer.statusText, "Model 0/38, Animation 1/7 1/3 7/12, Texture 0");

    viewer.modelIndex = 37;
    viewer.orbitPattern = 6;
    viewer.bobPattern = 2;
    viewer.roundPattern = 5;
    viewer.roundDirection = 0;
    viewer.textureIndex = 12;
    updateStatusText();
    EXPECT_STREQ(viewer.statusText, "Model 37/38, Animation 7/7 3/3 6/12, Texture 12");
}

TEST(StatusText, StudentIdFormIgnoresTheSelections) {
    viewer = ViewerState{};
    viewer.modelCount = 38;
    viewer.studentIdText = "12345678";
    viewer.showStudentId = 1;
    updateStatusText();
    EXPECT_STREQ(viewer.statusText, "Student ID: 12345678");

    viewer.modelIndex = 20;
    selectAnimation(41);
    EXPECT_STREQ(viewer.statusText, "Student ID: 12345678");

    // The flag takes effect at the next formatting only.
    viewer.showStudentId = 0;
    EXPECT_STREQ(viewer.statusText, "Student ID: 12345678");
    updateStatusText();
    EXPECT_STREQ(viewer.statusText, "Model 20/38, Animation 7/7 3/3 12/12, Texture 0");
}

TEST(StatusText, WithoutAnIdYetTheStudentFormStillFormats) {
    viewer = ViewerState{};
    std::memset(viewer.statusText, 'x', sizeof viewer.statusText);
    updateStatusText();
    EXPECT_EQ(std::string(viewer.statusText).rfind("Student ID: ", 0), 0u) << viewer.statusText;
    EXPECT_LT(std::strlen(viewer.statusText), sizeof viewer.statusText);
}

TEST(StatusText, NeverOverrunsTheBuffer) {
    viewer = ViewerState{};
    // 12 + 51 characters and the terminating zero fill the 64 bytes exactly.
    const std::string fits(51, '7');
    viewer.studentIdText = fits.c_str();
    updateStatusText();
    EXPECT_EQ(std::string(viewer.statusText), "Student ID: " + fits);

    const std::string tooLong(300, '9');
    viewer.studentIdText = tooLong.c_str();
    updateStatusText();
    EXPECT_EQ(std::string(viewer.statusText), "Student ID: " + std::string(51, '9'));
    // The field after the buffer is untouched.
    EXPECT_EQ(viewer.texturePixels, nullptr);

    // Selection numbers far outside their ranges are cut as well.
    viewer.showStudentId = 0;
    viewer.modelIndex = -2147483647 - 1;
    viewer.modelCount = -2147483647 - 1;
    viewer.orbitPattern = 2147483646;
    viewer.bobPattern = 2147483646;
    viewer.roundPattern = -2147483647;
    viewer.textureIndex = -2147483647 - 1;
    updateStatusText();
    EXPECT_EQ(std::strlen(viewer.statusText), sizeof viewer.statusText - 1);
    EXPECT_EQ(std::string(viewer.statusText).rfind("Model -2147483648/-2147483648, ", 0), 0u)
        << viewer.statusText;
    EXPECT_EQ(viewer.texturePixels, nullptr);
}
