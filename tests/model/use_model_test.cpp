// The lazy mesh build behind every model selection.
#include <gtest/gtest.h>

#include "model/catalogue_support.h"

namespace {

class UseModel : public ::testing::Test {
protected:
    void SetUp() override {
        model = glyph(18);  // a fresh copy without a mesh
        viewer = ViewerState{};
    }
    void TearDown() override {
        delete[] model.meshVertices;
        delete[] model.meshNormals;
    }
    GlyphModel model;
};

TEST_F(UseModel, BuildsTheMeshOnceAndMakesTheModelCurrent) {
    useModel(&model);
    EXPECT_EQ(viewer.currentModel, &model);
    EXPECT_EQ(model.meshTriangleCount, 24);
    ASSERT_NE(model.meshVertices, nullptr);
    ASSERT_NE(model.meshNormals, nullptr);
    const float* vertices = model.meshVertices;
    const float* normals = model.meshNormals;

    viewer.currentModel = nullptr;
    useModel(&model);
    EXPECT_EQ(viewer.currentModel, &model);
    EXPECT_EQ(model.meshTriangleCount, 24);
    EXPECT_EQ(model.meshVertices, vertices);
    EXPECT_EQ(model.meshNormals, normals);
}

TEST_F(UseModel, AnAbsentModelLeavesTheCurrentOne) {
    viewer.currentModel = &model;
    useModel(nullptr);
    EXPECT_EQ(viewer.currentModel, &model);
    EXPECT_EQ(model.meshTriangleCount, 0);
}

}  // namespace
