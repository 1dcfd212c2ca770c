// The program's window for drawing its frames in tests.
#include "support/program_frames.h"

#include "app/app.h"
#include "image/image.h"
#include "platform/platform.h"
#include "render/render.h"
#include "support/gl_support.h"
#include "support/platform_double.h"

#include <cstdio>
#include <cstdlib>

// The sheet's drawing code comes with its window's platform calls; the test
// window needs none of them, and the platform double stands in for the rest.
void platformWindowToFront() {}
void platformOpenStandardStreams() {}
void platformBeginTiming() {}
void platformEndTiming() {}

void openProgramWindow() {
    static bool open = false;
    if (open)
        return;
    openTestWindow();
    platformDouble.executableFolder = CGDEMO_ASSETS_DIR "/";
    if (loadTextureBitmap() != bitmapLoaded) {
        std::fprintf(stderr, "cannot read %s\n", texturePath().c_str());
        std::exit(1);
    }
    initEnvironment();
    reshape(640, 640);
    open = true;
}
