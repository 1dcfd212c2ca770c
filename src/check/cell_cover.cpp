// One cell of the line rendered into picture pixels the way a resampler would.
#include <algorithm>
#include <cmath>

#include "check/status_reader.h"

namespace {

// The window pixels one picture pixel takes its value from, with weights.
struct Taps {
    int first = 0;
    int count = 0;
    float weight[4] = {};
};

// Picture pixel p on an axis where picture = origin + scale * window.
Taps axisTaps(int p, double origin, double scale) {
    Taps taps;
    if (scale < 1) {
        // Shrinking: the average over the pixel's footprint in the window.
        const double from = (p - origin) / scale;
        const double to = (p + 1 - origin) / scale;
        taps.first = static_cast<int>(std::floor(from));
        for (int x = taps.first; x < to && taps.count < 4; ++x) {
            const double overlap = std::min<double>(to, x + 1) - std::max<double>(from, x);
            taps.weight[taps.count++] = static_cast<float>(overlap * scale);
        }
    } else {
        // Enlarging: bilinear between the two nearest window pixel centres.
        const double u = (p + 0.5 - origin) / scale - 0.5;
        taps.first = static_cast<int>(std::floor(u));
        const float f = static_cast<float>(u - taps.first);
        taps.count = 2;
        taps.weight[0] = 1 - f;
        taps.weight[1] = f;
    }
    return taps;
}

// The picture pixels [first, end) that take their value from window pixels
// [from, to) alone: a pixel that mixes in a neighbouring cell's glyph is left
// to neither, since which glyph stands there is not known yet.
void pixelsWithin(double from, double to, double origin, double scale, int& first, int& end) {
    if (scale < 1) {
        first = static_cast<int>(std::ceil(origin + scale * from - 1e-9));
        end = static_cast<int>(std::floor(origin + scale * to + 1e-9));
    } else {
        first = static_cast<int>(std::ceil(origin + scale * (from + 0.5) - 0.5 - 1e-9));
        end = static_cast<int>(std::floor(origin + scale * (to - 0.5) - 0.5 + 1e-9)) + 1;
    }
}

// JPEG keeps colour at half resolution: its blur, once along each axis.
std::vector<float> colourBlur(const std::vector<float>& cover, int width, int height) {
    std::vector<float> across(cover.size()), blurred(cover.size());
    auto at = [width](int x, int y) { return static_cast<size_t>(y) * width + x; };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float left = x > 0 ? cover[at(x - 1, y)] : 0;
            const float right = x + 1 < width ? cover[at(x + 1, y)] : 0;
            across[at(x, y)] = 0.25f * left + 0.5f * cover[at(x, y)] + 0.25f * right;
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float up = y > 0 ? across[at(x, y - 1)] : 0;
            const float down = y + 1 < height ? across[at(x, y + 1)] : 0;
            blurred[at(x, y)] = 0.25f * up + 0.5f * across[at(x, y)] + 0.25f * down;
        }
    }
    return blurred;
}

}  // namespace

CellCover cellCover(const LineModel& model, const GlyphInk* glyph, int pen, int windowRight,
                    int pictureWidth, int pictureHeight) {
    const GlyphInk& shape = glyph != nullptr ? *glyph : glyphInk(' ');
    const int windowTop = shape.top - 2;
    const int windowBottom = shape.top + shape.rows + 2;
    CellCover cell;
    int left = 0, right = 0, top = 0, bottom = 0;
    pixelsWithin(pen, windowRight, model.originX, model.scale, left, right);
    pixelsWithin(windowTop, windowBottom, model.originY, model.scale, top, bottom);
    left = std::max(0, left);
    right = std::min(pictureWidth, right);
    top = std::max(0, top);
    bottom = std::min(pictureHeight, bottom);
    if (right <= left || bottom <= top)
        return cell;
    cell.left = left;
    cell.top = top;
    cell.width = right - left;
    cell.height = bottom - top;
    if (glyph == nullptr || shape.inkRight == 0)
        return cell;
    // Only around the ink is the cover other than 0: there, with a pixel more
    // on each side for the resampler and the colour blur.
    const int inkX = pen + shape.left;
    const int x0 = std::max(
        left,
        static_cast<int>(std::floor(model.originX + model.scale * (inkX + shape.inkLeft))) - 2);
    const int x1 = std::min(
        right,
        static_cast<int>(std::ceil(model.originX + model.scale * (inkX + shape.inkRight))) + 2);
    const int y0 = std::max(
        top,
        static_cast<int>(std::floor(model.originY + model.scale * (shape.top + shape.inkTop))) - 2);
    const int y1 = std::min(
        bottom,
        static_cast<int>(std::ceil(model.originY + model.scale * (shape.top + shape.inkBottom))) +
            2);
    if (x1 <= x0 || y1 <= y0)
        return cell;
    cell.inkLeft = x0;
    cell.inkTop = y0;
    cell.inkWidth = x1 - x0;
    cell.inkHeight = y1 - y0;
    const int padLeft = x0 - 1, padTop = y0 - 1;
    const int padWidth = cell.inkWidth + 2, padHeight = cell.inkHeight + 2;
    std::vector<float> cover(static_cast<size_t>(padWidth) * padHeight, 0.0f);
    // Separably: each glyph row resampled across first, then down.
    const int inkRows = shape.inkBottom - shape.inkTop;
    std::vector<float> across(static_cast<size_t>(inkRows) * padWidth, 0.0f);
    for (int i = 0; i < padWidth; ++i) {
        const Taps column = axisTaps(padLeft + i, model.originX, model.scale);
        for (int b = 0; b < column.count; ++b) {
            const int gx = column.first + b - inkX;
            if (gx < shape.inkLeft || gx >= shape.inkRight)
                continue;
            for (int gy = shape.inkTop; gy < shape.inkBottom; ++gy)
                if (shape.ink[static_cast<size_t>(gy * shape.width + gx)])
                    across[static_cast<size_t>(gy - shape.inkTop) * padWidth + i] +=
                        column.weight[b];
        }
    }
    for (int j = 0; j < padHeight; ++j) {
        const Taps row = axisTaps(padTop + j, model.originY, model.scale);
        float* out = &cover[static_cast<size_t>(j) * padWidth];
        for (int a = 0; a < row.count; ++a) {
            const int gy = row.first + a - shape.top;
            if (gy < shape.inkTop || gy >= shape.inkBottom)
                continue;
            const float* in = &across[static_cast<size_t>(gy - shape.inkTop) * padWidth];
            for (int i = 0; i < padWidth; ++i)
                out[i] += row.weight[a] * in[i];
        }
    }
    auto inner = [&](const std::vector<float>& padded, std::vector<float>& into) {
        into.resize(static_cast<size_t>(cell.inkWidth) * cell.inkHeight);
        for (int y = 0; y < cell.inkHeight; ++y)
            for (int x = 0; x < cell.inkWidth; ++x)
                into[static_cast<size_t>(y) * cell.inkWidth + x] =
                    padded[static_cast<size_t>(y + 1) * padWidth + x + 1];
    };
    inner(cover, cell.cover);
    if (model.colourBlurred)
        inner(colourBlur(cover, padWidth, padHeight), cell.blurredCover);
    return cell;
}
