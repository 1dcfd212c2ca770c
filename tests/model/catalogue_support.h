// Test support: the glyph catalogue built once per process, and extrusion into owned meshes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "app/viewer_state.h"
#include "model/model.h"

// What buildGlyphCatalogue left in a fresh viewer. Built once: records are kept
// until exit, and other tests reset the viewer.
struct BuiltCatalogue {
    int32_t modelCount = 0;
    GlyphModel* table[modelTableSize] = {};
};

inline const BuiltCatalogue& builtCatalogue() {
    static const BuiltCatalogue built = [] {
        viewer = ViewerState{};
        buildGlyphCatalogue();
        BuiltCatalogue result;
        result.modelCount = viewer.modelCount;
        for (int i = 0; i < modelTableSize; ++i) {
            result.table[i] = viewer.modelTable[i];
        }
        viewer = ViewerState{};
        return result;
    }();
    return built;
}

inline const GlyphModel& glyph(int index) {
    return *builtCatalogue().table[index];
}

// Twice the signed area of outline triangle t, positive when counter-clockwise from +z.
inline double doubledOutlineArea(const GlyphModel& model, int t) {
    const float* a = model.vertices + 3 * model.triangles[3 * t];
    const float* b = model.vertices + 3 * model.triangles[3 * t + 1];
    const float* c = model.vertices + 3 * model.triangles[3 * t + 2];
    return (double{b[0]} - a[0]) * (double{c[1]} - a[1]) -
           (double{b[1]} - a[1]) * (double{c[0]} - a[0]);
}

// A mesh made by extrudeGlyph into places of the test's own, released with it,
// so the catalogue records stay without a mesh.
struct Mesh {
    int32_t triangleCount = 0;
    std::unique_ptr<float[]> vertices;
    std::unique_ptr<float[]> normals;
};

inline Mesh extrude(const GlyphModel& model) {
    int32_t count = 0;
    float* vertices = nullptr;
    float* normals = nullptr;
    extrudeGlyph(model.triangleCount, model.vertices, model.triangles, &count, &vertices, &normals);
    Mesh mesh;
    mesh.triangleCount = count;
    mesh.vertices.reset(vertices);
    mesh.normals.reset(normals);
    return mesh;
}

using Point = std::array<double, 3>;

// Corner k of mesh triangle t, and the normal stored with that corner.
inline Point meshVertex(const Mesh& mesh, int t, int k) {
    const float* v = mesh.vertices.get() + 9 * t + 3 * k;
    return Point{v[0], v[1], v[2]};
}

inline Point meshNormal(const Mesh& mesh, int t, int k) {
    const float* n = mesh.normals.get() + 9 * t + 3 * k;
    return Point{n[0], n[1], n[2]};
}
