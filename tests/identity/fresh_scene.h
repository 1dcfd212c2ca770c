// Test helpers: the state start-up leaves before the student is identified, and a console.
#pragma once

#include <cstdio>
#include <string>
#include <tuple>

#include "app/viewer_state.h"
#include "input/input.h"
#include "model/model.h"
#include "support/platform_double.h"
#include "support/redisplay_double.h"

// Resets the viewer, the platform double and the redisplay count, builds the
// catalogue and selects model 0 and animation 0, as start-up does.
inline void startFreshScene() {
    viewer = ViewerState{};
    platformDouble = PlatformDouble{};
    redisplayRequests = 0;
    buildGlyphCatalogue();
    selectModel(0);
    selectAnimation(0);
}

// The four patterns an animation number chooses.
inline std::tuple<int, int, int, int> animationPatterns() {
    return {viewer.orbitPattern, viewer.bobPattern, viewer.roundPattern, viewer.roundDirection};
}

inline std::string readRest(std::FILE* file) {
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

// The console of one identification: the text typed, and what the program wrote.
struct Console {
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();

    explicit Console(const std::string& typed) {
        std::fputs(typed.c_str(), in);
        std::rewind(in);
    }
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    ~Console() {
        std::fclose(in);
        std::fclose(out);
    }
    std::string written() {
        std::rewind(out);
        return readRest(out);
    }
    std::string unread() { return readRest(in); }
};
