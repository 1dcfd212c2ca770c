// The textured floor and the choice of the image window it shows (the tiles).
#include <GL/gl.h>

#include "app/viewer_state.h"
#include "input/input.h"
#include "render/render.h"

namespace {

// One tile: the image window's corner, in tenths of the image width and height.
struct TextureTile {
    int column;
    int row;
};

// From the lower left of the image (0) to its upper right (12); neighbours
// overlap, only 12 -> 0 jumps.
constexpr TextureTile textureTiles[13] = {
    {1, 8}, {1, 7}, {2, 7}, {3, 6}, {4, 6}, {5, 6}, {5, 5},
    {5, 4}, {6, 4}, {6, 3}, {6, 2}, {6, 1}, {7, 1},
};

void floorVertex(int x, int z) {
    glTexCoord2f(floorTexCoord(x, viewer.tileScaleU, viewer.tileOffsetU),
                 floorTexCoord(z, viewer.tileScaleV, viewer.tileOffsetV));
    glVertex3f(static_cast<float>(x), 0.0f, static_cast<float>(z));
}

}  // namespace

float floorTexCoord(int gridPosition, float scale, float offset) {
    const float scaled = static_cast<float>(gridPosition + 5) * scale;
    return static_cast<float>(offset + 0.1 * scaled);
}

void drawFloor() {
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            const int x0 = i - 5;
            const int x1 = i - 4;
            const int z0 = j - 5;
            const int z1 = j - 4;
            // Counter-clockwise seen from above: culled from below.
            floorVertex(x1, z1);
            floorVertex(x1, z0);
            floorVertex(x0, z0);
            floorVertex(x0, z1);
        }
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void selectTexture(int n) {
    viewer.textureIndex = n % 13;
    const TextureTile& tile = textureTiles[viewer.textureIndex];
    viewer.tileScaleU = 0.2f;
    viewer.tileScaleV = 0.2f;
    viewer.tileOffsetU = static_cast<float>(tile.column * 0.1);
    viewer.tileOffsetV = static_cast<float>(tile.row * 0.1);
    updateStatusText();
}
