// The status-line reader on the program's own frames, drawn as the sheet draws
// them, as reports carry them: rescaled, JPEG-compressed, on a desktop, over the floor.
#include <gtest/gtest.h>

#include <cmath>

#include "app/viewer_state.h"
#include "check/check.h"
#include "check/status_reader.h"
#include "input/input.h"
#include "sheet/sheet.h"
#include "support/program_frames.h"
#include "support/report_pictures.h"

namespace {

struct Shot {
    std::string id;
    int seed = 1234;
    bool selection = false;  // change a selection first: the selection form
    bool overFloor = false;  // camera close and looking down
    bool hidden = false;     // the line hidden with `d`
};

Picture frameOf(const Shot& shot) {
    openProgramWindow();
    SheetStudent student;
    student.studentId = shot.id;
    student.seed = shot.seed;
    applyStudent(student);
    if (shot.selection) {
        viewer.showStudentId = 0;
        selectModel(viewer.modelIndex + 1);
    }
    if (shot.overFloor) {
        viewer.cameraDistance = 3;
        viewer.cameraPitch = -90;
    }
    viewer.showOverlay = shot.hidden ? 0 : 1;
    Picture picture;
    drawStartPicture(picture.rgb, picture.width, picture.height);
    return picture;
}

std::string expectedText(const Shot& shot) {
    return shot.selection ? std::string(viewer.statusText) : shot.id;
}

// The reading with the geometry checked against where the window is.
::testing::AssertionResult readsExactly(const Picture& picture, ReadingKind kind,
                                        const std::string& text, double scale, double x, double y) {
    const StatusReading reading = readStatusLine(picture);
    const bool geometry = std::fabs(reading.scale / scale - 1) < 0.001 &&
                          std::fabs(reading.originX - x) < 0.5 &&
                          std::fabs(reading.originY - y) < 0.5;
    if (reading.kind == kind && reading.text == text && geometry)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "Expected: kind " << static_cast<int>(kind) << " \"" << text << "\" scale " << scale
           << " origin " << x << "," << y << "\nObserved: kind " << static_cast<int>(reading.kind)
           << " \"" << reading.text << "\" scale " << reading.scale << " origin " << reading.originX
           << "," << reading.originY;
}

}  // namespace

TEST(StatusLineReader, RendersTheLineAsTheProgramDraws) {
    for (const Shot& shot : {Shot{"CG-2026-0001 Il|{}%&@Wj"}, Shot{"24T11099", 9, true}}) {
        const Picture frame = frameOf(shot);
        const std::vector<unsigned char> ink = statusLineInk(viewer.statusText, 640, 640);
        int differing = 0, inked = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 640; ++x) {
                const unsigned char* p = &frame.rgb[(static_cast<size_t>(y) * 640 + x) * 3];
                const bool red = p[0] == 255 && p[1] == 0 && p[2] == 0;
                inked += ink[static_cast<size_t>(y) * 640 + x];
                differing += red != (ink[static_cast<size_t>(y) * 640 + x] == 1);
            }
        }
        EXPECT_GT(inked, 300) << viewer.statusText;
        EXPECT_EQ(differing, 0) << "Expected: the red pixels of \"" << viewer.statusText
                                << "\" as the font table sets them\nObserved: " << differing
                                << " pixels differ";
    }
}

TEST(StatusLineReader, ReadsRescaledJpegFramesExactly) {
    const Shot shots[] = {{"24T11099", 24011099},
                          {"ab12CD9z", 12123496},
                          {"CG-2026-0001", 77},
                          {"12345678", 12345678, true}};
    for (const Shot& shot : shots) {
        const Picture frame = frameOf(shot);
        const std::string text = expectedText(shot);
        for (double scale : {0.75, 1.1, 1.5, 2.0}) {
            const Picture picture = jpegRoundTrip(rescaled(frame, scale), 75);
            EXPECT_TRUE(readsExactly(picture,
                                     shot.selection ? ReadingKind::selection : ReadingKind::id,
                                     text, picture.width / 640.0, 0, 0))
                << text << " at " << scale;
        }
    }
}

TEST(StatusLineReader, ReadsTheLineOverTheFloor) {
    for (int seed : {3, 8, 11}) {
        const Shot shot{"24T1" + std::to_string(1000 + seed * 7), seed, false, true};
        const Picture frame = frameOf(shot);
        EXPECT_TRUE(readsExactly(frame, ReadingKind::id, shot.id, 1, 0, 0));
        const Picture picture = jpegRoundTrip(rescaled(frame, 1.25), 75);
        EXPECT_TRUE(readsExactly(picture, ReadingKind::id, shot.id, 1.25, 0, 0));
    }
}

TEST(StatusLineReader, FindsTheWindowOnADesktop) {
    const Shot shot{"s2401234", 2401234};
    const Picture window = rescaled(frameOf(shot), 1.25);
    const Picture desktop = jpegRoundTrip(onDesktop(window, 1920, 1080, 411, 207), 75);
    EXPECT_TRUE(readsExactly(desktop, ReadingKind::id, shot.id, 1.25, 411, 207));
}

TEST(StatusLineReader, FindsNoLineWhereThereIsNone) {
    const Picture hidden = frameOf({"24T11099", 5, false, false, true});
    EXPECT_EQ(readStatusLine(hidden).kind, ReadingKind::none);
    Picture plain;
    plain.width = 640;
    plain.height = 480;
    plain.rgb.assign(640 * 480 * 3, 200);
    EXPECT_EQ(readStatusLine(jpegRoundTrip(onDesktop(plain, 1920, 1080, 500, 300), 75)).kind,
              ReadingKind::none);
}

TEST(StatusLineReader, TellsCapitalIFromSmallL) {
    const Shot shot{"lI24Il0l", 2024};
    const Picture frame = frameOf(shot);
    EXPECT_TRUE(readsExactly(frame, ReadingKind::id, shot.id, 1, 0, 0));
    // Shrunk and compressed the bars may stay undecided, but never read wrong,
    // and the roster settles them.
    const std::vector<std::string> roster = {"II24Il0l", shot.id, "lI24Il01"};
    for (double scale : {0.75, 0.8}) {
        const StatusReading reading = readStatusLine(jpegRoundTrip(rescaled(frame, scale), 75));
        ASSERT_EQ(reading.kind, ReadingKind::id) << scale;
        EXPECT_EQ(resolvedId(reading.text, roster), shot.id) << reading.text << " at " << scale;
    }
}
