// Restarting the scene: a fresh start's state, with the catalogue, texture and window kept.
#include <gtest/gtest.h>

#include "app/app.h"
#include "identity/fresh_scene.h"
#include "identity/identity.h"
#include "render/render.h"

TEST(RestartScene, GivesAFreshStartButKeepsCatalogueTextureAndWindow) {
    startFreshScene();
    unsigned char pixels[3] = {};
    viewer.texturePixels = pixels;
    viewer.textureWidth = viewer.textureHeight = 1;
    viewer.windowWidth = viewer.windowHeight = 640;
    GlyphModel* const firstModel = viewer.modelTable[0];
    // A student's scene, then what a user changes by hand.
    viewer.studentIdText = "12345678";
    viewer.personalSeed = 12345678;
    applyPersonalSeed();
    GlyphModel* const studentModel = viewer.currentModel;
    viewer.cameraYaw = 100.0f;
    viewer.orbitAngle = viewer.fastAngle = viewer.slowAngle = 45.0f;
    viewer.showAllPhases = 1;
    viewer.sceneMode = 0;

    restartScene();

    const ViewerState fresh;
    EXPECT_EQ(viewer.cameraYaw, fresh.cameraYaw);
    EXPECT_EQ(viewer.orbitAngle, 0.0f);
    EXPECT_EQ(viewer.fastAngle, 0.0f);
    EXPECT_EQ(viewer.slowAngle, 0.0f);
    EXPECT_EQ(viewer.showAllPhases, 0);
    EXPECT_EQ(viewer.sceneMode, 2);
    EXPECT_EQ(viewer.personalSeed, 0);
    EXPECT_EQ(viewer.studentIdText, nullptr);
    // The first selection of start-up: model 0 and animation 0.
    EXPECT_EQ(viewer.modelIndex, 0);
    EXPECT_EQ(viewer.currentModel, firstModel);
    EXPECT_EQ(animationPatterns(), std::make_tuple(0, 0, 0, 1));
    EXPECT_EQ(viewer.textureIndex, 0);
    EXPECT_EQ(viewer.showStudentId, 1);
    // Kept: the table with its meshes, the texture and the window size.
    EXPECT_EQ(viewer.modelCount, 38);
    EXPECT_EQ(viewer.modelTable[10], studentModel);
    EXPECT_GT(studentModel->meshTriangleCount, 0);
    EXPECT_EQ(viewer.texturePixels, pixels);
    EXPECT_EQ(viewer.textureWidth, 1);
    EXPECT_EQ(viewer.windowWidth, 640);
    EXPECT_EQ(viewer.windowHeight, 640);
    viewer.texturePixels = nullptr;
}
