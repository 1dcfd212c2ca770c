// Texture tiles and floor texture coordinates (no OpenGL context needed).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/viewer_state.h"
#include "render/render.h"

namespace {

class FloorTilesTest : public ::testing::Test {
protected:
    void SetUp() override { viewer = ViewerState{}; }
};

// Offsets are whole tenths of the image.
int tenths(float offset) {
    return static_cast<int>(std::lround(offset * 10.0f));
}

TEST_F(FloorTilesTest, FirstTileShowsTheLowerLeftOfTheImage) {
    selectTexture(0);
    EXPECT_EQ(viewer.textureIndex, 0);
    EXPECT_EQ(floorTexCoord(-5, viewer.tileScaleU, viewer.tileOffsetU), 0.1f);
    EXPECT_EQ(floorTexCoord(-5, viewer.tileScaleV, viewer.tileOffsetV), 0.8f);
    EXPECT_EQ(floorTexCoord(5, viewer.tileScaleU, viewer.tileOffsetU), 0.3f);
    EXPECT_EQ(floorTexCoord(5, viewer.tileScaleV, viewer.tileOffsetV), 1.0f);
}

TEST_F(FloorTilesTest, NumbersWrapAroundThirteenTiles) {
    selectTexture(13);
    EXPECT_EQ(viewer.textureIndex, 0);
    EXPECT_EQ(viewer.tileOffsetU, 0.1f);
    EXPECT_EQ(viewer.tileOffsetV, 0.8f);

    selectTexture(25);
    EXPECT_EQ(viewer.textureIndex, 12);
    EXPECT_EQ(viewer.tileOffsetU, 0.7f);
    EXPECT_EQ(viewer.tileOffsetV, 0.1f);

    selectTexture(6);
    EXPECT_EQ(viewer.tileOffsetU, 0.5f);
    EXPECT_EQ(viewer.tileOffsetV, 0.5f);
}

TEST_F(FloorTilesTest, TilesWalkInSingleStepsInsideTheImage) {
    selectTexture(0);
    int column = tenths(viewer.tileOffsetU);
    int row = tenths(viewer.tileOffsetV);
    for (int n = 0; n < 13; ++n) {
        SCOPED_TRACE(n);
        selectTexture(n);
        EXPECT_EQ(viewer.tileScaleU, 0.2f);
        EXPECT_EQ(viewer.tileScaleV, 0.2f);
        // Stored as the float of a double product of whole tenths.
        EXPECT_EQ(viewer.tileOffsetU, static_cast<float>(tenths(viewer.tileOffsetU) * 0.1));
        EXPECT_EQ(viewer.tileOffsetV, static_cast<float>(tenths(viewer.tileOffsetV) * 0.1));
        const int nextColumn = tenths(viewer.tileOffsetU);
        const int nextRow = tenths(viewer.tileOffsetV);
        EXPECT_GE(nextColumn, 1);
        EXPECT_LE(nextColumn + 2, 10);
        EXPECT_GE(nextRow, 1);
        EXPECT_LE(nextRow + 2, 10);
        if (n > 0) {
            // From the lower left toward the upper right, one grid step at a time.
            EXPECT_TRUE(nextColumn - column == 1 || nextColumn == column);
            EXPECT_TRUE(row - nextRow == 1 || nextRow == row);
            EXPECT_TRUE(nextColumn != column || nextRow != row) << "tile repeats its neighbour";
        }
        column = nextColumn;
        row = nextRow;
    }
    EXPECT_EQ(column, 7);
    EXPECT_EQ(row, 1);
}

TEST_F(FloorTilesTest, StatusLineReportsTheTile) {
    viewer.showStudentId = 0;
    selectTexture(27);
    const char* field = std::strstr(viewer.statusText, "Texture ");
    ASSERT_NE(field, nullptr) << viewer.statusText;
    EXPECT_STREQ(field, "Texture 1");
}

TEST_F(FloorTilesTest, TexCoordMultipliesInFloatAndAddsInDouble) {
    // Each value differs by one unit in the last place when computed wholly in
    // float or wholly in double.
    EXPECT_EQ(floorTexCoord(2, 0.2f, 0.3f), 0.44f);               // all-double gives more
    EXPECT_EQ(floorTexCoord(3, 0.2f, 0.3f), 0.46f);               // all-float gives more
    EXPECT_EQ(floorTexCoord(4, 0.2f, 0.4f), 0x1.28f5c4p-1f);      // all-double gives 0.58f
    EXPECT_EQ(floorTexCoord(0, 1.0f / 3.0f, 1.0f / 3.0f), 0.5f);  // the middle before any tile
}

}  // namespace
