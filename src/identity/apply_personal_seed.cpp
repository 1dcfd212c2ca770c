// Turning the personal seed into the student's scene.
#include "app/viewer_state.h"
#include "identity/identity.h"
#include "input/input.h"
#include "render/render.h"

void applyPersonalSeed() {
    viewer.showStudentId = 1;
    selectModel(viewer.personalSeed);
    selectAnimation(viewer.personalSeed);
    selectTexture(viewer.personalSeed);
}
