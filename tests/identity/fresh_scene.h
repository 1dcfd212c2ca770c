// Test helper: the state start-up leaves before the student is identified.
#pragma once

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
