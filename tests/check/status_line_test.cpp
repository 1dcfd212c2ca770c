// The reader on lines drawn from the font table itself, where I and l cannot be told apart.
#include <gtest/gtest.h>

#include "check/check.h"
#include "check/status_reader.h"

namespace {

// The program's background with the status line in red: 640 x 640.
Picture lineOnBackground(const std::string& line) {
    const std::vector<unsigned char> ink = statusLineInk(line, windowSide, windowSide);
    const std::vector<unsigned char> red = {255, 0, 0}, background = {128, 128, 204};
    Picture picture{windowSide, windowSide, {}};
    for (unsigned char set : ink) {
        const std::vector<unsigned char>& pixel = set ? red : background;
        picture.rgb.insert(picture.rgb.end(), pixel.begin(), pixel.end());
    }
    return picture;
}

}  // namespace

TEST(StatusLineReader, WritesTheClassWhereIAndLFitAlike) {
    // The last bar half in I's place and half in l's, all of it blurred a
    // little as a resampler does: nothing decides it.
    const Picture withI = lineOnBackground("Student ID: 24T1109I");
    const Picture withL = lineOnBackground("Student ID: 24T1109l");
    Picture between = withI;
    const size_t row = windowSide * 3;
    for (size_t i = 3; i + 3 < between.rgb.size(); ++i) {
        if (i % row < 3 || i % row >= row - 3)
            continue;
        const int sum = withI.rgb[i - 3] + 2 * withI.rgb[i] + withI.rgb[i + 3] + withL.rgb[i - 3] +
                        2 * withL.rgb[i] + withL.rgb[i + 3];
        between.rgb[i] = static_cast<unsigned char>((sum + 4) / 8);
    }
    const StatusReading reading = readStatusLine(between);
    ASSERT_EQ(reading.kind, ReadingKind::id);
    EXPECT_EQ(reading.text, "24T1109[Il]");
    EXPECT_EQ(resolvedId(reading.text, {"24T11090", "24T1109l"}), "24T1109l");
    // Where the bar stands whole, it is read as what it is.
    EXPECT_EQ(readStatusLine(withI).text, "24T1109I");
}
