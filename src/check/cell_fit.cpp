// How well one cell, and a text of cells, explains the picture.
#include <algorithm>

#include "check/status_reader.h"

void MeasureSums::add(double cover, double observed) {
    n += 1;
    o += observed;
    oo += observed * observed;
    k += cover;
    kk += cover * cover;
    ko += cover * observed;
}

void MeasureSums::add(const MeasureSums& other) {
    n += other.n;
    o += other.o;
    oo += other.oo;
    k += other.k;
    kk += other.kk;
    ko += other.ko;
}

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
    const std::vector<float>& rednessCover = model.colourBlurred ? cell.blurredCover : cell.cover;
    for (int y = 0; y < cell.height; ++y) {
        const size_t row = static_cast<size_t>(cell.top + y) * channels.width + cell.left;
        const size_t cellRow = static_cast<size_t>(y) * cell.width;
        for (int x = 0; x < cell.width; ++x) {
            fit.redness.add(rednessCover[cellRow + x], channels.redness[row + x]);
            fit.brightness.add(cell.cover[cellRow + x], channels.brightness[row + x]);
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
