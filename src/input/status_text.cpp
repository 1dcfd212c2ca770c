// Formatting the one-line status text drawn over the scene.
#include <cstdio>

#include "app/viewer_state.h"
#include "input/input.h"

void updateStatusText() {
    char* text = viewer.statusText;
    const int size = sizeof viewer.statusText;
    if (viewer.showStudentId != 0) {
        // Before identification there is no ID yet; that line is never shown.
        const char* id = viewer.studentIdText != nullptr ? viewer.studentIdText : "";
        std::snprintf(text, size, "Student ID: %s", id);
        return;
    }
    std::snprintf(text, size, "Model %d/%d, Animation %d/7 %d/3 %d/12, Texture %d",
                  viewer.modelIndex, viewer.modelCount, viewer.orbitPattern + 1,
                  viewer.bobPattern + 1, viewer.roundPattern + 6 * viewer.roundDirection + 1,
                  viewer.textureIndex);
}
