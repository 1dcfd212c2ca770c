// The shadow pass's matrix arithmetic: inverse of the recorded view, and the product.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/viewer_state.h"
#include "render/render.h"
#include "support/reference_matrix.h"

namespace {

void setSavedView(const Matrix& view) {
    for (int i = 0; i < 16; ++i) {
        viewer.savedViewMatrix[i] = static_cast<float>(view.m[i]);
    }
}

// out x savedViewMatrix and savedViewMatrix x out, both against the identity.
::testing::AssertionResult isInverseOfSavedView(const float out[16], double tolerance) {
    Matrix inverse;
    Matrix view;
    for (int i = 0; i < 16; ++i) {
        inverse.m[i] = out[i];
        view.m[i] = viewer.savedViewMatrix[i];
    }
    const Matrix products[2] = {product(inverse, view), product(view, inverse)};
    const Matrix one = identity();
    for (const Matrix& p : products) {
        for (int i = 0; i < 16; ++i) {
            if (!(std::fabs(p.m[i] - one.m[i]) <= tolerance)) {
                return ::testing::AssertionFailure()
                       << "element " << i << " of a product: Expected " << one.m[i] << ", Observed "
                       << p.m[i];
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(InvertViewMatrix, InvertsCameraViews) {
    const double cameras[][5] = {{15, 0, -30, -30, 0},
                                 {2, 0, 0, 0, 0},
                                 {40, 0, -90, 320, -10},
                                 {7, 12, -45, 123.5, 4.25},
                                 {500, 0, -1, 359, 10}};
    for (const auto& c : cameras) {
        viewer = ViewerState{};
        setSavedView(camera(c[0], c[1], c[2], c[3], c[4]));
        float out[16];
        ASSERT_TRUE(invertViewMatrix(out)) << "distance " << c[0];
        EXPECT_TRUE(isInverseOfSavedView(out, 2e-4)) << "distance " << c[0] << ", yaw " << c[3];
    }
}

TEST(InvertViewMatrix, GivesTheTransposedRotationAndTheTurnedBackTranslation) {
    // Inverse of [R | t] is [R^T | -R^T t]: checked element by element, so
    // a transposed or misplaced cofactor shows even where products might hide it.
    viewer = ViewerState{};
    const Matrix view = product(translation(1, -2, -9), product(rotation(25, 0), rotation(-70, 1)));
    setSavedView(view);
    float out[16];
    ASSERT_TRUE(invertViewMatrix(out));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(out[4 * c + r], view.m[4 * r + c], 1e-6) << "row " << r << ", col " << c;
        }
        double turnedBack = 0.0;
        for (int k = 0; k < 3; ++k) {
            turnedBack -= view.m[4 * r + k] * view.m[12 + k];
        }
        EXPECT_NEAR(out[12 + r], turnedBack, 1e-5) << "translation row " << r;
        EXPECT_EQ(out[4 * r + 3], 0.0f) << "bottom row, column " << r;
    }
    EXPECT_FLOAT_EQ(out[15], 1.0f);
}

TEST(InvertViewMatrix, InvertsAGeneralMatrixToo) {
    viewer = ViewerState{};
    // Scaled, sheared and with a projective bottom row.
    const float general[16] = {2, 0.5f, 0, 0.1f, 0, 3, 1, 0, 1, 0, 0.5f, 0.2f, 4, -1, 2, 1};
    for (int i = 0; i < 16; ++i) {
        viewer.savedViewMatrix[i] = general[i];
    }
    float out[16];
    ASSERT_TRUE(invertViewMatrix(out));
    EXPECT_TRUE(isInverseOfSavedView(out, 1e-5));
}

TEST(InvertViewMatrix, ASingularMatrixLeavesTheOutputUntouched) {
    float twoEqualColumns[16] = {1, 2, 3, 0, 1, 2, 3, 0, 0, 0, 1, 0, 5, 6, 7, 1};
    float zeros[16] = {};  // the state before the first frame
    for (const float* singular : {twoEqualColumns, zeros}) {
        viewer = ViewerState{};
        for (int i = 0; i < 16; ++i) {
            viewer.savedViewMatrix[i] = singular[i];
        }
        float out[16];
        for (float& value : out) {
            value = 7.5f;
        }
        EXPECT_FALSE(invertViewMatrix(out));
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(out[i], 7.5f) << "element " << i;
        }
    }
}

TEST(InvertViewMatrix, ANaNDeterminantIsNotZero) {
    viewer = ViewerState{};
    setSavedView(identity());
    viewer.savedViewMatrix[5] = std::numeric_limits<float>::quiet_NaN();
    float out[16] = {};
    EXPECT_TRUE(invertViewMatrix(out));
    EXPECT_TRUE(std::isnan(out[0]));
}

// The factors do not commute, so a reversed order shows as well.
TEST(MultiplyMatrices, MatchesTheReferenceProductAndMayWriteOverAFactor) {
    Matrix a = product(translation(3, 1, -2), rotation(40, 1));
    Matrix b = product(rotation(-15, 0), translation(0, 0.5, 2));
    float fa[16];
    float fb[16];
    for (int i = 0; i < 16; ++i) {
        fa[i] = static_cast<float>(a.m[i]);
        fb[i] = static_cast<float>(b.m[i]);
    }
    const Matrix expected = product(a, b);
    multiplyMatrices(fa, fb, fa);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(fa[i], expected.m[i], 1e-6) << "element " << i;
    }
}
