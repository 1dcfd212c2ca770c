// A student's start picture, drawn by the program's own start-up and frame pass.
#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "app/viewer_state.h"
#include "identity/identity.h"
#include "input/input.h"
#include "render/render.h"
#include "sheet/sheet.h"

namespace {

// freeglut would end the process with status 1, which means "some refused" here.
void onGlutError(const char* format, va_list arguments) {
    std::fputs("cgdemo-sheet: freeglut: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    std::exit(2);
}

}  // namespace

void openSheetWindow(const char* displayName) {
    char program[] = "cgdemo-sheet";
    char displayOption[] = "-display";
    std::string display = displayName != nullptr ? displayName : "";
    char* arguments[] = {program, displayOption, display.data(), nullptr};
    int count = displayName != nullptr ? 3 : 1;
    glutInitErrorFunc(onGlutError);
    initGlut(&count, arguments);
    openWindow();
    initEnvironment();
    // What GLUT reports for the new window before the program's first frame.
    reshape(640, 640);
}

void closeSheetWindow() {
    glutExit();
}

void applyStudent(SheetStudent& student) {
    restartScene();
    viewer.studentIdText = student.studentId.c_str();
    viewer.personalSeed = student.seed;
    applyPersonalSeed();
    // The selection form of the same state, then the student-ID form back.
    viewer.showStudentId = 0;
    updateStatusText();
    student.selection = viewer.statusText;
    viewer.showStudentId = 1;
    updateStatusText();
}

void drawStartPicture(std::vector<unsigned char>& rgb, int& width, int& height) {
    width = viewer.windowWidth;
    height = viewer.windowHeight;
    drawFrame();
    const size_t row = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> bottomUp(row * static_cast<size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    rgb.resize(bottomUp.size());
    for (int y = 0; y < height; ++y) {
        std::memcpy(&rgb[static_cast<size_t>(y) * row],
                    &bottomUp[static_cast<size_t>(height - 1 - y) * row], row);
    }
}
