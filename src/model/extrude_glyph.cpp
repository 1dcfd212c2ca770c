// Extrusion of a glyph outline into a closed, flat-shaded prism mesh.
#include <cmath>
#include <cstdint>
#include <vector>

#include "app/viewer_state.h"
#include "model/model.h"

namespace {

struct Edge {
    int32_t from;
    int32_t to;
};

struct Vec3 {
    float x, y, z;
};

// Length from a float sum of squares, rooted in double; a zero vector stays zero.
Vec3 normalised(Vec3 v) {
    const float sum = v.x * v.x + v.y * v.y + v.z * v.z;
    const float length = static_cast<float>(std::sqrt(static_cast<double>(sum)));
    if (length != 0.0f) {
        v.x /= length;
        v.y /= length;
        v.z /= length;
    }
    return v;
}

Vec3 offsetVertex(const float* vertices, int32_t index, const float offset[3]) {
    const float* v = vertices + 3 * index;
    return Vec3{v[0] + offset[0], v[1] + offset[1], v[2] + offset[2]};
}

Vec3 difference(Vec3 a, Vec3 b) {
    return Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 cross(Vec3 a, Vec3 b) {
    return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

void markInterior(Edge& edge) {
    edge = Edge{-1, -1};
}

// One entry per triangle edge; an edge that meets its reverse in an earlier
// triangle becomes interior (-1, -1) together with that earlier entry. Vertices
// match by index only, and each edge pairs with every unpaired reverse before it.
std::vector<Edge> findBoundaryEdges(int32_t triangleCount, const int32_t* triangles) {
    std::vector<Edge> edges(3 * static_cast<std::size_t>(triangleCount));
    for (int32_t i = 0; i < triangleCount; ++i) {
        const int32_t a = triangles[3 * i];
        const int32_t b = triangles[3 * i + 1];
        const int32_t c = triangles[3 * i + 2];
        Edge* own = &edges[3 * i];
        own[0] = Edge{a, b};
        own[1] = Edge{b, c};
        own[2] = Edge{c, a};
        for (int32_t k = 0; k < 3 * i; ++k) {
            Edge& earlier = edges[k];
            if (earlier.from == b && earlier.to == a) {
                markInterior(earlier);
                markInterior(own[0]);
            }
            if (earlier.from == c && earlier.to == b) {
                markInterior(earlier);
                markInterior(own[1]);
            }
            if (earlier.from == a && earlier.to == c) {
                markInterior(earlier);
                markInterior(own[2]);
            }
        }
    }
    return edges;
}

// Writes one mesh triangle (three vertices) with the same normal at each vertex.
void putTriangle(float* vertices, float* normals, int32_t meshTriangle, Vec3 p0, Vec3 p1, Vec3 p2,
                 Vec3 normal) {
    const Vec3 corners[3] = {p0, p1, p2};
    float* v = vertices + 9 * meshTriangle;
    float* n = normals + 9 * meshTriangle;
    for (int corner = 0; corner < 3; ++corner) {
        v[3 * corner] = corners[corner].x;
        v[3 * corner + 1] = corners[corner].y;
        v[3 * corner + 2] = corners[corner].z;
        n[3 * corner] = normal.x;
        n[3 * corner + 1] = normal.y;
        n[3 * corner + 2] = normal.z;
    }
}

}  // namespace

void extrudeGlyph(int32_t triangleCount, const float* vertices, const int32_t* triangles,
                  int32_t* meshTriangleCount, float** meshVertices, float** meshNormals) {
    const Vec3 backNormal = normalised(Vec3{backOffset[0], backOffset[1], backOffset[2]});
    const Vec3 frontNormal = normalised(Vec3{frontOffset[0], frontOffset[1], frontOffset[2]});

    const std::vector<Edge> edges = findBoundaryEdges(triangleCount, triangles);
    int32_t boundaryCount = 0;
    for (const Edge& edge : edges) {
        if (edge.from != -1) {
            ++boundaryCount;
        }
    }

    const int32_t count = 2 * (triangleCount + boundaryCount);
    float* meshV = new float[9 * static_cast<std::size_t>(count)];
    float* meshN = new float[9 * static_cast<std::size_t>(count)];
    *meshTriangleCount = count;
    *meshVertices = meshV;
    *meshNormals = meshN;

    // Back cap with the outline's winding, front cap reversed so both face out.
    for (int32_t i = 0; i < triangleCount; ++i) {
        const int32_t a = triangles[3 * i];
        const int32_t b = triangles[3 * i + 1];
        const int32_t c = triangles[3 * i + 2];
        putTriangle(meshV, meshN, i, offsetVertex(vertices, a, backOffset),
                    offsetVertex(vertices, b, backOffset), offsetVertex(vertices, c, backOffset),
                    backNormal);
        putTriangle(meshV, meshN, triangleCount + i, offsetVertex(vertices, a, frontOffset),
                    offsetVertex(vertices, c, frontOffset), offsetVertex(vertices, b, frontOffset),
                    frontNormal);
    }

    // One quad per boundary edge p -> q, facing the edge's right-hand side.
    int32_t next = 2 * triangleCount;
    for (const Edge& edge : edges) {
        if (edge.from == -1) {
            continue;
        }
        const Vec3 pb = offsetVertex(vertices, edge.from, backOffset);
        const Vec3 pf = offsetVertex(vertices, edge.from, frontOffset);
        const Vec3 qb = offsetVertex(vertices, edge.to, backOffset);
        const Vec3 qf = offsetVertex(vertices, edge.to, frontOffset);
        const Vec3 normal = normalised(cross(difference(qf, pb), difference(qb, pb)));
        putTriangle(meshV, meshN, next++, pb, qf, qb, normal);
        putTriangle(meshV, meshN, next++, qf, pb, pf, normal);
    }
}
