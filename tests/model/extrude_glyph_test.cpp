// Extrusion of the catalogue glyphs: boundary counts, mesh layout and closed, outward solids.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>

#include "model/catalogue_support.h"

namespace {

Point outlineVertex(const GlyphModel& model, int k, float z) {
    return Point{model.vertices[3 * k], model.vertices[3 * k + 1], z};
}

void expectCorners(const Mesh& mesh, int triangle, const std::array<Point, 3>& corners) {
    for (int corner = 0; corner < 3; ++corner) {
        EXPECT_EQ(meshVertex(mesh, triangle, corner), corners[corner])
            << "triangle " << triangle << " corner " << corner;
    }
}

void expectNormal(const Mesh& mesh, int triangle, const Point& normal) {
    for (int corner = 0; corner < 3; ++corner) {
        EXPECT_EQ(meshNormal(mesh, triangle, corner), normal)
            << "triangle " << triangle << " corner " << corner;
    }
}

// The unit normal along (x, y, 0), within float rounding; z exactly 0.
void expectSideNormal(const Mesh& mesh, int triangle, double x, double y) {
    const double length = std::sqrt(x * x + y * y);
    for (int corner = 0; corner < 3; ++corner) {
        const Point n = meshNormal(mesh, triangle, corner);
        EXPECT_NEAR(n[0], x / length, 1e-6) << "triangle " << triangle;
        EXPECT_NEAR(n[1], y / length, 1e-6) << "triangle " << triangle;
        EXPECT_EQ(n[2], 0.0f) << "triangle " << triangle;
    }
}

// Boundary edges of glyphs 0-37: each gives a side quad, beside the two caps.
constexpr int boundaryEdges[38] = {
    12, 10, 12, 12, 14, 12, 10, 12, 9,  12, 12, 16, 10, 14, 12, 12, 13, 12, 7,
    8,  8,  8,  7,  8,  10, 11, 10, 10, 12, 9,  11, 8,  7,  7,  8,  8,  8,  8,
};

TEST(ExtrudeGlyph, BoundaryEdgesAndMeshSizeOfEveryGlyph) {
    for (int i = 0; i < 38; ++i) {
        const GlyphModel& model = glyph(i);
        EXPECT_EQ(extrude(model).triangleCount, 2 * (model.triangleCount + boundaryEdges[i]))
            << "glyph " << i;
    }
}

TEST(ExtrudeGlyph, Glyph18CapsAndFirstSideQuad) {
    const Mesh mesh = extrude(glyph(18));
    ASSERT_EQ(mesh.triangleCount, 24);
    expectCorners(mesh, 0, {{{0.1f, 1, 0.2f}, {-0.2f, 0.4f, 0.2f}, {0.2f, 0.4f, 0.2f}}});
    expectNormal(mesh, 0, {0, 0, 1});
    expectCorners(mesh, 5, {{{0.1f, 1, -0.2f}, {0.2f, 0.4f, -0.2f}, {-0.2f, 0.4f, -0.2f}}});
    expectNormal(mesh, 5, {0, 0, -1});

    // Edge (0, 1): (Pb, Qf, Qb) and (Qf, Pb, Pf).
    const Point pb{0.1f, 1, 0.2f}, pf{0.1f, 1, -0.2f};
    const Point qb{-0.2f, 0.4f, 0.2f}, qf{-0.2f, 0.4f, -0.2f};
    expectCorners(mesh, 10, {{pb, qf, qb}});
    expectCorners(mesh, 11, {{qf, pb, pf}});
    expectSideNormal(mesh, 10, -2, 1);
    expectSideNormal(mesh, 11, -2, 1);
}

TEST(ExtrudeGlyph, Glyph18SideQuadsFollowTheEdgeTable) {
    const GlyphModel& model = glyph(18);
    const Mesh mesh = extrude(model);
    ASSERT_EQ(mesh.triangleCount, 24);
    const std::pair<int, int> boundary[7] = {{0, 1}, {2, 0}, {1, 3}, {3, 5},
                                             {5, 6}, {6, 4}, {4, 2}};
    for (int k = 0; k < 7; ++k) {
        const int first = 10 + 2 * k;
        EXPECT_EQ(meshVertex(mesh, first, 0), outlineVertex(model, boundary[k].first, 0.2f))
            << "quad " << k;
        EXPECT_EQ(meshVertex(mesh, first, 2), outlineVertex(model, boundary[k].second, 0.2f))
            << "quad " << k;
        // All six vertices of a quad carry one normal.
        expectNormal(mesh, first, meshNormal(mesh, first, 0));
        expectNormal(mesh, first + 1, meshNormal(mesh, first, 0));
    }
    expectSideNormal(mesh, 12, 6, 1);
    expectSideNormal(mesh, 13, 6, 1);
    // Along the baseline the normal is exact.
    expectNormal(mesh, 18, {0, -1, 0});
    expectNormal(mesh, 19, {0, -1, 0});
}

}  // namespace
