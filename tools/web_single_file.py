"""web_single_file.py PAGE.html TEXTURE.bmp: puts the texture into the
single-file page, gzip-compressed and in base64, as the text of the page's
texture element (the page unpacks it with the browser's DecompressionStream).
The page is rewritten in place; exit status 1 names a page without the element."""

import base64
import gzip
import os
import sys

ELEMENT = '<script id="texture" type="text/plain">'


def main(page, texture):
    with open(page, encoding="utf-8") as f:
        html = f.read()
    start = html.find(ELEMENT)
    end = html.find("</script>", start)
    if start < 0 or end < 0:
        sys.exit(f"{page}: no texture element {ELEMENT!r} in the page")
    start += len(ELEMENT)
    with open(texture, "rb") as f:
        # mtime 0: the same texture makes the same page.
        data = base64.b64encode(gzip.compress(f.read(), 9, mtime=0)).decode("ascii")
    with open(page + ".part", "w", encoding="utf-8") as f:
        f.write(html[:start] + data + html[end:])
    os.replace(page + ".part", page)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: web_single_file.py PAGE.html TEXTURE.bmp")
    main(*sys.argv[1:])
