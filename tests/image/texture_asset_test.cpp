// The shipped floor texture: it loads, and the 13 tiles show different parts.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/viewer_state.h"
#include "image/image.h"
#include "render/render.h"

namespace {

const std::filesystem::path assetPath = std::filesystem::path(CGDEMO_ASSETS_DIR) / "japan.bmp";

std::vector<unsigned char> readAsset() {
    std::ifstream in(assetPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TextureAssetTest, IsAPlainTwentyFourBitBitmapThatLoads) {
    const std::vector<unsigned char> bytes = readAsset();
    ASSERT_GT(bytes.size(), 54u) << "cannot read " << assetPath;
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[14], 40) << "info header size";
    EXPECT_EQ(bytes[28], 24) << "bit count";

    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(assetPath.parent_path());
    viewer = ViewerState{};
    const int code = loadTextureBitmap();
    std::filesystem::current_path(previous);
    ASSERT_EQ(code, bitmapLoaded);
    EXPECT_EQ(viewer.textureWidth, 512);
    EXPECT_EQ(viewer.textureHeight, 512);
    delete[] viewer.texturePixels;
    viewer = ViewerState{};
}

// The image window the floor shows for the selected tile: a fifth of the image
// each way from the tile offsets (v from the top row), as RGB rows.
std::vector<unsigned char> tileWindow(const DecodedBitmap& image) {
    const int x0 = static_cast<int>(std::lround(image.width * viewer.tileOffsetU));
    const int y0 = static_cast<int>(std::lround(image.height * viewer.tileOffsetV));
    const int side = image.width / 5;
    std::vector<unsigned char> window;
    for (int y = y0; y < y0 + side; ++y) {
        const unsigned char* row =
            image.pixels + (static_cast<std::size_t>(y) * image.width + x0) * 3;
        window.insert(window.end(), row, row + side * 3);
    }
    return window;
}

TEST(TextureAssetTest, EveryTileShowsADifferentScene) {
    const std::vector<unsigned char> bytes = readAsset();
    DecodedBitmap image;
    ASSERT_EQ(decodeBitmap(bytes.data(), bytes.size(), &image), bitmapLoaded);
    std::vector<std::vector<unsigned char>> windows;
    viewer = ViewerState{};
    for (int tile = 0; tile < 13; ++tile) {
        selectTexture(tile);
        windows.push_back(tileWindow(image));
    }
    delete[] image.pixels;
    viewer = ViewerState{};
    // Seen side by side, any two tiles differ clearly on average, pixel by pixel.
    for (int a = 0; a < 13; ++a) {
        for (int b = a + 1; b < 13; ++b) {
            double difference = 0.0;
            for (std::size_t i = 0; i < windows[a].size(); ++i) {
                difference += std::abs(windows[a][i] - windows[b][i]);
            }
            EXPECT_GT(difference / windows[a].size(), 20.0) << "tiles " << a << " and " << b;
        }
    }
}

}  // namespace
