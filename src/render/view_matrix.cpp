// Matrix arithmetic of the shadow pass: the inverse of the view and the 4 x 4 product.
#include "app/viewer_state.h"
#include "render/render.h"

bool invertViewMatrix(float out[16]) {
    const float* s = viewer.savedViewMatrix;
    // Element of row r, column c.
    auto a = [s](int r, int c) { return s[4 * c + r]; };
    // 2 x 2 minors of rows 0-1 (upper) and rows 2-3 (lower) on columns i, j.
    auto upper = [&a](int i, int j) { return a(0, i) * a(1, j) - a(0, j) * a(1, i); };
    auto lower = [&a](int i, int j) { return a(2, i) * a(3, j) - a(2, j) * a(3, i); };
    const float u01 = upper(0, 1), u02 = upper(0, 2), u03 = upper(0, 3);
    const float u12 = upper(1, 2), u13 = upper(1, 3), u23 = upper(2, 3);
    const float l01 = lower(0, 1), l02 = lower(0, 2), l03 = lower(0, 3);
    const float l12 = lower(1, 2), l13 = lower(1, 3), l23 = lower(2, 3);

    // Laplace expansion along rows 0 and 1.
    const float d = u01 * l23 - u02 * l13 + u03 * l12 + u12 * l03 - u13 * l02 + u23 * l01;
    // Only an exact zero stops here; a NaN determinant goes on like any other.
    if (d == 0.0f) {
        return false;
    }
    const float r = 1.0f / d;

    // The cofactor of row i, column j goes to out[4i + j]: in column-major
    // order that is the adjugate, the transposed matrix of cofactors.
    out[0] = (a(1, 1) * l23 - a(1, 2) * l13 + a(1, 3) * l12) * r;
    out[1] = -(a(1, 0) * l23 - a(1, 2) * l03 + a(1, 3) * l02) * r;
    out[2] = (a(1, 0) * l13 - a(1, 1) * l03 + a(1, 3) * l01) * r;
    out[3] = -(a(1, 0) * l12 - a(1, 1) * l02 + a(1, 2) * l01) * r;

    out[4] = -(a(0, 1) * l23 - a(0, 2) * l13 + a(0, 3) * l12) * r;
    out[5] = (a(0, 0) * l23 - a(0, 2) * l03 + a(0, 3) * l02) * r;
    out[6] = -(a(0, 0) * l13 - a(0, 1) * l03 + a(0, 3) * l01) * r;
    out[7] = (a(0, 0) * l12 - a(0, 1) * l02 + a(0, 2) * l01) * r;

    out[8] = (a(3, 1) * u23 - a(3, 2) * u13 + a(3, 3) * u12) * r;
    out[9] = -(a(3, 0) * u23 - a(3, 2) * u03 + a(3, 3) * u02) * r;
    out[10] = (a(3, 0) * u13 - a(3, 1) * u03 + a(3, 3) * u01) * r;
    out[11] = -(a(3, 0) * u12 - a(3, 1) * u02 + a(3, 2) * u01) * r;

    out[12] = -(a(2, 1) * u23 - a(2, 2) * u13 + a(2, 3) * u12) * r;
    out[13] = (a(2, 0) * u23 - a(2, 2) * u03 + a(2, 3) * u02) * r;
    out[14] = -(a(2, 0) * u13 - a(2, 1) * u03 + a(2, 3) * u01) * r;
    out[15] = (a(2, 0) * u12 - a(2, 1) * u02 + a(2, 2) * u01) * r;
    return true;
}

void multiplyMatrices(const float a[16], const float b[16], float out[16]) {
    // Into a scratch copy first, so that out may be a or b.
    float product[16];
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += b[4 * column + k] * a[4 * k + row];
            }
            product[4 * column + row] = sum;
        }
    }
    for (int i = 0; i < 16; ++i) {
        out[i] = product[i];
    }
}
