"""web_font.py FREEGLUT-SOURCE OUT: turns freeglut's Helvetica 18 bitmap font
(src/fg_font_data.c) into data: OUT.js, a JavaScript library for the browser
build, where glutBitmapCharacter draws the status line from it, or OUT.cpp, the
table the report checker reads status lines with (check/bitmap_font.h)."""

import re
import sys


def read_font(source):
    """The font as (height, xorig, yorig, glyphs, index): glyphs are freeglut's
    faces (the width, then the rows bottom to top, each row's bytes most
    significant bit first), each once; index gives each character's glyph."""
    with open(f"{source}/src/fg_font_data.c", encoding="latin-1") as f:
        text = f.read()
    faces = {name: [int(v) for v in body.split(",") if v.strip()]
             for name, body in re.findall(
                 r"static const GLubyte (Helvetica18_Character_\d+)\[\] = \{([^}]*)\};", text)}
    names = re.search(r"Helvetica18_Character_Map\[\] = \{([^}]*)\};", text).group(1)
    names = [n.strip() for n in names.split(",") if n.strip() and n.strip() != "NULL"]
    font = re.search(r"SFG_Font fgFontHelvetica18 = \{ \"[^\"]*\", (\d+), (\d+), "
                     r"Helvetica18_Character_Map, (-?\d+), (-?\d+) \};", text)
    quantity, height, xorig, yorig = map(int, font.groups())
    unique = sorted(set(names))
    return (height, xorig, yorig, [faces[n] for n in unique],
            [unique.index(n) for n in names[:quantity]])


def write_js(out, origin, height, xorig, yorig, glyphs, index):
    listed = ",\n    ".join(str(g).replace(" ", "") for g in glyphs)
    with open(out, "w") as f:
        f.write(f"""// freeglut's GLUT_BITMAP_HELVETICA_18, made by tools/web_font.py from {origin}.
// Each glyph: its width (the raster advance), then {height} rows bottom to top.
mergeInto(LibraryManager.library, {{
  $cgdemoHelvetica18: {{
    height: {height}, xorig: {xorig}, yorig: {yorig},
    glyphOf: [{",".join(map(str, index))}],
    glyphs: [
    {listed}]
  }}
}});
""")


def write_cpp(out, origin, height, xorig, yorig, glyphs, index):
    listed = ",\n".join("    {" + ",".join(map(str, g)) + "}" for g in glyphs)
    longest = max(len(g) for g in glyphs)
    with open(out, "w") as f:
        f.write(f"""// freeglut's GLUT_BITMAP_HELVETICA_18, made by tools/web_font.py from {origin}.
#include "check/bitmap_font.h"

namespace {{

// Each glyph: its width (the raster advance), then {height} rows bottom to top.
const unsigned char glyphs[][{longest}] = {{
{listed}}};

const unsigned char glyphOf[256] = {{{",".join(map(str, index))}}};

const unsigned char* faceOf(int character) {{
    return glyphs[glyphOf[character]];
}}

}}  // namespace

const BitmapFont helvetica18 = {{{height}, {xorig}, {yorig}, faceOf}};
""")


def main(source, out):
    origin = source.rstrip('/').split('/')[-1]
    # OUT may carry a ".part" suffix while it is being written.
    name = out[:-len(".part")] if out.endswith(".part") else out
    write = write_cpp if name.endswith(".cpp") else write_js
    write(out, origin, *read_font(source))


if __name__ == "__main__":
    main(*sys.argv[1:3])
