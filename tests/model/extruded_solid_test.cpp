// Properties of every extruded glyph: a closed solid whose triangles all face outwards.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>

#include "model/catalogue_support.h"

namespace {

Point minus(const Point& a, const Point& b) {
    return Point{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Point cross(const Point& a, const Point& b) {
    return Point{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double dot(const Point& a, const Point& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

std::string text(const Point& p) {
    return "(" + std::to_string(p[0]) + ", " + std::to_string(p[1]) + ", " + std::to_string(p[2]) +
           ")";
}

// Closed, as checked here: with mesh vertices identified by their exact position,
// every directed edge of a mesh triangle occurs exactly once, and so does its
// reverse. Zero-area triangles take part like any other: glyph 31's flat cap
// triangles are what close the line from vertex 4 to vertex 2, along which its
// neighbours meet a single long edge with two short ones (a T-junction).
::testing::AssertionResult isClosed(const Mesh& mesh) {
    std::map<std::pair<Point, Point>, int> edges;
    for (int t = 0; t < mesh.triangleCount; ++t) {
        for (int k = 0; k < 3; ++k) {
            ++edges[{meshVertex(mesh, t, k), meshVertex(mesh, t, (k + 1) % 3)}];
        }
    }
    for (const auto& [edge, count] : edges) {
        const auto reverse = edges.find({edge.second, edge.first});
        const int reverseCount = reverse == edges.end() ? 0 : reverse->second;
        if (count != 1 || reverseCount != 1) {
            return ::testing::AssertionFailure()
                   << "edge " << text(edge.first) << " -> " << text(edge.second) << " occurs "
                   << count << " times, its reverse " << reverseCount << " times";
        }
    }
    return ::testing::AssertionSuccess();
}

// Checks that each non-degenerate triangle is counter-clockwise seen from the side
// its stored normal points to, that normal being the unit normal of its plane.
// Returns the number of zero-area triangles, which carry no direction.
int checkWindingAgainstNormals(const Mesh& mesh) {
    int flat = 0;
    for (int t = 0; t < mesh.triangleCount; ++t) {
        const Point face = cross(minus(meshVertex(mesh, t, 1), meshVertex(mesh, t, 0)),
                                 minus(meshVertex(mesh, t, 2), meshVertex(mesh, t, 0)));
        const double length = std::sqrt(dot(face, face));
        if (length < 1e-6) {
            ++flat;
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            const Point n = meshNormal(mesh, t, k);
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_NEAR(n[axis], face[axis] / length, 1e-5)
                    << "triangle " << t << " corner " << k << " axis " << axis;
            }
        }
    }
    return flat;
}

// Signed volume enclosed by the mesh: positive when its triangles face outwards.
double signedVolume(const Mesh& mesh) {
    double sum = 0;
    for (int t = 0; t < mesh.triangleCount; ++t) {
        sum += dot(meshVertex(mesh, t, 0), cross(meshVertex(mesh, t, 1), meshVertex(mesh, t, 2)));
    }
    return sum / 6;
}

double outlineArea(const GlyphModel& model) {
    double sum = 0;
    for (int t = 0; t < model.triangleCount; ++t) {
        sum += doubledOutlineArea(model, t);
    }
    return sum / 2;
}

TEST(ExtrudedSolid, EveryGlyphButTheOverlappingOneIsClosedAndFacesOutwards) {
    for (int i = 0; i < 38; ++i) {
        SCOPED_TRACE("glyph " + std::to_string(i));
        const Mesh mesh = extrude(glyph(i));
        // Only glyph 31's zero-area outline triangle gives flat mesh triangles,
        // one in each cap.
        EXPECT_EQ(checkWindingAgainstNormals(mesh), i == 31 ? 2 : 0);
        if (i == 28) {
            continue;
        }
        EXPECT_TRUE(isClosed(mesh));
        // Closed and coherently wound, it faces outwards exactly when it encloses
        // the prism's volume with a positive sign.
        EXPECT_NEAR(signedVolume(mesh), 0.4 * outlineArea(glyph(i)), 1e-6);
    }
}

TEST(ExtrudedSolid, OverlappingGlyph28KeepsItsUnpairedEdgesAndIsNotClosed) {
    const Mesh mesh = extrude(glyph(28));
    // 8 outline triangles and 12 boundary edges, some of them inside the outline.
    EXPECT_EQ(mesh.triangleCount, 2 * (8 + 12));
    EXPECT_FALSE(isClosed(mesh));
}

TEST(ExtrudedSolid, Glyph31GetsNoSideQuadAlongItsFlatTriangle) {
    const GlyphModel& model = glyph(31);
    const Mesh mesh = extrude(model);
    ASSERT_EQ(mesh.triangleCount, 2 * (6 + 8));
    // Vertices 2, 3 and 4 lie on one line; no quad stands on any part of it.
    auto onLine = [&](const Point& p) {
        for (int k : {2, 3, 4}) {
            if (p[0] == model.vertices[3 * k] && p[1] == model.vertices[3 * k + 1]) {
                return true;
            }
        }
        return false;
    };
    for (int t = 2 * model.triangleCount; t < mesh.triangleCount; t += 2) {
        EXPECT_FALSE(onLine(meshVertex(mesh, t, 0)) && onLine(meshVertex(mesh, t, 2)))
            << "quad on " << text(meshVertex(mesh, t, 0)) << " -> " << text(meshVertex(mesh, t, 2));
    }
}

TEST(ExtrudedSolid, Glyph17sUnusedVertexIsNotInTheMesh) {
    const GlyphModel& model = glyph(17);
    const Mesh mesh = extrude(model);
    const float unusedX = model.vertices[3 * 9];
    const float unusedY = model.vertices[3 * 9 + 1];
    int found = 0;
    for (int v = 0; v < 3 * mesh.triangleCount; ++v) {
        if (mesh.vertices[3 * v] == unusedX && mesh.vertices[3 * v + 1] == unusedY) {
            ++found;
        }
    }
    EXPECT_EQ(found, 0);
}

}  // namespace
