// Selecting the model and the animation patterns by number.
#include "app/viewer_state.h"
#include "input/input.h"
#include "model/model.h"

void selectModel(int index) {
    viewer.modelIndex = index % viewer.modelCount;
    useModel(viewer.modelTable[viewer.modelIndex]);
    updateStatusText();
}

void selectAnimation(int number) {
    viewer.roundDirection = 1;
    viewer.orbitPattern = number % 7;
    viewer.bobPattern = number % 3;
    viewer.roundPattern = number % 12;
    // Remainders 6-11 are the same six yellow patterns driven by the slow angle.
    if (viewer.roundPattern >= 6) {
        viewer.roundDirection = 0;
        viewer.roundPattern -= 6;
    }
    updateStatusText();
}
