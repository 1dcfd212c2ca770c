// Reading the line after its known prefix: the cheapest string the form's
// grammar allows, cell by cell with the glyphs' advances, and how clearly it wins.
#include <algorithm>
#include <cmath>
#include <limits>

#include "check/status_reader.h"

namespace {

constexpr double infinite = std::numeric_limits<double>::infinity();
// How much more (in noise units) every other reading must cost.
constexpr double clearMargin = 60;
// A glyph's cell that fits this badly per pixel is not the font's.
constexpr double worstCellFit = 8;
// ... unless it explains all but this share of the cell's variance.
constexpr double worstCellShare = 0.4;
// A glyph of at most smallGlyph pixels must explain this share of what its ink would.
constexpr int smallGlyph = 12;
constexpr double leastInkShare = 0.5;
constexpr int blankWidth = 5;

bool lookAlike(char a, char b) {
    return (a == 'I' && b == 'l') || (a == 'l' && b == 'I');
}

struct Reader {
    const PictureChannels& channels;
    const LineModel& model;
    int start, end;
    std::vector<double> cellCosts;  // per pen and character, NaN until needed

    int pens() const { return end - start + 1; }

    double cost(int pen, unsigned char c) {
        double& known = cellCosts[static_cast<size_t>(pen - start) * 256 + c];
        if (std::isnan(known)) {
            const GlyphInk& glyph = glyphInk(c);
            known = cellCost(model, cellFit(channels, model,
                                            cellCover(model, &glyph, pen, pen + glyph.width,
                                                      channels.width, channels.height)));
        }
        return known;
    }

    double blank(int pen, int right) {
        return cellCost(
            model, cellFit(channels, model,
                           cellCover(model, nullptr, pen, right, channels.width, channels.height)));
    }
};

// One step of a reading: at pen in state, the edge taken (-1: the line ends).
struct Step {
    int pen, state, edge;
};

}  // namespace

LineReading readRest(const PictureChannels& channels, const LineModel& model, ReadingKind form,
                     const std::string& prefix, int lineEnd) {
    const Grammar& grammar = formGrammar(form);
    Reader reader{channels, model, statusLineX + textAdvance(prefix), lineEnd, {}};
    LineReading reading;
    if (reader.end <= reader.start)
        return reading;
    const int pens = reader.pens();
    const int states = static_cast<int>(grammar.edges.size());
    reader.cellCosts.assign(static_cast<size_t>(pens) * 256,
                            std::numeric_limits<double>::quiet_NaN());
    auto at = [states, &reader](int pen, int state) {
        return static_cast<size_t>(pen - reader.start) * states + state;
    };

    // The blank rest of the line from each pen on.
    std::vector<double> tail(static_cast<size_t>(pens), 0);
    for (int pen = lineEnd - 1; pen >= reader.start; --pen) {
        const int right = std::min(pen + blankWidth, lineEnd);
        tail[static_cast<size_t>(pen - reader.start)] =
            reader.blank(pen, right) + tail[static_cast<size_t>(right - reader.start)];
    }
    // Cheapest completion from each pen and state, and cheapest way there.
    std::vector<double> after(static_cast<size_t>(pens) * states, infinite);
    std::vector<int> choice(after.size(), -2);
    for (int pen = lineEnd; pen >= reader.start; --pen) {
        for (int state = 0; state < states; ++state) {
            double& best = after[at(pen, state)];
            if (grammar.accepting[static_cast<size_t>(state)]) {
                best = tail[static_cast<size_t>(pen - reader.start)];
                choice[at(pen, state)] = -1;
            }
            const auto& edges = grammar.edges[static_cast<size_t>(state)];
            for (size_t e = 0; e < edges.size(); ++e) {
                const int next = pen + glyphInk(edges[e].character).width;
                if (next > lineEnd || after[at(next, edges[e].next)] == infinite)
                    continue;
                const double cost =
                    reader.cost(pen, edges[e].character) + after[at(next, edges[e].next)];
                if (cost < best) {
                    best = cost;
                    choice[at(pen, state)] = static_cast<int>(e);
                }
            }
        }
    }
    const double total = after[at(reader.start, 0)];
    if (total == infinite)
        return reading;
    auto follow = [&](int pen, int state, std::string& text, std::vector<Step>* steps) {
        while (true) {
            const int e = choice[at(pen, state)];
            if (steps != nullptr)
                steps->push_back({pen, state, e});
            if (e < 0)
                return;
            const Grammar::Edge& edge =
                grammar.edges[static_cast<size_t>(state)][static_cast<size_t>(e)];
            text += static_cast<char>(edge.character);
            pen += glyphInk(edge.character).width;
            state = edge.next;
        }
    };
    std::string best;
    std::vector<Step> path;
    follow(reader.start, 0, best, &path);
    reading.end = path.back().pen;
    // Kept also when the reading is not clear: its geometry can still be refitted on it.
    reading.plainText = best;

    // Every other reading leaves the best one at some step: the cheapest of
    // them is the best reading's cost there plus the other choice's.
    std::vector<bool> lookAlikeAt(best.size(), false);
    double spent = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const Step& step = path[i];
        const auto& edges = grammar.edges[static_cast<size_t>(step.state)];
        for (int e = -1; e < static_cast<int>(edges.size()); ++e) {
            if (e == step.edge || (e < 0 && !grammar.accepting[static_cast<size_t>(step.state)]))
                continue;
            double cost = spent;
            std::string other = best.substr(0, i);
            if (e < 0) {
                cost += tail[static_cast<size_t>(step.pen - reader.start)];
            } else {
                const Grammar::Edge& edge = edges[static_cast<size_t>(e)];
                const int next = step.pen + glyphInk(edge.character).width;
                if (next > lineEnd || after[at(next, edge.next)] == infinite)
                    continue;
                cost += reader.cost(step.pen, edge.character) + after[at(next, edge.next)];
                other += static_cast<char>(edge.character);
                follow(next, edge.next, other, nullptr);
            }
            if (cost - total >= clearMargin)
                continue;
            // Close only by I and l changing places: those become classes.
            bool alike = other.size() == best.size();
            for (size_t j = 0; alike && j < best.size(); ++j)
                alike = other[j] == best[j] || lookAlike(other[j], best[j]);
            if (!alike)
                return reading;
            for (size_t j = 0; j < best.size(); ++j)
                if (other[j] != best[j])
                    lookAlikeAt[j] = true;
        }
        if (step.edge >= 0) {
            const unsigned char c = edges[static_cast<size_t>(step.edge)].character;
            const GlyphInk& glyph = glyphInk(c);
            const CellFit fit = cellFit(channels, model,
                                        cellCover(model, &glyph, step.pen, step.pen + glyph.width,
                                                  channels.width, channels.height));
            // Where the grammar left a choice, the glyph must fit its cell,
            // judged against the cell's own background too (a floor's texture
            // leaves more than the prefix's noise where the glyph is right),
            // and a small glyph must explain about as much as its red ink over
            // that background would: a speck of texture may look like an
            // apostrophe or a dot.
            const double redNoise = model.rednessNoise * model.rednessNoise;
            const double brightNoise = model.brightnessNoise * model.brightnessNoise;
            const double blank =
                fit.redness.blankError() / redNoise + fit.brightness.blankError() / brightNoise;
            const double cost = cellCost(model, fit);
            const bool chosen =
                edges.size() > 1 || grammar.accepting[static_cast<size_t>(step.state)];
            if (chosen && cost > worstCellFit * fit.redness.n && cost > worstCellShare * blank)
                return reading;
            if (chosen && std::count(glyph.ink.begin(), glyph.ink.end(), 1) <= smallGlyph) {
                const double gain = fit.redness.textGain(model.textRedness) / redNoise +
                                    fit.brightness.textGain(model.textBrightness) / brightNoise;
                if (blank - cost < leastInkShare * gain)
                    return reading;
            }
            spent += reader.cost(step.pen, c);
        }
    }
    if (form == ReadingKind::id && best.size() > static_cast<size_t>(longestId))
        return reading;
    reading.readable = true;
    for (size_t j = 0; j < best.size(); ++j)
        reading.text += lookAlikeAt[j] ? std::string("[Il]") : std::string(1, best[j]);
    return reading;
}
