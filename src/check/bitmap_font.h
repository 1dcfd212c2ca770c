// freeglut's 18-point Helvetica bitmap font as data, generated at build time
// from Debian's freeglut source (tools/web_font.py).
#pragma once

// A bitmap font as freeglut keeps it. faceOf(character), character 0-255:
// the glyph's width (its raster advance), then height rows bottom to top, each
// (width + 7) / 8 bytes, most significant bit first. glutBitmapCharacter draws
// a glyph with its lower left corner at the raster position minus (xorig, yorig).
struct BitmapFont {
    int height;
    int xorig;
    int yorig;
    const unsigned char* (*faceOf)(int character);
};

extern const BitmapFont helvetica18;
