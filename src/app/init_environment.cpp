// One-time OpenGL state, floor texture upload, catalogue and first selection.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>

#include "app/app.h"
#include "app/viewer_state.h"
#include "image/image.h"
#include "input/input.h"
#include "model/model.h"
#include "platform/platform.h"

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

// When no texture file is anywhere, tells a user at a terminal, in English,
// where it was looked for. A file that is there but refused gets no such line.
void reportTextureNowhere() {
    if (platformPathExists(texturePath().c_str())) {
        return;
    }
    std::error_code error;
    const std::filesystem::path working = std::filesystem::current_path(error);
    const std::string workingText = error ? "(unknown)" : (working / "").u8string();
    char folder[4096];
    if (platformExecutableFolder(folder, sizeof folder) < 0) {
        std::fprintf(stderr,
                     "%s is not in the working directory %s (the program's folder is unknown)\n",
                     textureFileName, workingText.c_str());
    } else {
        std::fprintf(
            stderr,
            "%s was found neither in the working directory %s nor in the program's folder %s\n",
            textureFileName, workingText.c_str(), folder);
    }
}

void uploadFloorTexture() {
    // A caller may have read the texture already (the sheet checks it before it
    // opens a display): it is read once.
    if (viewer.texturePixels == nullptr) {
        loadTextureBitmap();
    }
    if (viewer.texturePixels == nullptr) {
        reportTextureNowhere();
        fatalError(
            "テクスチャ画像を読み込めません。\n"
            "プログラムと同じディレクトリにテクスチャ画像を置いてから実行してください。");
    }
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
