// The cheap first look: runs of red marks of about one text height, side by side.
#include <algorithm>
#include <cstdint>

#include "check/status_reader.h"

namespace {

struct Mark {
    int left, top, right, bottom, pixels;
    int height() const { return bottom - top + 1; }
    int width() const { return right - left + 1; }
};

// Pixels clearly redder than their surroundings: the line's pure red stands out
// over the plain background and over the floor's texture alike.
std::vector<unsigned char> redMask(const PictureChannels& channels) {
    const int w = channels.width;
    const int h = channels.height;
    const int radius = 7;
    auto red = [&](int x, int y) { return channels.redness[static_cast<size_t>(y) * w + x]; };
    // The mean over the square around each pixel from running sums: per
    // column over the rows in reach, then along the row.
    std::vector<double> columns(static_cast<size_t>(w), 0), across(static_cast<size_t>(w) + 1, 0);
    for (int y = 0; y < std::min(h, radius); ++y)
        for (int x = 0; x < w; ++x)
            columns[static_cast<size_t>(x)] += red(x, y);
    std::vector<unsigned char> mask(static_cast<size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        if (y + radius < h)
            for (int x = 0; x < w; ++x)
                columns[static_cast<size_t>(x)] += red(x, y + radius);
        if (y - radius - 1 >= 0)
            for (int x = 0; x < w; ++x)
                columns[static_cast<size_t>(x)] -= red(x, y - radius - 1);
        for (int x = 0; x < w; ++x)
            across[static_cast<size_t>(x) + 1] =
                across[static_cast<size_t>(x)] + columns[static_cast<size_t>(x)];
        const int rows = std::min(h, y + radius + 1) - std::max(0, y - radius);
        for (int x = 0; x < w; ++x) {
            if (red(x, y) < 30)
                continue;
            const int x0 = std::max(0, x - radius), x1 = std::min(w, x + radius + 1);
            const double mean =
                (across[static_cast<size_t>(x1)] - across[static_cast<size_t>(x0)]) /
                ((x1 - x0) * rows);
            if (red(x, y) > mean + 40)
                mask[static_cast<size_t>(y) * w + x] = 1;
        }
    }
    return mask;
}

std::vector<Mark> marksOf(std::vector<unsigned char>& mask, int w, int h) {
    std::vector<Mark> marks;
    std::vector<int32_t> stack;
    for (int start = 0; start < w * h; ++start) {
        if (!mask[static_cast<size_t>(start)])
            continue;
        Mark mark{start % w, start / w, start % w, start / w, 0};
        mask[static_cast<size_t>(start)] = 0;
        stack.push_back(start);
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            const int px = p % w, py = p / w;
            mark.left = std::min(mark.left, px);
            mark.right = std::max(mark.right, px);
            mark.top = std::min(mark.top, py);
            mark.bottom = std::max(mark.bottom, py);
            ++mark.pixels;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = px + dx, ny = py + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                        continue;
                    const size_t n = static_cast<size_t>(ny) * w + nx;
                    if (mask[n]) {
                        mask[n] = 0;
                        stack.push_back(static_cast<int32_t>(n));
                    }
                }
            }
        }
        // Glyph-sized marks only: a letter at 75 % to 200 % (or a few merged).
        if (mark.height() >= 5 && mark.height() <= 64 && mark.width() <= 96 && mark.pixels >= 4)
            marks.push_back(mark);
    }
    return marks;
}

}  // namespace

std::vector<LineCandidate> lineCandidates(const PictureChannels& channels, int limit) {
    std::vector<unsigned char> mask = redMask(channels);
    std::vector<Mark> marks = marksOf(mask, channels.width, channels.height);
    std::sort(marks.begin(), marks.end(),
              [](const Mark& a, const Mark& b) { return a.left < b.left; });
    std::vector<bool> inRun(marks.size(), false);
    std::vector<LineCandidate> candidates;
    for (size_t i = 0; i < marks.size(); ++i) {
        if (inRun[i])
            continue;
        const Mark& first = marks[i];
        const int height = first.height();
        const int gap = std::max(6, height);
        LineCandidate candidate{first.left, first.top, first.bottom, first.right, 1};
        std::vector<size_t> members;
        for (size_t j = i + 1; j < marks.size() && marks[j].left <= candidate.right + gap; ++j) {
            const Mark& next = marks[j];
            const int overlap = std::min(next.bottom, first.bottom) - std::max(next.top, first.top);
            if (next.height() > height * 17 / 10 ||
                overlap < std::min(height, next.height()) * 3 / 10)
                continue;
            candidate.right = std::max(candidate.right, next.right);
            ++candidate.marks;
            members.push_back(j);
        }
        if (candidate.marks < 2)
            continue;
        for (size_t j : members)
            inRun[j] = true;
        candidates.push_back(candidate);
    }
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const LineCandidate& a, const LineCandidate& b) { return a.marks > b.marks; });
    if (static_cast<int>(candidates.size()) > limit)
        candidates.resize(static_cast<size_t>(limit));
    return candidates;
}
