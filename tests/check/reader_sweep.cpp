// The reader's sweep (not a test; make bench runs it): the reader on many of the
// program's frames in many degradations, printing exact / unreadable / wrong
// counts and the time per picture. Run: tools/with-xvfb.sh build/tests/reader_sweep [IDS [SEED]];
// SWEEP_SCALE and SWEEP_Q keep to one scale or JPEG quality (0: PNG),
// SWEEP_DUMP=PREFIX writes each picture to PREFIX<N>.ppm.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/viewer_state.h"
#include "check/check.h"
#include "input/input.h"
#include "render/render.h"
#include "sheet/sheet.h"
#include "support/program_frames.h"
#include "support/report_pictures.h"

namespace {

struct Counts {
    int exact = 0, settled = 0, unreadable = 0, wrong = 0, missed = 0;
};

std::string randomId(std::mt19937& random, int kind) {
    const char* alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::string id;
    if (kind == 1)
        return "CG-2026-" + std::to_string(1000 + random() % 9000);
    for (int i = 0; i < 8; ++i)
        id += kind == 2 ? "0123456789Il"[random() % 12] : alphabet[random() % 62];
    return id;
}

}  // namespace

int main(int argc, char** argv) {
    const int ids = argc > 1 ? std::atoi(argv[1]) : 10;
    std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1);
    openProgramWindow();
    const double scales[] = {0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.33, 1.5, 1.75, 2.0};
    const int qualities[] = {0, 95, 75, 50};  // 0: PNG
    Counts total[2][4];
    double seconds = 0, desktopSeconds = 0;
    int pictures = 0, desktops = 0;
    for (int n = 0; n < ids; ++n) {
        for (int floor = 0; floor < 2; ++floor) {
            SheetStudent student;
            student.studentId = randomId(random, n % 4 == 3 ? 1 : n % 4 == 2 ? 2 : 0);
            student.seed = static_cast<int>(random() % 100000000);
            applyStudent(student);
            const bool selection = n % 5 == 4;
            if (selection) {
                viewer.showStudentId = 0;
                selectTexture(viewer.textureIndex + 1);
            }
            if (floor) {
                viewer.cameraDistance = 2 + random() % 3;
                viewer.cameraPitch = -90 + static_cast<float>(random() % 20);
                viewer.cameraYaw = static_cast<float>(random() % 360);
            }
            const std::string expected = selection ? viewer.statusText : student.studentId;
            Picture frame;
            drawStartPicture(frame.rgb, frame.width, frame.height);
            for (double scale : scales) {
                if (std::getenv("SWEEP_SCALE") && std::atof(std::getenv("SWEEP_SCALE")) != scale)
                    continue;
                const Picture sized = rescaled(frame, scale);
                for (int q = 0; q < 4; ++q) {
                    if (std::getenv("SWEEP_Q") && std::atoi(std::getenv("SWEEP_Q")) != qualities[q])
                        continue;
                    const bool desktop = (n + q) % 3 == 0;
                    Picture picture =
                        desktop
                            ? onDesktop(
                                  sized, 1920, 1080,
                                  100 +
                                      (n * 131 + q * 71 + static_cast<int>(scale * 100) * 13) % 900,
                                  60 + (n * 37 + q * 53 + static_cast<int>(scale * 100) * 7) % 300)
                            : sized;
                    if (qualities[q] > 0)
                        picture = jpegRoundTrip(picture, qualities[q]);
                    if (std::getenv("SWEEP_DUMP")) {
                        std::FILE* f = std::fopen(
                            (std::getenv("SWEEP_DUMP") + std::to_string(pictures) + ".ppm").c_str(),
                            "wb");
                        std::fprintf(f, "P6 %d %d 255\n", picture.width, picture.height);
                        std::fwrite(picture.rgb.data(), 1, picture.rgb.size(), f);
                        std::fclose(f);
                    }
                    const auto start = std::chrono::steady_clock::now();
                    const StatusReading reading = readStatusLine(picture);
                    seconds +=
                        std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                            .count();
                    ++pictures;
                    if (desktop) {
                        ++desktops;
                        desktopSeconds +=
                            std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                                .count();
                    }
                    Counts& counts = total[floor][q];
                    const std::string settled = resolvedId(reading.text, {student.studentId});
                    const char* verdict = "exact";
                    if (reading.kind == ReadingKind::none) {
                        ++counts.missed;
                        verdict = "missed";
                    } else if (reading.kind == ReadingKind::unreadable) {
                        ++counts.unreadable;
                        verdict = "unreadable";
                    } else if (reading.text == expected) {
                        ++counts.exact;
                    } else if (settled == expected) {
                        ++counts.settled;
                        verdict = "settled";
                    } else {
                        ++counts.wrong;
                        verdict = "WRONG";
                    }
                    if (std::string(verdict) != "exact")
                        std::printf("%s\t%s\tread \"%s\"\tscale %.2f (found %.4f)\tq %d\t%s%s\n",
                                    verdict, expected.c_str(), reading.text.c_str(), scale,
                                    reading.scale, qualities[q], floor ? "floor" : "background",
                                    desktop ? " desktop" : "");
                }
            }
        }
    }
    for (int floor = 0; floor < 2; ++floor) {
        for (int q = 0; q < 4; ++q) {
            const Counts& c = total[floor][q];
            std::printf(
                "%s %s: exact %d, settled by roster %d, unreadable %d, wrong %d, missed %d\n",
                floor ? "floor" : "background",
                q == 0 ? "PNG" : ("JPEG " + std::to_string(qualities[q])).c_str(), c.exact,
                c.settled, c.unreadable, c.wrong, c.missed);
        }
    }
    std::printf("%d pictures, %.3f s per picture; %d of them 1920 x 1080, %.3f s each\n", pictures,
                seconds / pictures, desktops, desktops > 0 ? desktopSeconds / desktops : 0.0);
    return 0;
}
