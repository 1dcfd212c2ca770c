// The parts of the status-line reader: the font as the window shows it, the
// picture's colour measures, where lines may stand, the rendering of glyphs at a
// trial geometry, their cost against the picture, and the reading itself.
#pragma once

#include <string>
#include <vector>

#include "check/check.h"

// The status line's place in the window: the raster position of its first
// glyph, in window pixels with y growing downward.
constexpr int statusLineX = 8;
constexpr int statusLineY = 26;
constexpr int windowSide = 640;

// One glyph as glutBitmapCharacter puts it into the window: a cell of
// width (the raster advance) x rows pixels whose top row is window row top and
// whose first column lies left columns right of the raster position,
// ink[row * width + column] 1 where the glyph sets the pixel.
struct GlyphInk {
    int width = 0;
    int rows = 0;
    int top = 0;
    int left = 0;
    std::vector<unsigned char> ink;
    // The box of the set pixels within the cell, [inkLeft, inkRight) x
    // [inkTop, inkBottom); empty (inkRight 0) for a blank glyph.
    int inkLeft = 0, inkRight = 0, inkTop = 0, inkBottom = 0;
};

// The glyph of a character (0-255) drawn at statusLineY; characters the font
// has no glyph for get its empty one, as freeglut draws them.
const GlyphInk& glyphInk(unsigned char character);

// The sum of the glyphs' widths: how far the raster position moves for text.
int textAdvance(const std::string& text);

// The status line as the window shows it: width x height values, 1 where the
// text sets a pixel, rows top to bottom.
std::vector<unsigned char> statusLineInk(const std::string& text, int width, int height);

// Per pixel of a picture, rows top to bottom: redness, red minus the larger
// of green and blue (the line's pure red keeps it high through JPEG's colour
// subsampling), and brightness (0.299 R + 0.587 G + 0.114 B, which JPEG keeps sharp).
struct PictureChannels {
    int width = 0;
    int height = 0;
    std::vector<float> redness;
    std::vector<float> brightness;
    // Only in a band: sums over [0, x) x [0, y) at y * (width + 1) + x of
    // redness, its square, brightness and its square.
    std::vector<double> rednessSums, rednessSquareSums, brightnessSums, brightnessSquareSums;
};

PictureChannels pictureChannels(const Picture& picture);

// Rows [top, bottom) of the channels (clipped to them), with the sums: where
// a line's cells are fitted, picture row top becoming row 0.
PictureChannels channelBand(const PictureChannels& channels, int top, int bottom);

// Where a status line may start: the picture box (inclusive bounds) of the
// first red mark of a run, which is the first glyph's ink or glyphs run
// together, and the right end of the run.
struct LineCandidate {
    int left = 0;
    int top = 0;
    int bottom = 0;
    int right = 0;
    int marks = 0;  // how many red marks the run holds
};

// The runs of red marks that look like a line of text, most marks first, at
// most limit of them. Cheap: thresholds and connected regions, no fitting.
std::vector<LineCandidate> lineCandidates(const PictureChannels& channels, int limit);

// How the window lies in the picture (picture = origin + scale * window), how
// the text looks there (its redness and brightness at full cover, the pixel
// noise of each measure), and whether colour is blurred as JPEG blurs it.
struct LineModel {
    double scale = 1;
    double originX = 0;
    double originY = 0;
    double textRedness = 255;
    double textBrightness = 76;
    double rednessNoise = 20;
    double brightnessNoise = 10;
    bool colourBlurred = false;
};

// The cover of picture pixels by one cell of the line: window columns
// [pen, windowRight) of the glyph's rows (plus two rows above and below for
// the background), resampled to the picture as a shrinking resampler (area
// average) or an enlarging one (bilinear) would. The cell holds the picture
// pixels [left, left + width) x [top, top + height) that take their value from
// its window pixels alone, clipped to the picture; cover and, when the model's
// colour is blurred, blurredCover (the same through JPEG's colour blur) row by row.
struct CellCover {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // The cover is 0 outside [inkLeft, inkLeft + inkWidth) x [inkTop, inkTop +
    // inkHeight) (picture pixels, within the cell); the arrays hold that part.
    int inkLeft = 0, inkTop = 0, inkWidth = 0, inkHeight = 0;
    std::vector<float> cover;
    std::vector<float> blurredCover;
};

// The cell of glyph (nullptr: a blank cell) whose raster position is window
// column pen, spanning window columns [pen, windowRight).
CellCover cellCover(const LineModel& model, const GlyphInk* glyph, int pen, int windowRight,
                    int pictureWidth, int pictureHeight);

// Sums of one measure over one cell, cover k and observed value o per pixel,
// for the least-squares fit value = background * (1 - k) + text * k with the
// cell's own background.
struct MeasureSums {
    double n = 0, o = 0, oo = 0, k = 0, kk = 0, ko = 0;
    // The squared error left with this text value.
    double error(double text) const;
    // The squared error of the background alone (no text).
    double blankError() const;
    // What text of this value over the cell's fitted background adds to the
    // squared error of the background alone where the cover lies: how much a
    // glyph that is really there explains.
    double textGain(double text) const;
    // This cell's share of the best text value common to several cells:
    // text = sum of numerators / sum of denominators.
    double textNumerator() const;
    double textDenominator() const;
};

// One cell against the picture: redness (with the blurred cover when the
// model's colour is blurred) and brightness.
struct CellFit {
    MeasureSums redness;
    MeasureSums brightness;
};

// The channels must be a band (channelBand).
CellFit cellFit(const PictureChannels& channels, const LineModel& model, const CellCover& cell);

// The cost of a fit: its errors in units of the model's noise.
double cellCost(const LineModel& model, const CellFit& fit);

// The text's fit as one line from statusLineX: the sum of its cells' fits
// (textRedness/textBrightness set to the best common values when fitText).
struct TextFit {
    double cost = 0;
    double rednessError = 0;
    double brightnessError = 0;
    double blankRedness = 0;
    double pixels = 0;
};

// The channels must be a band (channelBand).
TextFit textFit(const PictureChannels& channels, LineModel& model, const std::string& text,
                bool fitText);

// Fits scale and origin to known text (the line's first characters or the
// whole reading) from the model's start, searching the scale continuously over
// the whole range the reader takes (wide: a coarse search first, anchored on
// where the start puts the first glyph; otherwise a refinement); sets text
// values, noise and colour blur too. With others, a wide search also looks
// beside the best place (a scale a little off can fit a short text as well)
// and gives the other places it found nearly as good. Returns the fraction of redness
// variance the text explains at the place chosen (0 to 1). Channels: a band.
double fitLine(const PictureChannels& channels, LineModel& model, const std::string& text,
               bool wide, std::vector<LineModel>* others = nullptr);

// The model a candidate's box suggests for a line starting with text.
LineModel candidateModel(const LineCandidate& candidate, const std::string& text);

// What may follow a form's prefix, as states of an automaton: state 0 first;
// edges[state] the characters that may come next with the state after them;
// accepting[state] when the line may end there. The id form takes printable
// ASCII characters, a space neither first nor last (readRest keeps to
// longestId); the selection form takes its numbers in their ranges, without
// leading zeros, and the catalogue's 38 models.
struct Grammar {
    struct Edge {
        unsigned char character;
        int next;
    };
    std::vector<std::vector<Edge>> edges;
    std::vector<bool> accepting;
};

const Grammar& formGrammar(ReadingKind form);

// The prefix each form's line starts with.
const char* formPrefix(ReadingKind form);

// The longest ID the status line can show.
constexpr int longestId = 51;

// A reading of the line's rest after a known prefix, by the form's grammar.
struct LineReading {
    bool readable = false;
    std::string text;       // the prefix's rest as read, I/l classes as "[Il]"
    std::string plainText;  // the best reading, each class decided (also when unreadable)
    int end = 0;            // the window column where the best reading ends
};

// Reads the characters after prefix up to window column lineEnd, cell by cell
// left to right with the glyphs' advances, by the grammar of the id or the
// selection form; readable only when every other reading costs clearly more
// (readings that differ only by I and l changing places give the classes) and
// every glyph fits its cell. Channels: a band.
LineReading readRest(const PictureChannels& channels, const LineModel& model, ReadingKind form,
                     const std::string& prefix, int lineEnd);
