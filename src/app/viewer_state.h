// The viewer state: every run-time variable of the program, in one record.
#pragma once

#include <cstdint>

struct GlyphModel;

// Capacity of the glyph table; the catalogue fills 38 of its entries.
constexpr int modelTableSize = 40;

// Extrusion offsets of the two caps of every glyph prism (never changed).
constexpr float frontOffset[3] = {0.0f, 0.0f, -0.2f};
constexpr float backOffset[3] = {0.0f, 0.0f, 0.2f};

// The callbacks read and write these fields directly. All of them start at the
// values below; a test resets the whole program by assigning a fresh record.
struct ViewerState {
    // Camera (mouse and keys change it, the frame pass reads it).
    float cameraDistance = 15.0f;  // eye distance from the look-at point, kept >= 2
    float cameraPitch = -30.0f;    // degrees about x (applied negated), kept in [-90, 0]
    float cameraYaw = -30.0f;      // degrees about y (applied negated)
    float cameraRoll = 0.0f;       // degrees about the view axis, only ever reset to 0
    float cameraShift = 0.0f;      // scene shift along the rotated z axis, kept in [-10, 10]
    int32_t sceneMode = 2;         // 0 close-up, 1 orbit with centre actor, 2 orbit with all actors

    // Mouse tracking.
    int32_t lastMouseX = 0;
    int32_t lastMouseY = 0;
    int32_t leftDragging = 0;
    int32_t rightDragging = 0;

    // Animation clock; angles in degrees, each kept in [0, 360].
    float orbitAngle = 0.0f;
    float fastAngle = 0.0f;  // twice the rate of orbitAngle
    float slowAngle = 0.0f;  // half the rate of orbitAngle
    int32_t animationSpeed = 1;
    uint32_t lastTickTime = 0;  // millisecond reading of the previous tick

    // Display options.
    int32_t showOverlay = 1;
    int32_t showAllPhases = 0;
    int32_t showStudentId = 1;

    // Selections.
    GlyphModel* modelTable[modelTableSize] = {};
    int32_t modelCount = 0;
    int32_t modelIndex = 0;
    GlyphModel* currentModel = nullptr;
    int32_t orbitPattern = 0;    // red group, 0-6
    int32_t bobPattern = 0;      // blue actor, 0-2
    int32_t roundPattern = 0;    // yellow group, 0-5
    int32_t roundDirection = 0;  // 1: yellow follows fastAngle, 0: slowAngle
    int32_t animationNumber = 0;
    int32_t textureIndex = 0;
    float tileScaleU = 1.0f / 3.0f;
    float tileScaleV = 1.0f / 3.0f;
    float tileOffsetU = 1.0f / 3.0f;
    float tileOffsetV = 1.0f / 3.0f;

    // Identity.
    int32_t personalSeed = 0;  // -1 while no identity is known
    const char* loginName = nullptr;
    const char* studentIdText = nullptr;

    // Text, texture and window.
    char statusText[64] = {};
    unsigned char* texturePixels = nullptr;  // RGB, rows top to bottom, tightly packed
    int32_t textureWidth = 0;
    int32_t textureHeight = 0;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    float savedViewMatrix[16] = {};  // this frame's view matrix, column-major
};

// The one process-wide instance.
extern ViewerState viewer;
