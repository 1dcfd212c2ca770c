// The glyph catalogue: table order, labels, counts and the outlines' geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "model/catalogue_support.h"

namespace {

constexpr int glyphCount = 38;

struct Counts {
    int vertices;
    int triangles;
};

// Outline sizes of glyphs 0-37.
constexpr Counts outlineSizes[glyphCount] = {
    {12, 12}, {11, 10}, {12, 10}, {12, 12}, {14, 12}, {12, 10}, {10, 8},  {12, 10},
    {9, 7},   {12, 10}, {12, 10}, {16, 14}, {10, 8},  {14, 14}, {12, 12}, {12, 10},
    {13, 11}, {13, 10}, {7, 5},   {8, 6},   {8, 6},   {8, 6},   {7, 5},   {8, 6},
    {10, 8},  {11, 9},  {10, 8},  {10, 8},  {10, 8},  {9, 7},   {11, 9},  {8, 6},
    {7, 5},   {7, 5},   {8, 6},   {8, 6},   {8, 6},   {8, 6},
};

float vertexX(const GlyphModel& model, int k) {
    return model.vertices[3 * k];
}
float vertexY(const GlyphModel& model, int k) {
    return model.vertices[3 * k + 1];
}

TEST(GlyphCatalogue, FillsThirtyEightSeparateRecordsInCatalogueOrder) {
    const BuiltCatalogue& built = builtCatalogue();
    ASSERT_EQ(built.modelCount, glyphCount);
    EXPECT_EQ(built.table[38], nullptr);
    EXPECT_EQ(built.table[39], nullptr);

    std::string labels;
    std::set<const GlyphModel*> records;
    std::set<const float*> outlines;
    for (int i = 0; i < glyphCount; ++i) {
        ASSERT_NE(built.table[i], nullptr) << "glyph " << i;
        labels += built.table[i]->letter;
        records.insert(built.table[i]);
        outlines.insert(built.table[i]->vertices);
    }
    EXPECT_EQ(labels, std::string("AIUOKTNMYWXOZOPUEE") + "ABCDEFGHIJ174KKKKKKK");
    // Glyphs sharing a label (the three O, the eight K) are still separate models.
    EXPECT_EQ(records.size(), 38u);
    EXPECT_EQ(outlines.size(), 38u);
}

TEST(GlyphCatalogue, FreshRecordsHaveTheirOutlineSizesAndNoMesh) {
    for (int i = 0; i < glyphCount; ++i) {
        SCOPED_TRACE("glyph " + std::to_string(i));
        const GlyphModel& model = glyph(i);
        EXPECT_EQ(model.vertexCount, outlineSizes[i].vertices);
        EXPECT_EQ(model.triangleCount, outlineSizes[i].triangles);
        EXPECT_EQ(model.meshTriangleCount, 0);
        EXPECT_EQ(model.meshVertices, nullptr);
        EXPECT_EQ(model.meshNormals, nullptr);
    }
}

TEST(GlyphCatalogue, OutlinesAreOneUnitTallAndCentredOnTheBaseline) {
    for (int i = 0; i < glyphCount; ++i) {
        SCOPED_TRACE("glyph " + std::to_string(i));
        const GlyphModel& model = glyph(i);
        float minX = 1, maxX = -1, minY = 2, maxY = -1;
        for (int k = 0; k < model.vertexCount; ++k) {
            const float x = vertexX(model, k);
            const float y = vertexY(model, k);
            EXPECT_EQ(model.vertices[3 * k + 2], 0.0f) << "vertex " << k;
            // Every coordinate is the float nearest to a multiple of 0.05.
            EXPECT_EQ(x, static_cast<float>(std::lround(x * 20.0) / 20.0)) << "vertex " << k;
            EXPECT_EQ(y, static_cast<float>(std::lround(y * 20.0) / 20.0)) << "vertex " << k;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
        EXPECT_EQ(minY, 0.0f);
        EXPECT_EQ(maxY, 1.0f);
        EXPECT_GE(minX, -0.5f);
        EXPECT_LE(maxX, 0.5f);
        if (i == 30) {
            EXPECT_EQ(minX, -0.4f);
            EXPECT_EQ(maxX, 0.3f);
        } else {
            EXPECT_EQ(minX, -maxX);
        }
    }
}

TEST(GlyphCatalogue, TrianglesAreCounterClockwiseExceptGlyph31sFlatOne) {
    for (int i = 0; i < glyphCount; ++i) {
        const GlyphModel& model = glyph(i);
        for (int t = 0; t < model.triangleCount; ++t) {
            SCOPED_TRACE("glyph " + std::to_string(i) + " triangle " + std::to_string(t));
            for (int corner = 0; corner < 3; ++corner) {
                const int32_t index = model.triangles[3 * t + corner];
                ASSERT_GE(index, 0);
                ASSERT_LT(index, model.vertexCount);
            }
            if (i == 31 && t == 2) {
                // [2, 4, 3]: three points on one line, zero up to float rounding.
                EXPECT_NEAR(doubledOutlineArea(model, t), 0.0, 1e-7);
            } else {
                // The smallest outline triangle is far larger than this.
                EXPECT_GT(doubledOutlineArea(model, t), 0.005);
            }
        }
    }
}

TEST(GlyphCatalogue, GlyphWIsGlyphMTurnedAboutTheMiddleOfItsHeight) {
    const GlyphModel& m = glyph(7);
    const GlyphModel& w = glyph(9);
    ASSERT_EQ(w.vertexCount, m.vertexCount);
    for (int k = 0; k < m.vertexCount; ++k) {
        EXPECT_EQ(vertexX(w, k), -vertexX(m, k)) << "vertex " << k;
        EXPECT_NEAR(vertexY(w, k), 1.0f - vertexY(m, k), 1e-6f) << "vertex " << k;
    }
    ASSERT_EQ(w.triangleCount, m.triangleCount);
    EXPECT_TRUE(std::equal(m.triangles, m.triangles + 3 * m.triangleCount, w.triangles));
}

}  // namespace
