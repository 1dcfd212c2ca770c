// Selecting the model and the animation patterns by number.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "app/viewer_state.h"
#include "identity/fresh_scene.h"
#include "input/input.h"
#include "model/model.h"

namespace {

// A fresh viewer with the catalogue built, as start-up leaves it, showing the
// selection form of the status line.
void freshCatalogue() {
    viewer = ViewerState{};
    buildGlyphCatalogue();
    viewer.showStudentId = 0;
}

std::string animationField() {
    const std::string line = viewer.statusText;
    const std::string::size_type start = line.find("Animation ");
    const std::string::size_type end = line.find(',', start);
    if (start == std::string::npos || end == std::string::npos) {
        return "no animation field in \"" + line + "\"";
    }
    return line.substr(start, end - start);
}

}  // namespace

TEST(SelectAnimation, SpreadsTheNumberOverThePatterns) {
    struct Case {
        int number;
        int orbit, bob, round, direction;
        const char* field;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 1, "Animation 1/7 1/3 7/12"},  {5, 5, 2, 5, 1, "Animation 6/7 3/3 12/12"},
        {6, 6, 0, 0, 0, "Animation 7/7 1/3 1/12"},  {11, 4, 2, 5, 0, "Animation 5/7 3/3 6/12"},
        {12, 5, 0, 0, 1, "Animation 6/7 1/3 7/12"}, {83, 6, 2, 5, 0, "Animation 7/7 3/3 6/12"},
        {84, 0, 0, 0, 1, "Animation 1/7 1/3 7/12"},
    };
    for (const Case& c : cases) {
        freshCatalogue();
        selectAnimation(c.number);
        EXPECT_EQ(viewer.orbitPattern, c.orbit) << "number " << c.number;
        EXPECT_EQ(viewer.bobPattern, c.bob) << "number " << c.number;
        EXPECT_EQ(viewer.roundPattern, c.round) << "number " << c.number;
        EXPECT_EQ(viewer.roundDirection, c.direction) << "number " << c.number;
        EXPECT_EQ(animationField(), c.field) << "number " << c.number;
    }
}

TEST(SelectAnimation, EightyFourNumbersGiveEightyFourScenesAndThenRepeat) {
    freshCatalogue();
    std::set<std::tuple<int, int, int, int>> seen;
    for (int n = 0; n < 84; ++n) {
        selectAnimation(n);
        const auto scene = animationPatterns();
        EXPECT_GE(viewer.roundPattern, 0);
        EXPECT_LE(viewer.roundPattern, 5);
        seen.insert(scene);
        for (int repeat : {84, 84 * 1000000}) {
            selectAnimation(n + repeat);
            EXPECT_EQ(animationPatterns(), scene) << "number " << n + repeat;
        }
    }
    EXPECT_EQ(seen.size(), 84u);
}

TEST(SelectAnimation, LeavesTheKeysCounterAlone) {
    freshCatalogue();
    viewer.animationNumber = 3;
    selectAnimation(40);
    EXPECT_EQ(viewer.animationNumber, 3);
}

TEST(SelectModel, TakesTheRemainderByTheModelCount) {
    freshCatalogue();
    ASSERT_EQ(viewer.modelCount, 38);
    const int numbers[] = {0, 5, 37, 38, 39, 12345678, 99999999};
    for (int number : numbers) {
        selectModel(number);
        const int expected = number % 38;
        EXPECT_EQ(viewer.modelIndex, expected) << "number " << number;
        EXPECT_EQ(viewer.currentModel, viewer.modelTable[expected]) << "number " << number;
        EXPECT_EQ(
            std::string(viewer.statusText).rfind("Model " + std::to_string(expected) + "/38,", 0),
            0u)
            << "number " << number << ": \"" << viewer.statusText << "\"";
    }
}

TEST(SelectModel, BuildsEachMeshOnceOnFirstUse) {
    freshCatalogue();
    for (int i = 0; i < viewer.modelCount; ++i) {
        EXPECT_EQ(viewer.modelTable[i]->meshTriangleCount, 0) << "model " << i;
    }
    selectModel(7);
    GlyphModel* model = viewer.modelTable[7];
    ASSERT_GT(model->meshTriangleCount, 0);
    ASSERT_NE(model->meshVertices, nullptr);
    ASSERT_NE(model->meshNormals, nullptr);
    const float* vertices = model->meshVertices;
    const int32_t triangles = model->meshTriangleCount;

    selectModel(8);
    selectModel(7 + 38);
    EXPECT_EQ(model->meshVertices, vertices);  // the same mesh, not a rebuilt one
    EXPECT_EQ(model->meshTriangleCount, triangles);
    // Only the two selected models have meshes.
    for (int i = 0; i < viewer.modelCount; ++i) {
        EXPECT_EQ(viewer.modelTable[i]->meshTriangleCount > 0, i == 7 || i == 8) << "model " << i;
    }
}
