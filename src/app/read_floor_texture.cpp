// Reading the floor texture at start-up, before anything else is shown.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/app.h"
#include "app/viewer_state.h"
#include "image/image.h"
#include "platform/platform.h"

namespace {

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

}  // namespace

void readFloorTexture() {
    loadTextureBitmap();
    if (viewer.texturePixels == nullptr) {
        reportTextureNowhere();
        fatalError(
            "テクスチャ画像を読み込めません。\n"
            "プログラムと同じディレクトリにテクスチャ画像を置いてから実行してください。");
    }
}
