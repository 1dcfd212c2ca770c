// Formatting the one-line status text drawn over the scene.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/viewer_state.h"
#include "input/input.h"

void updateStatusText() {
    // Formatted at full width first, then cut to the buffer: the selections'
    // ranges keep the line within 48 characters, but it must never overrun.
    char line[128];
    if (viewer.showStudentId != 0) {
        // Before identification there is no ID yet; that line is never shown.
        const char* id = viewer.studentIdText != nullptr ? viewer.studentIdText : "";
        std::snprintf(viewer.statusText, sizeof viewer.statusText, "Student ID: %s", id);
        return;
    }
    std::snprintf(line, sizeof line, "Model %d/%d, Animation %d/7 %d/3 %d/12, Texture %d",
                  viewer.modelIndex, viewer.modelCount, viewer.orbitPattern + 1,
                  viewer.bobPattern + 1, viewer.roundPattern + 6 * viewer.roundDirection + 1,
                  viewer.textureIndex);
    const size_t length = std::min(std::strlen(line), sizeof viewer.statusText - 1);
    std::memcpy(viewer.statusText, line, length);
    viewer.statusText[length] = '\0';
}
