// One-time OpenGL state, floor texture upload, catalogue and first selection.
#include <GL/gl.h>

#include <algorithm>
#include <iterator>

#include "app/app.h"
#include "app/viewer_state.h"
#include "input/input.h"
#include "model/model.h"

namespace {

void setUpLight() {
    const GLfloat position[] = {10.0f, 10.0f, 10.0f, 1.0f};
    const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
}

void uploadFloorTexture() {
    // Rows are tightly packed: any width must upload without reading past a row.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, viewer.textureWidth, viewer.textureHeight, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, viewer.texturePixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

// Model 0 without the status update of selectModel; the line follows below.
void selectFirstScene() {
    viewer.modelIndex = 0;
    useModel(viewer.modelTable[0]);
    updateStatusText();
    selectAnimation(viewer.animationNumber);
}

}  // namespace

void initFixedState() {
    setUpLight();
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glClearColor(0.5f, 0.5f, 0.8f, 0.0f);
}

void initEnvironment() {
    initFixedState();
    uploadFloorTexture();

    viewer.modelCount = 0;
    buildGlyphCatalogue();
    selectFirstScene();
}

void restartScene() {
    ViewerState fresh;
    std::copy(std::begin(viewer.modelTable), std::end(viewer.modelTable), fresh.modelTable);
    fresh.modelCount = viewer.modelCount;
    fresh.texturePixels = viewer.texturePixels;
    fresh.textureWidth = viewer.textureWidth;
    fresh.textureHeight = viewer.textureHeight;
    fresh.windowWidth = viewer.windowWidth;
    fresh.windowHeight = viewer.windowHeight;
    viewer = fresh;
    selectFirstScene();
}
