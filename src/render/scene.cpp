// The choreography: where the centre, red, blue and yellow actors stand and turn.
#include <GL/gl.h>

#include <cmath>

#include "app/viewer_state.h"
#include "render/render.h"

namespace {

// Short names that keep each pattern row below on one line. Products of sines
// are formed in double and only converted for the GL call.
void rotateY(double degrees) {
    glRotatef(static_cast<float>(degrees), 0.0f, 1.0f, 0.0f);
}
void rotateX(double degrees) {
    glRotatef(static_cast<float>(degrees), 1.0f, 0.0f, 0.0f);
}
void translate(double x, double y, double z) {
    glTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

// Without a model the placement still happens, only the drawing is skipped.
void draw() {
    if (viewer.currentModel != nullptr) {
        drawModelWithShadow();
    }
}

// Each red row leaves a pure translation to the red actor: the blue actor
// starts from there.
// clang-format off
void redActor(float t) {
    const float f = foldAngle(t);
    switch (viewer.orbitPattern) {
        case 0: rotateY(t);  translate(0, 0, 3);              draw(); rotateY(-t); break;
        case 1: rotateY(t);  translate(0, 0, 3); rotateY(-t); draw();              break;
        case 2: rotateY(-f); translate(0, 0, 3);              draw(); rotateY(f);  break;
        case 3: rotateY(f);  translate(0, 0, 3); rotateY(-f); draw();              break;
        case 4: translate(3 * sinRad(t), 0, 3);  rotateY(t);  draw(); rotateY(-t); break;
        case 5: translate(3, 0, 3 * sinRad(t));  rotateY(t);  draw(); rotateY(-t); break;
        case 6: rotateX(f);  translate(0, 0, 3); rotateX(-f); draw();              break;
    }
}

// The blue actor's placement from the red actor's position; drawn by the caller.
void placeBlueActor(float t) {
    const float q = t * 4.0f;
    switch (viewer.bobPattern) {
        case 0: translate(0, 1, 0); rotateX(45 * sinRad(q));        break;
        case 1: rotateY(q); translate(1, 0, 0); rotateY(t * -4.0f); break;
        case 2: translate(0, 1 + std::fabs(sinRad(q)), 0);          break;
    }
}

void yellowActor(float a) {
    const float f = foldAngle(a);
    switch (viewer.roundPattern) {
        case 0: rotateY(a);  translate(0, 0, 4.5);              draw(); rotateY(-a); break;
        case 1: rotateY(a);  translate(0, 0, 4.5); rotateY(-a); draw();              break;
        case 2: rotateY(f);  translate(0, 0, 4.5);              draw(); rotateY(-f); break;
        case 3: rotateY(-f); translate(0, 0, 4.5); rotateY(f);  draw();              break;
        case 4: translate(3 * sinRad(a), 0, 4.5);  rotateY(a);  draw(); rotateY(-a); break;
        case 5: translate(4.5, 0, 3 * sinRad(a));  rotateY(a);  draw(); rotateY(-a); break;
    }
}
// clang-format on

}  // namespace

void drawScene() {
    // Actors stand just above their shadows, which lie at y = 0.01.
    translate(0, 0.02, 0);
    glColor3f(0.0f, 0.8f, 0.0f);
    draw();
    if (viewer.sceneMode != 2) {
        return;
    }

    glPushMatrix();
    glColor3f(0.8f, 0.0f, 0.0f);
    redActor(viewer.orbitAngle);
    glColor3f(0.0f, 0.0f, 0.8f);
    placeBlueActor(viewer.orbitAngle);
    draw();
    glPopMatrix();

    const float a = viewer.roundDirection > 0 ? viewer.fastAngle : viewer.slowAngle;
    glColor3f(0.8f, 0.8f, 0.0f);
    yellowActor(a);
}
