// Fitting where the window lies (scale and origin) to text known to be on the line.
#include <algorithm>
#include <cmath>

#include "check/status_reader.h"

namespace {

constexpr double lowestScale = 0.72;
constexpr double highestScale = 2.1;

// The first glyph's ink box in window pixels (inclusive).
struct InkBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

InkBox firstInk(const std::string& text) {
    const GlyphInk& glyph = glyphInk(static_cast<unsigned char>(text[0]));
    InkBox box{glyph.width, glyph.rows, -1, -1};
    for (int y = 0; y < glyph.rows; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            if (!glyph.ink[static_cast<size_t>(y * glyph.width + x)])
                continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    const int x0 = statusLineX + glyph.left, y0 = glyph.top;
    return {x0 + box.left, y0 + box.top, x0 + box.right, y0 + box.bottom};
}

// Keeps the first glyph's ink where the candidate's box put it.
void anchor(LineModel& model, double scale, double inkLeft, double inkBottom, const InkBox& ink) {
    model.scale = scale;
    model.originX = inkLeft - scale * ink.left;
    model.originY = inkBottom - scale * (ink.bottom + 1);
}

double costAt(const PictureChannels& channels, LineModel model, const std::string& text) {
    if (model.scale < lowestScale || model.scale > highestScale)
        return 1e300;
    return textFit(channels, model, text, true).cost;
}

// Pattern search from the model: each of scale, x and y a step either way,
// the steps halved when no move helps.
void refine(const PictureChannels& channels, LineModel& model, const std::string& text,
            double scaleStep, double shiftStep) {
    double best = costAt(channels, model, text);
    double relative = scaleStep;
    double shift = shiftStep;
    for (int evaluations = 0; relative > 0.00002 && evaluations < 400;) {
        bool moved = false;
        for (int axis = 0; axis < 3; ++axis) {
            for (int sign = -1; sign <= 1; sign += 2) {
                LineModel trial = model;
                if (axis == 0) {
                    // About the line's middle, so that scale and shift stay apart.
                    const double middle = statusLineX + textAdvance(text) / 2.0;
                    trial.scale = model.scale * (1 + sign * relative);
                    trial.originX += (model.scale - trial.scale) * middle;
                    trial.originY += (model.scale - trial.scale) * statusLineY;
                } else if (axis == 1) {
                    trial.originX += sign * shift;
                } else {
                    trial.originY += sign * shift;
                }
                const double cost = costAt(channels, trial, text);
                ++evaluations;
                if (cost < best) {
                    best = cost;
                    model = trial;
                    moved = true;
                    break;
                }
            }
        }
        if (!moved) {
            relative /= 2;
            shift /= 2;
        }
    }
}

}  // namespace

LineModel candidateModel(const LineCandidate& candidate, const std::string& text) {
    const InkBox ink = firstInk(text);
    LineModel model;
    const double scale =
        static_cast<double>(candidate.bottom - candidate.top + 1) / (ink.bottom - ink.top + 1);
    anchor(model, std::clamp(scale, lowestScale, highestScale), candidate.left,
           candidate.bottom + 1, ink);
    return model;
}

namespace {

// The text's look and the noise at the found place, sharp or with JPEG's
// colour blur, whichever explains the redness better; then a last refinement.
double finish(const PictureChannels& channels, LineModel& model, const std::string& text) {
    TextFit fit;
    double sharpError = 0;
    for (bool blurred : {false, true}) {
        LineModel trial = model;
        trial.colourBlurred = blurred;
        const TextFit trialFit = textFit(channels, trial, text, true);
        if (!blurred)
            sharpError = trialFit.rednessError;
        if (!blurred || trialFit.rednessError < sharpError) {
            model = trial;
            fit = trialFit;
        }
    }
    if (fit.pixels <= 0)
        return 0;
    model.rednessNoise = std::max(6.0, std::sqrt(fit.rednessError / fit.pixels));
    model.brightnessNoise = std::max(3.0, std::sqrt(fit.brightnessError / fit.pixels));
    refine(channels, model, text, 0.0005, 0.1);
    fit = textFit(channels, model, text, true);
    return fit.blankRedness > 0 ? std::max(0.0, 1 - fit.rednessError / fit.blankRedness) : 0;
}

}  // namespace

double fitLine(const PictureChannels& channels, LineModel& model, const std::string& text,
               bool wide, std::vector<LineModel>* others) {
    if (!wide) {
        refine(channels, model, text, 0.002, 0.25);
        return finish(channels, model, text);
    }
    // The first three glyphs over the whole range of scales, on a fine grid,
    // each with small shifts of the anchor: the box's height can mislead (a red
    // actor touching the line), its left and its bottom or top less so.
    const InkBox ink = firstInk(text);
    const double inkLeft = model.originX + model.scale * ink.left;
    const double inkTop = model.originY + model.scale * ink.top;
    const double inkBottom = model.originY + model.scale * (ink.bottom + 1);
    const std::string head = text.substr(0, 3);
    struct Trial {
        double cost;
        LineModel model;
    };
    std::vector<Trial> trials;
    for (double scale = lowestScale; scale <= highestScale; scale *= 1.012) {
        Trial best{1e300, model};
        for (int end = 0; end < 2; ++end) {
            const double bottom =
                end == 0 ? inkBottom : inkTop + scale * (ink.bottom + 1 - ink.top);
            for (double dx = -0.8; dx <= 0.9; dx += 0.8) {
                for (double dy = -0.8; dy <= 0.9; dy += 0.8) {
                    LineModel trial = model;
                    anchor(trial, scale, inkLeft + dx, bottom + dy, ink);
                    const double cost = costAt(channels, trial, head);
                    if (cost < best.cost)
                        best = {cost, trial};
                }
            }
        }
        // Ranked by the whole text at the head's best place.
        best.cost = costAt(channels, best.model, text);
        trials.push_back(best);
    }
    // The few best local minima, each refined.
    std::vector<Trial> minima;
    for (size_t i = 0; i < trials.size(); ++i) {
        const bool left = i == 0 || trials[i - 1].cost >= trials[i].cost;
        const bool right = i + 1 == trials.size() || trials[i + 1].cost > trials[i].cost;
        if (left && right)
            minima.push_back(trials[i]);
    }
    std::sort(minima.begin(), minima.end(),
              [](const Trial& a, const Trial& b) { return a.cost < b.cost; });
    if (minima.size() > 4)
        minima.resize(4);
    for (Trial& minimum : minima) {
        refine(channels, minimum.model, text, 0.006, 0.5);
        minimum.cost = costAt(channels, minimum.model, text);
    }
    // Beside the best, a scale a little off can fit the prefix as well while
    // misplacing the glyphs beyond it: refine from either side of it too.
    if (others != nullptr && !minima.empty()) {
        const LineModel best =
            std::min_element(minima.begin(), minima.end(), [](const Trial& a, const Trial& b) {
                return a.cost < b.cost;
            })->model;
        const double middle = statusLineX + textAdvance(text) / 2.0;
        for (double factor : {0.99, 0.995, 1.005, 1.01}) {
            Trial trial{0, best};
            trial.model.scale = best.scale * factor;
            trial.model.originX += (best.scale - trial.model.scale) * middle;
            trial.model.originY += (best.scale - trial.model.scale) * statusLineY;
            refine(channels, trial.model, text, 0.002, 0.25);
            trial.cost = costAt(channels, trial.model, text);
            minima.push_back(trial);
        }
    }
    std::sort(minima.begin(), minima.end(),
              [](const Trial& a, const Trial& b) { return a.cost < b.cost; });
    if (minima.empty())
        return 0;
    model = minima[0].model;
    const double quality = finish(channels, model, text);
    // Other places nearly as good, which a reading of the whole line may prefer.
    for (size_t i = 1; others != nullptr && i < minima.size(); ++i) {
        LineModel other = minima[i].model;
        bool apart = std::fabs(other.scale / model.scale - 1) > 0.002 ||
                     std::fabs(other.originX - model.originX) > 0.5 ||
                     std::fabs(other.originY - model.originY) > 0.5;
        for (const LineModel& listed : *others)
            apart = apart && (std::fabs(other.scale / listed.scale - 1) > 0.002 ||
                              std::fabs(other.originX - listed.originX) > 0.5 ||
                              std::fabs(other.originY - listed.originY) > 0.5);
        if (apart && minima[i].cost < 1.2 * minima[0].cost) {
            finish(channels, other, text);
            others->push_back(other);
        }
    }
    return quality;
}
