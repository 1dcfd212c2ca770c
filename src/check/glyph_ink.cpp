// The status line's glyphs as freeglut's glutBitmapCharacter sets window pixels.
#include <algorithm>
#include <array>

#include "check/bitmap_font.h"
#include "check/status_reader.h"

namespace {

GlyphInk inkOfFace(const BitmapFont& font, const unsigned char* face) {
    GlyphInk glyph;
    glyph.width = face[0];
    glyph.rows = font.height;
    // Bitmap row j (bottom to top) lands on window row statusLineY + yorig - 1 - j.
    glyph.top = statusLineY + font.yorig - font.height;
    glyph.left = -font.xorig;
    glyph.ink.assign(static_cast<size_t>(glyph.width * glyph.rows), 0);
    const int rowBytes = (glyph.width + 7) / 8;
    for (int j = 0; j < font.height; ++j) {
        const unsigned char* row = face + 1 + j * rowBytes;
        const int y = font.height - 1 - j;
        for (int x = 0; x < glyph.width; ++x) {
            if ((row[x / 8] >> (7 - x % 8)) & 1)
                glyph.ink[static_cast<size_t>(y * glyph.width + x)] = 1;
        }
    }
    glyph.inkLeft = glyph.width;
    glyph.inkTop = glyph.rows;
    for (int y = 0; y < glyph.rows; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            if (!glyph.ink[static_cast<size_t>(y * glyph.width + x)])
                continue;
            glyph.inkLeft = std::min(glyph.inkLeft, x);
            glyph.inkRight = std::max(glyph.inkRight, x + 1);
            glyph.inkTop = std::min(glyph.inkTop, y);
            glyph.inkBottom = std::max(glyph.inkBottom, y + 1);
        }
    }
    if (glyph.inkRight == 0)
        glyph.inkLeft = glyph.inkTop = 0;
    return glyph;
}

}  // namespace

const GlyphInk& glyphInk(unsigned char character) {
    static const std::array<GlyphInk, 256> glyphs = [] {
        std::array<GlyphInk, 256> all;
        for (int c = 0; c < 256; ++c)
            all[static_cast<size_t>(c)] = inkOfFace(helvetica18, helvetica18.faceOf(c));
        return all;
    }();
    return glyphs[character];
}

int textAdvance(const std::string& text) {
    int advance = 0;
    for (unsigned char c : text)
        advance += glyphInk(c).width;
    return advance;
}

std::vector<unsigned char> statusLineInk(const std::string& text, int width, int height) {
    std::vector<unsigned char> line(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    int pen = statusLineX;
    for (unsigned char c : text) {
        const GlyphInk& glyph = glyphInk(c);
        for (int y = 0; y < glyph.rows; ++y) {
            for (int x = 0; x < glyph.width; ++x) {
                const int wx = pen + glyph.left + x;
                const int wy = glyph.top + y;
                if (wx >= 0 && wx < width && wy >= 0 && wy < height &&
                    glyph.ink[static_cast<size_t>(y * glyph.width + x)])
                    line[static_cast<size_t>(wy) * static_cast<size_t>(width) +
                         static_cast<size_t>(wx)] = 1;
            }
        }
        pen += glyph.width;
    }
    return line;
}
