// The compiled-in glyph outlines and the catalogue that wraps them in model records.
#include <cstddef>
#include <cstdint>

#include "app/viewer_state.h"
#include "model/model.h"

namespace {

// Each glyph: vertices as (x, y, 0) groups and triangles as index triples,
// counter-clockwise seen from +z, both in the order the records present them.
// clang-format off

// First group.

// 0 (A)
constexpr float glyph0Vertices[] = {
    0, 1, 0,  0, 0.6f, 0,  -0.25f, 0.5f, 0,  0.25f, 0.5f, 0,
    -0.1f, 0.4f, 0,  0.1f, 0.4f, 0,  -0.2f, 0.2f, 0,  0.2f, 0.2f, 0,
    -0.5f, 0, 0,  0.5f, 0, 0,  -0.3f, 0, 0,  0.3f, 0, 0,
};
constexpr int32_t glyph0Triangles[] = {
    0, 2, 1,  1, 2, 4,  4, 2, 6,  6, 2, 8,  6, 8, 10,  0, 1, 3,  3, 1, 5,  5, 7, 3,
    3, 7, 9,  9, 7, 11,  5, 4, 7,  7, 4, 6,
};

// 1 (I)
constexpr float glyph1Vertices[] = {
    0, 1, 0,  0, 0.5f, 0,  0, 0, 0,  -0.2f, 1, 0,
    0.2f, 1, 0,  -0.1f, 0.8f, 0,  0.1f, 0.8f, 0,  -0.1f, 0.2f, 0,
    0.1f, 0.2f, 0,  -0.3f, 0, 0,  0.3f, 0, 0,
};
constexpr int32_t glyph1Triangles[] = {
    0, 3, 5,  0, 5, 1,  1, 5, 7,  1, 7, 2,  2, 7, 9,  0, 6, 4,  6, 0, 1,  6, 1, 8,
    8, 1, 2,  8, 2, 10,
};

// 2 (U)
constexpr float glyph2Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  -0.2f, 1, 0,  0.2f, 1, 0,
    -0.2f, 0.3f, 0,  0.2f, 0.3f, 0,  -0.4f, 0.2f, 0,  0.4f, 0.2f, 0,
    -0.1f, 0.2f, 0,  0.1f, 0.2f, 0,  -0.2f, 0, 0,  0.2f, 0, 0,
};
constexpr int32_t glyph2Triangles[] = {
    0, 4, 2,  4, 0, 6,  4, 6, 10,  4, 10, 8,  1, 3, 5,  1, 5, 7,  7, 5, 11,  11, 5, 9,
    9, 8, 11,  11, 8, 10,
};

// 3 (O)
constexpr float glyph3Vertices[] = {
    -0.2f, 1, 0,  0.2f, 1, 0,  -0.2f, 0.8f, 0,  0.2f, 0.8f, 0,
    -0.4f, 0.8f, 0,  0.4f, 0.8f, 0,  -0.2f, 0.2f, 0,  0.2f, 0.2f, 0,
    -0.4f, 0.2f, 0,  0.4f, 0.2f, 0,  -0.2f, 0, 0,  0.2f, 0, 0,
};
constexpr int32_t glyph3Triangles[] = {
    1, 0, 3,  3, 0, 2,  7, 6, 11,  11, 6, 10,  2, 4, 6,  6, 4, 8,  5, 3, 9,  9, 3, 7,
    0, 4, 2,  1, 3, 5,  6, 8, 10,  9, 7, 11,
};

// 4 (K)
constexpr float glyph4Vertices[] = {
    -0.4f, 1, 0,  -0.2f, 1, 0,  -0.4f, 0, 0,  -0.2f, 0, 0,
    0.4f, 1, 0,  0.4f, 0, 0,  0.4f, 0.9f, 0,  0.4f, 0.1f, 0,
    0.2f, 1, 0,  0.2f, 0, 0,  -0.2f, 0.6f, 0,  -0.2f, 0.4f, 0,
    0, 0.5f, 0,  -0.4f, 0.5f, 0,
};
constexpr int32_t glyph4Triangles[] = {
    1, 0, 10,  10, 0, 13,  11, 13, 2,  11, 2, 3,  10, 13, 11,  10, 11, 12,  4, 8, 6,  6, 8, 12,
    12, 8, 10,  5, 7, 9,  9, 7, 12,  9, 12, 11,
};

// 5 (T)
constexpr float glyph5Vertices[] = {
    -0.5f, 1, 0,  0.5f, 1, 0,  -0.5f, 0.8f, 0,  0.5f, 0.8f, 0,
    -0.1f, 0.8f, 0,  0.1f, 0.8f, 0,  -0.1f, 0.2f, 0,  0.1f, 0.2f, 0,
    -0.2f, 0, 0,  0.2f, 0, 0,  0, 1, 0,  0, 0, 0,
};
constexpr int32_t glyph5Triangles[] = {
    0, 2, 4,  0, 4, 10,  1, 5, 3,  1, 10, 5,  10, 4, 5,  5, 4, 7,  7, 4, 6,  7, 6, 11,
    6, 8, 11,  7, 11, 9,
};

// 6 (N)
constexpr float glyph6Vertices[] = {
    -0.4f, 1, 0,  0.5f, 1, 0,  -0.2f, 1, 0,  0.2f, 1, 0,
    -0.2f, 0.6f, 0,  0.2f, 0.4f, 0,  -0.5f, 0, 0,  0.4f, 0, 0,
    -0.2f, 0, 0,  0.2f, 0, 0,
};
constexpr int32_t glyph6Triangles[] = {
    0, 4, 2,  4, 0, 6,  4, 6, 8,  2, 4, 5,  5, 4, 9,  5, 9, 7,  5, 7, 1,  1, 3, 5,
};

// 7 (M)
constexpr float glyph7Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  -0.2f, 1, 0,  0.2f, 1, 0,
    0, 0.7f, 0,  0, 0.4f, 0,  -0.2f, 0.6f, 0,  0.2f, 0.6f, 0,
    -0.5f, 0, 0,  0.5f, 0, 0,  -0.25f, 0, 0,  0.25f, 0, 0,
};
constexpr int32_t glyph7Triangles[] = {
    2, 0, 6,  6, 0, 8,  6, 8, 10,  2, 6, 4,  4, 6, 5,  1, 3, 7,  1, 7, 9,  7, 11, 9,
    3, 4, 7,  7, 4, 5,
};

// 8 (Y)
constexpr float glyph8Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  -0.2f, 1, 0,  0.2f, 1, 0,
    -0.1f, 0.5f, 0,  0.1f, 0.5f, 0,  -0.1f, 0, 0,  0.1f, 0, 0,
    0, 0.7f, 0,
};
constexpr int32_t glyph8Triangles[] = {
    0, 4, 2,  2, 4, 8,  1, 3, 5,  5, 3, 8,  8, 4, 5,  5, 4, 7,  7, 4, 6,
};

// 9 (W): glyph 7 turned by 180 degrees about (0, 0.5), same triangles.
constexpr float glyph9Vertices[] = {
    0.4f, 0, 0,  -0.4f, 0, 0,  0.2f, 0, 0,  -0.2f, 0, 0,
    0, 0.3f, 0,  0, 0.6f, 0,  0.2f, 0.4f, 0,  -0.2f, 0.4f, 0,
    0.5f, 1, 0,  -0.5f, 1, 0,  0.25f, 1, 0,  -0.25f, 1, 0,
};
constexpr int32_t glyph9Triangles[] = {
    2, 0, 6,  6, 0, 8,  6, 8, 10,  2, 6, 4,  4, 6, 5,  1, 3, 7,  1, 7, 9,  7, 11, 9,
    3, 4, 7,  7, 4, 5,
};

// 10 (X)
constexpr float glyph10Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  -0.2f, 1, 0,  0.2f, 1, 0,
    -0.1f, 0.5f, 0,  0.1f, 0.5f, 0,  0, 0.7f, 0,  0, 0.3f, 0,
    -0.4f, 0, 0,  0.4f, 0, 0,  -0.2f, 0, 0,  0.2f, 0, 0,
};
constexpr int32_t glyph10Triangles[] = {
    0, 4, 2,  2, 4, 6,  1, 3, 5,  3, 6, 5,  6, 4, 5,  5, 4, 7,  4, 8, 10,  4, 10, 7,
    5, 7, 11,  5, 11, 9,
};

// 11 (O)
constexpr float glyph11Vertices[] = {
    -0.2f, 1, 0,  0.2f, 1, 0,  -0.2f, 0.8f, 0,  0.2f, 0.8f, 0,
    -0.4f, 0.8f, 0,  0.4f, 0.8f, 0,  -0.2f, 0.2f, 0,  0.2f, 0.2f, 0,
    -0.4f, 0.2f, 0,  0.4f, 0.2f, 0,  -0.2f, 0, 0,  0.2f, 0, 0,
    0.2f, 0.6f, 0,  0.4f, 0.6f, 0,  0.2f, 0.4f, 0,  0.4f, 0.4f, 0,
};
constexpr int32_t glyph11Triangles[] = {
    1, 0, 3,  3, 0, 2,  7, 6, 11,  11, 6, 10,  2, 4, 6,  6, 4, 8,  5, 3, 12,  5, 12, 13,
    15, 14, 7,  7, 9, 15,  0, 4, 2,  1, 3, 5,  6, 8, 10,  9, 7, 11,
};

// 12 (Z)
constexpr float glyph12Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  -0.4f, 0.7f, 0,  0.4f, 0.8f, 0,
    0.2f, 0.8f, 0,  -0.2f, 0.2f, 0,  -0.4f, 0.2f, 0,  0.4f, 0.3f, 0,
    -0.4f, 0, 0,  0.4f, 0, 0,
};
constexpr int32_t glyph12Triangles[] = {
    0, 2, 4,  1, 0, 4,  1, 4, 3,  3, 4, 5,  4, 6, 5,  5, 6, 8,  5, 8, 9,  7, 5, 9,
};

// 13 (O)
constexpr float glyph13Vertices[] = {
    -0.2f, 1, 0,  0.2f, 1, 0,  -0.2f, 0.8f, 0,  0.1f, 0.8f, 0,
    -0.4f, 1, 0,  0.4f, 0.8f, 0,  -0.2f, 0.2f, 0,  0.1f, 0.2f, 0,
    -0.4f, 0, 0,  0.4f, 0.2f, 0,  -0.2f, 0, 0,  0.2f, 0, 0,
    0.2f, 0.7f, 0,  0.2f, 0.3f, 0,
};
constexpr int32_t glyph13Triangles[] = {
    1, 0, 3,  3, 0, 2,  7, 6, 11,  11, 6, 10,  2, 4, 6,  6, 4, 8,  5, 3, 12,  5, 12, 9,
    12, 13, 9,  13, 7, 9,  0, 4, 2,  1, 3, 5,  6, 8, 10,  9, 7, 11,
};

// 14 (P)
constexpr float glyph14Vertices[] = {
    -0.3f, 1, 0,  0.1f, 1, 0,  0.3f, 0.8f, 0,  0.3f, 0.6f, 0,
    -0.1f, 0.8f, 0,  0.1f, 0.8f, 0,  -0.1f, 0.6f, 0,  0.1f, 0.6f, 0,
    -0.1f, 0.4f, 0,  0.1f, 0.4f, 0,  -0.3f, 0, 0,  -0.1f, 0, 0,
};
constexpr int32_t glyph14Triangles[] = {
    0, 4, 1,  1, 4, 5,  1, 5, 2,  2, 5, 7,  2, 7, 3,  3, 7, 9,  6, 8, 7,  7, 8, 9,
    0, 6, 4,  0, 8, 6,  0, 10, 8,  8, 10, 11,
};

// 15 (U)
constexpr float glyph15Vertices[] = {
    -0.4f, 0.4f, 0,  0.4f, 1, 0,  -0.2f, 0.4f, 0,  0.2f, 1, 0,
    -0.2f, 0.3f, 0,  0.2f, 0.3f, 0,  -0.4f, 0.2f, 0,  0.4f, 0.2f, 0,
    -0.1f, 0.2f, 0,  0.1f, 0.2f, 0,  -0.2f, 0, 0,  0.2f, 0, 0,
};
constexpr int32_t glyph15Triangles[] = {
    0, 4, 2,  4, 0, 6,  4, 6, 10,  4, 10, 8,  1, 3, 5,  1, 5, 7,  7, 5, 11,  11, 5, 9,
    9, 8, 11,  11, 8, 10,
};

// 16 (E)
constexpr float glyph16Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  -0.2f, 0.8f, 0,  0.2f, 0.8f, 0,
    -0.2f, 0.6f, 0,  0.2f, 0.6f, 0,  -0.2f, 0.4f, 0,  0.2f, 0.4f, 0,
    -0.2f, 0.2f, 0,  0.2f, 0.2f, 0,  -0.4f, 0, 0,  0.4f, 0, 0,
    -0.4f, 0.5f, 0,
};
constexpr int32_t glyph16Triangles[] = {
    1, 0, 2,  1, 2, 3,  9, 8, 11,  11, 8, 10,  0, 4, 2,  0, 12, 4,  12, 10, 6,  6, 10, 8,
    4, 12, 6,  5, 4, 7,  7, 4, 6,
};

// 17 (E): vertex 9 is used by no triangle.
constexpr float glyph17Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  -0.2f, 0.8f, 0,  0.3f, 0.8f, 0,
    -0.2f, 0.6f, 0,  0.3f, 0.6f, 0,  -0.2f, 0.4f, 0,  0.1f, 0.4f, 0,
    -0.2f, 0.2f, 0,  -0.1f, 0.2f, 0,  -0.4f, 0, 0,  -0.2f, 0, 0,
    -0.4f, 0.5f, 0,
};
constexpr int32_t glyph17Triangles[] = {
    1, 0, 2,  1, 2, 3,  8, 10, 11,  0, 4, 2,  0, 12, 4,  12, 10, 6,  6, 10, 8,  4, 12, 6,
    5, 4, 7,  7, 4, 6,
};

// Second group.

// 18 (A)
constexpr float glyph18Vertices[] = {
    0.1f, 1, 0,  -0.2f, 0.4f, 0,  0.2f, 0.4f, 0,  -0.5f, 0.4f, 0,
    0.5f, 0.4f, 0,  -0.3f, 0, 0,  0.3f, 0, 0,
};
constexpr int32_t glyph18Triangles[] = {0, 1, 2,  1, 3, 5,  1, 5, 6,  1, 6, 2,  2, 6, 4};

// 19 (B)
constexpr float glyph19Vertices[] = {
    -0.5f, 1, 0,  0.5f, 1, 0,  -0.1f, 0.8f, 0,  0.1f, 0.8f, 0,
    -0.5f, 0.3f, 0,  0.5f, 0.3f, 0,  -0.2f, 0, 0,  0.2f, 0, 0,
};
constexpr int32_t glyph19Triangles[] = {0, 4, 2,  2, 4, 6,  2, 6, 3,  3, 6, 7,  3, 7, 5,  3, 5, 1};

// 20 (C)
constexpr float glyph20Vertices[] = {
    -0.3f, 1, 0,  0.3f, 1, 0,  -0.1f, 0.5f, 0,  0.1f, 0.5f, 0,
    -0.5f, 0.5f, 0,  0.5f, 0.5f, 0,  -0.5f, 0, 0,  0.5f, 0, 0,
};
constexpr int32_t glyph20Triangles[] = {0, 2, 1,  1, 2, 3,  4, 6, 2,  3, 2, 6,  3, 6, 7,  3, 7, 5};

// 21 (D)
constexpr float glyph21Vertices[] = {
    -0.5f, 1, 0,  0.5f, 1, 0,  -0.3f, 0.5f, 0,  0.3f, 0.5f, 0,
    -0.1f, 0, 0,  0.1f, 0, 0,  -0.5f, 0, 0,  0.5f, 0, 0,
};
constexpr int32_t glyph21Triangles[] = {2, 6, 4,  0, 6, 2,  0, 2, 3,  0, 3, 1,  1, 3, 7,  3, 5, 7};

// 22 (E)
constexpr float glyph22Vertices[] = {
    0, 1, 0,  -0.5f, 0.6f, 0,  0.5f, 0.6f, 0,  -0.1f, 0.2f, 0,
    0.1f, 0.2f, 0,  -0.3f, 0, 0,  0.3f, 0, 0,
};
constexpr int32_t glyph22Triangles[] = {0, 3, 4,  1, 5, 3,  2, 4, 6,  4, 3, 6,  3, 5, 6};

// 23 (F)
constexpr float glyph23Vertices[] = {
    -0.5f, 1, 0,  0.5f, 1, 0,  0, 0.7f, 0,  0, 0.3f, 0,
    -0.2f, 0.5f, 0,  0.2f, 0.5f, 0,  -0.5f, 0, 0,  0.5f, 0, 0,
};
constexpr int32_t glyph23Triangles[] = {0, 4, 2,  1, 2, 5,  4, 6, 3,  5, 3, 7,  2, 4, 3,  2, 3, 5};

// 24 (G)
constexpr float glyph24Vertices[] = {
    -0.5f, 1, 0,  0.5f, 1, 0,  -0.5f, 0.8f, 0,  0.5f, 0.8f, 0,
    -0.1f, 0.8f, 0,  0.2f, 0.8f, 0,  0.4f, 0.4f, 0,  0.1f, 0.6f, 0,
    -0.1f, 0, 0,  0.1f, 0, 0,
};
constexpr int32_t glyph24Triangles[] = {
    0, 2, 4,  0, 4, 5,  0, 5, 1,  1, 5, 3,  4, 7, 5,  5, 7, 6,  4, 8, 7,  7, 8, 9,
};

// 25 (H)
constexpr float glyph25Vertices[] = {
    -0.1f, 1, 0,  0.1f, 1, 0,  0.1f, 0.7f, 0,  0.4f, 0.7f, 0,
    0.1f, 0.5f, 0,  -0.1f, 0.2f, 0,  0.1f, 0.2f, 0,  -0.5f, 0.2f, 0,
    0.5f, 0.2f, 0,  -0.5f, 0, 0,  0.5f, 0, 0,
};
constexpr int32_t glyph25Triangles[] = {
    0, 2, 1,  0, 4, 2,  2, 4, 3,  0, 5, 4,  4, 5, 6,  7, 9, 5,  5, 9, 10,  5, 10, 6,
    6, 10, 8,
};

// 26 (I)
constexpr float glyph26Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  -0.1f, 0.9f, 0,  0.1f, 0.9f, 0,
    -0.1f, 0.6f, 0,  0.1f, 0.6f, 0,  -0.4f, 0.5f, 0,  0.4f, 0.5f, 0,
    -0.1f, 0, 0,  0.1f, 0, 0,
};
constexpr int32_t glyph26Triangles[] = {
    0, 6, 4,  0, 4, 2,  2, 4, 5,  2, 5, 3,  3, 5, 7,  3, 7, 1,  4, 8, 9,  4, 9, 5,
};

// 27 (J)
constexpr float glyph27Vertices[] = {
    -0.1f, 1, 0,  0.1f, 1, 0,  -0.4f, 0.8f, 0,  0.4f, 0.8f, 0,
    -0.4f, 0.6f, 0,  0.4f, 0.6f, 0,  -0.1f, 0.5f, 0,  0.1f, 0.5f, 0,
    -0.1f, 0, 0,  0.1f, 0, 0,
};
constexpr int32_t glyph27Triangles[] = {
    0, 2, 4,  0, 4, 6,  0, 6, 1,  1, 6, 7,  1, 7, 3,  3, 7, 5,  6, 8, 7,  7, 8, 9,
};

// 28 (1): [4, 9, 5] lies inside [7, 4, 9]; the extrusion keeps both.
constexpr float glyph28Vertices[] = {
    -0.1f, 1, 0,  0.1f, 1, 0,  -0.2f, 0.8f, 0,  -0.1f, 0.8f, 0,
    -0.1f, 0.1f, 0,  0.1f, 0.1f, 0,  -0.2f, 0.1f, 0,  0.2f, 0.1f, 0,
    -0.3f, 0, 0,  0.3f, 0, 0,
};
constexpr int32_t glyph28Triangles[] = {
    0, 2, 3,  0, 3, 1,  1, 3, 5,  3, 4, 5,  4, 6, 8,  4, 8, 9,  4, 9, 5,  7, 4, 9,
};

// 29 (7)
constexpr float glyph29Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  -0.2f, 0.8f, 0,  0.2f, 0.8f, 0,
    0.4f, 0.8f, 0,  -0.4f, 0.7f, 0,  -0.2f, 0.7f, 0,  -0.2f, 0, 0,
    0, 0, 0,
};
constexpr int32_t glyph29Triangles[] = {
    0, 5, 2,  2, 5, 6,  0, 2, 1,  1, 2, 3,  1, 3, 4,  4, 3, 8,  3, 7, 8,
};

// 30 (4)
constexpr float glyph30Vertices[] = {
    -0.1f, 1, 0,  0.1f, 1, 0,  -0.4f, 0.6f, 0,  0.1f, 0.6f, 0,
    0.3f, 0.6f, 0,  -0.4f, 0.4f, 0,  -0.1f, 0.4f, 0,  0.1f, 0.4f, 0,
    0.3f, 0.4f, 0,  -0.1f, 0, 0,  0.1f, 0, 0,
};
constexpr int32_t glyph30Triangles[] = {
    3, 1, 0,  3, 0, 2,  3, 2, 5,  3, 5, 6,  3, 6, 7,  3, 7, 8,  3, 8, 4,  7, 6, 10,
    6, 9, 10,
};

// 31 (K): [2, 4, 3] has zero area; it pairs the long edge 4-2 with the two
// short edges through vertex 3, so that line gets no side quad.
constexpr float glyph31Vertices[] = {
    0.4f, 1, 0,  0.4f, 0.8f, 0,  0.1f, 0.5f, 0,  0, 0.4f, 0,
    -0.4f, 0, 0,  -0.2f, 0, 0,  0.4f, 0.2f, 0,  0.4f, 0, 0,
};
constexpr int32_t glyph31Triangles[] = {0, 2, 1,  0, 4, 2,  2, 4, 3,  3, 4, 5,  2, 3, 7,  2, 7, 6};

// 32 (K)
constexpr float glyph32Vertices[] = {
    -0.5f, 1, 0,  0.5f, 1, 0,  -0.1f, 0.8f, 0,  0.1f, 0.8f, 0,
    0.1f, 0.4f, 0,  0.3f, 0.4f, 0,  -0.1f, 0, 0,
};
constexpr int32_t glyph32Triangles[] = {0, 2, 1,  1, 2, 3,  3, 2, 4,  4, 2, 6,  4, 6, 5};

// 33 (K)
constexpr float glyph33Vertices[] = {
    0, 1, 0,  -0.4f, 0.8f, 0,  -0.2f, 0.8f, 0,  0.4f, 0.8f, 0,
    -0.4f, 0.6f, 0,  -0.2f, 0.6f, 0,  0, 0, 0,
};
constexpr int32_t glyph33Triangles[] = {0, 2, 3,  2, 1, 4,  2, 4, 5,  3, 2, 6,  2, 5, 6};

// 34 (K)
constexpr float glyph34Vertices[] = {
    -0.4f, 1, 0,  0.4f, 1, 0,  0, 0.6f, 0,  -0.2f, 0.4f, 0,
    0.4f, 0.4f, 0,  -0.4f, 0.3f, 0,  0.4f, 0, 0,  0.2f, 0, 0,
};
constexpr int32_t glyph34Triangles[] = {1, 2, 4,  2, 3, 4,  0, 3, 2,  0, 5, 3,  3, 5, 6,  5, 7, 6};

// 35 (K)
constexpr float glyph35Vertices[] = {
    -0.4f, 0.5f, 0,  0.4f, 0.5f, 0,  0, 1, 0,  0, 0.3f, 0,
    0.4f, 0.4f, 0,  -0.4f, 0.2f, 0,  0.4f, 0.2f, 0,  0.4f, 0, 0,
};
constexpr int32_t glyph35Triangles[] = {1, 2, 4,  2, 3, 4,  0, 3, 2,  0, 5, 3,  3, 5, 6,  5, 7, 6};

// 36 (K)
constexpr float glyph36Vertices[] = {
    -0.1f, 1, 0,  0.1f, 1, 0,  -0.3f, 0.6f, 0,  0.3f, 0.6f, 0,
    -0.3f, 0.2f, 0,  0.3f, 0.2f, 0,  -0.5f, 0, 0,  0.5f, 0, 0,
};
constexpr int32_t glyph36Triangles[] = {0, 2, 4,  1, 0, 4,  3, 1, 4,  5, 3, 4,  7, 5, 4,  6, 7, 4};

// 37 (K)
constexpr float glyph37Vertices[] = {
    0, 1, 0,  0, 0, 0,  -0.3f, 0.6f, 0,  0.3f, 0.6f, 0,
    -0.3f, 0.2f, 0,  0.3f, 0.2f, 0,  -0.5f, 0.2f, 0,  0.5f, 0.2f, 0,
};
constexpr int32_t glyph37Triangles[] = {4, 6, 1,  2, 4, 1,  0, 2, 1,  3, 0, 1,  5, 3, 1,  7, 5, 1};

// clang-format on

template <std::size_t vertexFloats, std::size_t triangleIndices>
void appendGlyph(char letter, const float (&vertices)[vertexFloats],
                 const int32_t (&triangles)[triangleIndices]) {
    GlyphModel* model = new GlyphModel{};
    model->letter = letter;
    model->vertexCount = static_cast<int32_t>(vertexFloats / 3);
    model->triangleCount = static_cast<int32_t>(triangleIndices / 3);
    model->vertices = vertices;
    model->triangles = triangles;
    viewer.modelTable[viewer.modelCount++] = model;
}

}  // namespace

void buildGlyphCatalogue() {
    // First group.
    appendGlyph('A', glyph0Vertices, glyph0Triangles);
    appendGlyph('I', glyph1Vertices, glyph1Triangles);
    appendGlyph('U', glyph2Vertices, glyph2Triangles);
    appendGlyph('O', glyph3Vertices, glyph3Triangles);
    appendGlyph('K', glyph4Vertices, glyph4Triangles);
    appendGlyph('T', glyph5Vertices, glyph5Triangles);
    appendGlyph('N', glyph6Vertices, glyph6Triangles);
    appendGlyph('M', glyph7Vertices, glyph7Triangles);
    appendGlyph('Y', glyph8Vertices, glyph8Triangles);
    appendGlyph('W', glyph9Vertices, glyph9Triangles);
    appendGlyph('X', glyph10Vertices, glyph10Triangles);
    appendGlyph('O', glyph11Vertices, glyph11Triangles);
    appendGlyph('Z', glyph12Vertices, glyph12Triangles);
    appendGlyph('O', glyph13Vertices, glyph13Triangles);
    appendGlyph('P', glyph14Vertices, glyph14Triangles);
    appendGlyph('U', glyph15Vertices, glyph15Triangles);
    appendGlyph('E', glyph16Vertices, glyph16Triangles);
    appendGlyph('E', glyph17Vertices, glyph17Triangles);
    // Second group.
    appendGlyph('A', glyph18Vertices, glyph18Triangles);
    appendGlyph('B', glyph19Vertices, glyph19Triangles);
    appendGlyph('C', glyph20Vertices, glyph20Triangles);
    appendGlyph('D', glyph21Vertices, glyph21Triangles);
    appendGlyph('E', glyph22Vertices, glyph22Triangles);
    appendGlyph('F', glyph23Vertices, glyph23Triangles);
    appendGlyph('G', glyph24Vertices, glyph24Triangles);
    appendGlyph('H', glyph25Vertices, glyph25Triangles);
    appendGlyph('I', glyph26Vertices, glyph26Triangles);
    appendGlyph('J', glyph27Vertices, glyph27Triangles);
    appendGlyph('1', glyph28Vertices, glyph28Triangles);
    appendGlyph('7', glyph29Vertices, glyph29Triangles);
    appendGlyph('4', glyph30Vertices, glyph30Triangles);
    appendGlyph('K', glyph31Vertices, glyph31Triangles);
    appendGlyph('K', glyph32Vertices, glyph32Triangles);
    appendGlyph('K', glyph33Vertices, glyph33Triangles);
    appendGlyph('K', glyph34Vertices, glyph34Triangles);
    appendGlyph('K', glyph35Vertices, glyph35Triangles);
    appendGlyph('K', glyph36Vertices, glyph36Triangles);
    appendGlyph('K', glyph37Vertices, glyph37Triangles);
}
