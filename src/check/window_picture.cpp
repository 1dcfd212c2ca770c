// What a picture shows of the program's window: its fingerprint and the status line's crop.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "check/check.h"

namespace {

// The fingerprint's grid over the 640 x 640 window: cells of 20 window pixels.
constexpr int gridSide = 32;
constexpr double cellSide = 640.0 / gridSide;
// A cell differs when a channel's average is this far off; copies of one
// screenshot differ in at most a few cells (edges half a pixel off after
// rescaling), other screenshots in many.
constexpr int cellTolerance = 24;
constexpr int maxDifferentCells = gridSide * gridSide / 100;
// The status line's band: the window's top 40 rows.
constexpr double statusBandRows = 40;
// Wide enough for the longer selection form.
constexpr double statusBandColumns = 480;

int clamped(double value, int limit) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, limit);
}

}  // namespace

std::vector<unsigned char> windowFingerprint(const Picture& picture, const StatusReading& reading) {
    std::vector<unsigned char> fingerprint;
    if (reading.kind == ReadingKind::none || reading.scale <= 0) {
        return fingerprint;
    }
    fingerprint.reserve(gridSide * gridSide * 3);
    for (int row = 0; row < gridSide; ++row) {
        const int y0 = clamped(reading.originY + reading.scale * cellSide * row, picture.height);
        const int y1 =
            clamped(reading.originY + reading.scale * cellSide * (row + 1), picture.height);
        for (int column = 0; column < gridSide; ++column) {
            const int x0 =
                clamped(reading.originX + reading.scale * cellSide * column, picture.width);
            const int x1 =
                clamped(reading.originX + reading.scale * cellSide * (column + 1), picture.width);
            uint64_t sum[3] = {0, 0, 0};
            for (int y = y0; y < y1; ++y) {
                const unsigned char* pixel =
                    &picture.rgb[(std::size_t(y) * picture.width + x0) * 3];
                for (int x = x0; x < x1; ++x, pixel += 3) {
                    sum[0] += pixel[0];
                    sum[1] += pixel[1];
                    sum[2] += pixel[2];
                }
            }
            // Cells outside the picture stay black.
            const uint64_t count = uint64_t(x1 - x0) * uint64_t(y1 - y0);
            for (const uint64_t channel : sum) {
                fingerprint.push_back(count == 0 ? 0 : static_cast<unsigned char>(channel / count));
            }
        }
    }
    return fingerprint;
}

bool sameScreenshot(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    if (a.empty() || a.size() != b.size()) {
        return false;
    }
    int different = 0;
    for (std::size_t cell = 0; cell < a.size() && different <= maxDifferentCells; cell += 3) {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            if (std::abs(int(a[cell + channel]) - int(b[cell + channel])) > cellTolerance) {
                ++different;
                break;
            }
        }
    }
    return different <= maxDifferentCells;
}

Picture statusCrop(const Picture& picture, const StatusReading& reading) {
    Picture crop;
    if (reading.kind == ReadingKind::none || reading.scale <= 0) {
        return crop;
    }
    const int x0 = clamped(reading.originX, picture.width);
    const int x1 = clamped(reading.originX + reading.scale * statusBandColumns, picture.width);
    const int y0 = clamped(reading.originY, picture.height);
    const int y1 = clamped(reading.originY + reading.scale * statusBandRows, picture.height);
    crop.width = x1 - x0;
    crop.height = y1 - y0;
    for (int y = y0; y < y1; ++y) {
        const auto row = picture.rgb.begin() + (std::size_t(y) * picture.width + x0) * 3;
        crop.rgb.insert(crop.rgb.end(), row, row + std::size_t(crop.width) * 3);
    }
    return crop;
}
