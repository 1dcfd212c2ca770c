// Glyph models: the compiled-in catalogue of 38 outlines and their extrusion into prisms.
// Plain code: nothing here touches OpenGL.
#pragma once

#include <cstdint>

// One catalogue glyph: a flat triangulated outline in z = 0, one unit tall
// (y from 0 to 1, x within [-0.5, 0.5]), and the prism mesh built from it.
struct GlyphModel {
    char letter = 0;                     // label; only the instructor's sheet reads it
    int32_t vertexCount = 0;             // vertices in the outline
    int32_t triangleCount = 0;           // triangles in the outline, positive for every glyph
    const float* vertices = nullptr;     // vertexCount x (x, y, z); compiled-in, not owned
    const int32_t* triangles = nullptr;  // triangleCount x 3 zero-based vertex indices
    int32_t meshTriangleCount = 0;       // 0 until the mesh is built
    float* meshVertices = nullptr;       // 9 floats per mesh triangle, owned, kept until exit
    float* meshNormals = nullptr;        // one normal per mesh vertex, same layout
};

// Appends the 38 catalogue glyphs to viewer.modelTable, in catalogue order, and
// counts them in viewer.modelCount. The caller sets modelCount to 0 first.
void buildGlyphCatalogue();

// Extrudes an outline into a closed prism 0.4 deep: back cap at z = +0.2, front
// cap at z = -0.2 with reversed winding, and one side quad per boundary edge.
// Allocates the mesh arrays (kept until exit) and stores them and the mesh
// triangle count = 2 x (triangleCount + boundary edges) in the three out places.
void extrudeGlyph(int32_t triangleCount, const float* vertices, const int32_t* triangles,
                  int32_t* meshTriangleCount, float** meshVertices, float** meshNormals);

// The guard every selection uses: when model is present, builds its mesh unless
// it has one or has no triangles, then makes it viewer.currentModel. An absent
// model leaves currentModel as it is.
void useModel(GlyphModel* model);
