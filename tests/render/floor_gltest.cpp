// The textured floor: texture coordinates, facing, and the tile on screen.
#include <GL/glu.h>

#include <cmath>
#include <vector>

#include "app/viewer_state.h"
#include "render/render.h"
#include "support/gl_support.h"

namespace {

constexpr int cellTexels = 8;  // each tenth of the synthetic texture is 8 texels

// A flat colour per tenth of the texture, different for every (column, row).
Rgb cellColour(int column, int row) {
    return Rgb{20 + 23 * column, 20 + 23 * row, (column + row) % 2 == 0 ? 60 : 200};
}

// Uploads a 10 x 10 grid of flat cells, with the parameters start-up uses, and
// sets the fixed state the floor draws under.
void setUpFloorScene() {
    const int side = 10 * cellTexels;
    std::vector<unsigned char> texels;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const Rgb colour = cellColour(x / cellTexels, y / cellTexels);
            texels.insert(texels.end(), {static_cast<unsigned char>(colour.r),
                                         static_cast<unsigned char>(colour.g),
                                         static_cast<unsigned char>(colour.b)});
        }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glClearColor(0.5f, 0.5f, 0.8f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A window with the floor scene and the camera 14 units straight above (or
// below) the floor's centre; from above, floor x runs to the right and z down the screen.
void openFloorScene(bool above = true) {
    openTestWindow();
    setUpFloorScene();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -14.0f);
    glRotatef(above ? 90.0f : -90.0f, 1.0f, 0.0f, 0.0f);
}

struct WindowPoint {
    double x, y;  // window coordinates, y from the bottom
};

WindowPoint project(double x, double y, double z) {
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    WindowPoint p;
    double depth;
    gluProject(x, y, z, modelview, projection, viewport, &p.x, &p.y, &depth);
    return p;
}

struct FeedbackVertex {
    double x, y;  // window coordinates
    float s, t;   // texture coordinates
};

// The floor's polygons as the pipeline sees them after culling.
std::vector<std::vector<FeedbackVertex>> floorPolygons() {
    std::vector<GLfloat> buffer(40000);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawFloor();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflow";
    // Per vertex: x, y, z, RGBA, s, t, r, q.
    std::vector<std::vector<FeedbackVertex>> polygons;
    for (GLint i = 0; i < used;) {
        const GLfloat token = buffer[i++];
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        const int count = static_cast<int>(buffer[i++]);
        std::vector<FeedbackVertex> polygon;
        for (int k = 0; k < count; ++k, i += 11) {
            polygon.push_back({buffer[i], buffer[i + 1], buffer[i + 7], buffer[i + 8]});
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

double signedArea(const std::vector<FeedbackVertex>& polygon) {
    double area = 0.0;
    for (std::size_t k = 0; k < polygon.size(); ++k) {
        const FeedbackVertex& a = polygon[k];
        const FeedbackVertex& b = polygon[(k + 1) % polygon.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area / 2.0;
}

// The window pixel (y from the top) showing floor point (x, 0, z).
void floorPixel(double x, double z, int* px, int* py) {
    const WindowPoint p = project(x, 0.0, z);
    *px = static_cast<int>(p.x);
    *py = 639 - static_cast<int>(p.y);
}

// Checks the floor's four quadrant centres, which lie inside one cell each.
void expectQuadrantCells(int column, int row) {
    const double centres[] = {-2.5, 2.5};
    for (int zi = 0; zi < 2; ++zi) {
        for (int xi = 0; xi < 2; ++xi) {
            int px, py;
            floorPixel(centres[xi], centres[zi], &px, &py);
            EXPECT_TRUE(pixelsNear(GL_BACK, px, py, 3, cellColour(column + xi, row + zi), 3))
                << "floor point (" << centres[xi] << ", 0, " << centres[zi] << "), tile "
                << viewer.textureIndex;
        }
    }
}

}  // namespace

TEST(Floor, EveryVertexCarriesTheTileTexCoordsOfItsGridPosition) {
    openFloorScene();
    selectTexture(0);
    const auto polygons = floorPolygons();
    ASSERT_FALSE(polygons.empty());

    bool sawNearCorner = false, sawFarCorner = false;
    for (const auto& polygon : polygons) {
        for (const FeedbackVertex& vertex : polygon) {
            // Find the grid point this vertex is the image of.
            bool found = false;
            for (int x = -5; x <= 5 && !found; ++x) {
                for (int z = -5; z <= 5 && !found; ++z) {
                    const WindowPoint p = project(x, 0, z);
                    if (std::fabs(p.x - vertex.x) < 0.01 && std::fabs(p.y - vertex.y) < 0.01) {
                        found = true;
                        EXPECT_EQ(vertex.s, floorTexCoord(x, 0.2f, 0.1f)) << x << ", " << z;
                        EXPECT_EQ(vertex.t, floorTexCoord(z, 0.2f, 0.8f)) << x << ", " << z;
                        // floor_test pins the corner values of floorTexCoord itself.
                        sawNearCorner = sawNearCorner || (x == -5 && z == -5);
                        sawFarCorner = sawFarCorner || (x == 5 && z == 5);
                    }
                }
            }
            EXPECT_TRUE(found) << "vertex off the grid at window (" << vertex.x << ", " << vertex.y
                               << ")";
        }
    }
    EXPECT_TRUE(sawNearCorner);
    EXPECT_TRUE(sawFarCorner);
}

TEST(Floor, CoversTheWholeSquareFacingUp) {
    openFloorScene();
    selectTexture(4);
    const WindowPoint a = project(-5, 0, -5);
    const WindowPoint b = project(5, 0, 5);
    const double square = std::fabs((b.x - a.x) * (b.y - a.y));
    double covered = 0.0;
    for (const auto& polygon : floorPolygons()) {
        const double area = signedArea(polygon);
        EXPECT_GT(area, 0.0) << "polygon not counter-clockwise on screen";
        covered += area;
    }
    EXPECT_NEAR(covered, square, square * 1e-4);
}

TEST(Floor, IsInvisibleFromBelow) {
    openFloorScene(false);
    selectTexture(0);
    EXPECT_TRUE(floorPolygons().empty());
    glDisable(GL_LIGHTING);
    drawFloor();
    EXPECT_TRUE(pixelsNear(GL_BACK, 320, 320, 100, Rgb{128, 128, 204}, 2));
}

TEST(Floor, ShowsTheSelectedTileFromAbove) {
    openFloorScene();
    // Unlit, the white floor colour passes the texture through unchanged.
    glDisable(GL_LIGHTING);
    const struct {
        int n, column, row;
    } tiles[] = {{0, 1, 8}, {13, 1, 8}, {6, 5, 5}, {10, 6, 2}, {25, 7, 1}};
    for (const auto& tile : tiles) {
        selectTexture(tile.n);
        // A colour left behind by earlier drawing must not tint the floor.
        glColor3f(1.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawFloor();
        expectQuadrantCells(tile.column, tile.row);
    }
}

TEST(Floor, LeavesTexturingOffInModulateModeWithWhiteAndUpNormal) {
    openFloorScene();
    selectTexture(3);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor3f(0.2f, 0.3f, 0.4f);
    glNormal3f(1.0f, 0.0f, 0.0f);
    drawFloor();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    GLfloat colour[4], normal[3];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(colour[i], 1.0f) << "colour component " << i;
        EXPECT_EQ(normal[i], i == 1 ? 1.0f : 0.0f) << "normal component " << i;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Floor, IsShadedByTheLightThroughModulate) {
    openFloorScene();
    selectTexture(0);
    // No light at all but the global ambient (0.2): the texture darkens to a fifth.
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHT0);
    drawFloor();
    int px, py;
    floorPixel(-2.5, -2.5, &px, &py);
    const Rgb cell = cellColour(1, 8);
    EXPECT_TRUE(pixelsNear(GL_BACK, px, py, 3, Rgb{cell.r / 5, cell.g / 5, cell.b / 5}, 3));
}
