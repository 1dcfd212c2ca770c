"""web_font.py FREEGLUT-SOURCE OUT.js: turns freeglut's Helvetica 18 bitmap font
(src/fg_font_data.c) into a JavaScript library for the browser build, where
glutBitmapCharacter draws the status line from it."""

import re
import sys


def main(source, out):
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
    glyphs = ",\n    ".join(str(faces[n]).replace(" ", "") for n in unique)
    index = ",".join(str(unique.index(n)) for n in names[:quantity])
    with open(out, "w") as f:
        f.write(f"""// freeglut's GLUT_BITMAP_HELVETICA_18, made by tools/web_font.py from {source.rstrip('/').split('/')[-1]}.
// Each glyph: its width (the raster advance), then {height} rows bottom to top.
mergeInto(LibraryManager.library, {{
  $cgdemoHelvetica18: {{
    height: {height}, xorig: {xorig}, yorig: {yorig},
    glyphOf: [{index}],
    glyphs: [
    {glyphs}]
  }}
}});
""")


if __name__ == "__main__":
    main(*sys.argv[1:3])
