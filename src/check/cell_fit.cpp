// How well one cell, and a text of cells, explains the picture.
#include <algorithm>

#include "check/status_reader.h"

namespace {

// Sums of the background's share (1 - k).
double backgroundSquare(const MeasureSums& s) {
    return s.n - 2 * s.k + s.kk;
}
double backgroundCover(const MeasureSums& s) {
    return s.k - s.kk;
}

}  // namespace

double MeasureSums::error(double text) const {
    // The residual o - text * k, with the best background taken out.
    const double residualSquare = oo - 2 * text * ko + text * text * kk;
    const double b = backgroundSquare(*this);
    if (b < 1e-9)
        return std::max(0.0, residualSquare);
    const double cross = (o - ko) - text * backgroundCover(*this);
    return std::max(0.0, residualSquare - cross * cross / b);
}

double MeasureSums::textGain(double text) const {
    const double b = backgroundSquare(*this);
    const double background = b < 1e-9 ? 0 : ((o - ko) - text * backgroundCover(*this)) / b;
    // The cover's own spread: the background alone takes up its mean.
    const double spread = n > 0 ? kk - k * k / n : 0;
    return (text - background) * (text - background) * spread;
}

double MeasureSums::blankError() const {
    return n > 0 ? std::max(0.0, oo - o * o / n) : 0;
}

double MeasureSums::textNumerator() const {
    const double b = backgroundSquare(*this);
    return b < 1e-9 ? ko : ko - (o - ko) * backgroundCover(*this) / b;
}

double MeasureSums::textDenominator() const {
    const double b = backgroundSquare(*this);
    const double c = backgroundCover(*this);
    return b < 1e-9 ? kk : kk - c * c / b;
}

CellFit cellFit(const PictureChannels& channels, const LineModel& model, const CellCover& cell) {
    CellFit fit;
    if (cell.width <= 0 || cell.height <= 0)
        return fit;
    const size_t stride = static_cast<size_t>(channels.width) + 1;
    auto box = [&](const std::vector<double>& sums) {
        const size_t x0 = cell.left, x1 = cell.left + cell.width;
        const size_t y0 = cell.top, y1 = cell.top + cell.height;
        return sums[y1 * stride + x1] - sums[y0 * stride + x1] - sums[y1 * stride + x0] +
               sums[y0 * stride + x0];
    };
    fit.redness.n = fit.brightness.n = double(cell.width) * cell.height;
    fit.redness.o = box(channels.rednessSums);
    fit.redness.oo = box(channels.rednessSquareSums);
    fit.brightness.o = box(channels.brightnessSums);
    fit.brightness.oo = box(channels.brightnessSquareSums);
    const std::vector<float>& rednessCover = model.colourBlurred ? cell.blurredCover : cell.cover;
    for (int y = 0; y < cell.inkHeight; ++y) {
        const size_t row = static_cast<size_t>(cell.inkTop + y) * channels.width + cell.inkLeft;
        const size_t inkRow = static_cast<size_t>(y) * cell.inkWidth;
        for (int x = 0; x < cell.inkWidth; ++x) {
            const double r = rednessCover[inkRow + x], b = cell.cover[inkRow + x];
            fit.redness.k += r;
            fit.redness.kk += r * r;
            fit.redness.ko += r * channels.redness[row + x];
            fit.brightness.k += b;
            fit.brightness.kk += b * b;
            fit.brightness.ko += b * channels.brightness[row + x];
        }
    }
    return fit;
}

double cellCost(const LineModel& model, const CellFit& fit) {
    return fit.redness.error(model.textRedness) / (model.rednessNoise * model.rednessNoise) +
           fit.brightness.error(model.textBrightness) /
               (model.brightnessNoise * model.brightnessNoise);
}

TextFit textFit(const PictureChannels& channels, LineModel& model, const std::string& text,
                bool fitText) {
    std::vector<CellFit> cells;
    int pen = statusLineX;
    for (unsigned char c : text) {
        const GlyphInk& glyph = glyphInk(c);
        cells.push_back(cellFit(
            channels, model,
            cellCover(model, &glyph, pen, pen + glyph.width, channels.width, channels.height)));
        pen += glyph.width;
    }
    if (fitText) {
        double rn = 0, rd = 0, bn = 0, bd = 0;
        for (const CellFit& cell : cells) {
            rn += cell.redness.textNumerator();
            rd += cell.redness.textDenominator();
            bn += cell.brightness.textNumerator();
            bd += cell.brightness.textDenominator();
        }
        // Pure red stays red: keep the values within what a picture can show.
        if (rd > 1e-6)
            model.textRedness = std::clamp(rn / rd, 40.0, 400.0);
        if (bd > 1e-6)
            model.textBrightness = std::clamp(bn / bd, 0.0, 255.0);
    }
    TextFit fit;
    for (const CellFit& cell : cells) {
        fit.cost += cellCost(model, cell);
        fit.rednessError += cell.redness.error(model.textRedness);
        fit.brightnessError += cell.brightness.error(model.textBrightness);
        fit.blankRedness += cell.redness.blankError();
        fit.pixels += cell.redness.n;
    }
    return fit;
}
