"""Writes the fuzzers' seed corpora: tiny bitmaps of every layout the loader
knows (and a few it refuses), a handful of typed student IDs and class
rosters, and the report checker's pictures and documents.

    /usr/bin/python3 tests/fuzz/make_corpus.py   # rewrites tests/fuzz/corpus/ (needs python3-pil)
"""

import io
import os
import shutil
import struct
import zipfile
import zlib

from PIL import Image

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def bitmap(width, height, bits, rows, info_size=40, colors_used=0, palette=b"", offset=None,
           compression=0):
    """A bitmap file: file header, info header padded to info_size, palette and
    the rows as given (padding included)."""
    pixels = b"".join(rows)
    if offset is None:
        offset = 14 + info_size + len(palette)
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bits, compression,
                       len(pixels), 2835, 2835, colors_used, 0)
    body = info + bytes(info_size - len(info)) + palette
    body += bytes(max(0, offset - 14 - len(body)))
    header = struct.pack("<2sIHHI", b"BM", 14 + len(body) + len(pixels), 0, 0, offset)
    return header + body + pixels


def padded(row):
    return row + bytes((4 - len(row) % 4) % 4)


def rows24(width, height):
    """Rows of distinct blue-green-red pixels."""
    return [padded(b"".join(bytes((40 * x % 256, 60 * y % 256, 200 - 10 * x % 200))
                            for x in range(width)))
            for y in range(abs(height))]


def rows8(width, height, entries):
    return [padded(bytes((x + y) % entries for x in range(width))) for y in range(abs(height))]


def palette(entries):
    return b"".join(bytes((i, 255 - i, i // 2, 0)) for i in range(entries))


BITMAPS = {
    "24bit_1x1.bmp": bitmap(1, 1, 24, rows24(1, 1)),
    "24bit_2x2.bmp": bitmap(2, 2, 24, rows24(2, 2)),
    "24bit_5x3.bmp": bitmap(5, 3, 24, rows24(5, 3)),
    "24bit_4x2_top_down.bmp": bitmap(4, -2, 24, rows24(4, -2)),
    "24bit_3x2_v5_header.bmp": bitmap(3, 2, 24, rows24(3, 2), info_size=124),
    "24bit_2x1_gap_before_rows.bmp": bitmap(2, 1, 24, rows24(2, 1), info_size=108,
                                            offset=14 + 108 + 10),
    "8bit_3x2_full_palette.bmp": bitmap(3, 2, 8, rows8(3, 2, 256), palette=palette(256)),
    "8bit_5x2_two_colours.bmp": bitmap(5, 2, 8, rows8(5, 2, 4), colors_used=2,
                                       palette=palette(2)),
    "24bit_2x2_rows_cut_short.bmp": bitmap(2, 2, 24, rows24(2, 2))[:-5],
    "32bit_1x1.bmp": bitmap(1, 1, 32, [bytes(4)]),
    "24bit_rle.bmp": bitmap(1, 1, 24, rows24(1, 1), compression=1),
    "headers_only.bmp": bitmap(16384, 16384, 24, []),
}

STUDENT_IDS = {
    "digits": "12345678",
    "mixed_case": "ab12CD9z",
    "zero": "jJtT0000",
    "stops_at_symbol": "1234567!",
    "leading_symbol": "!2345678",
    "negative": "-1234567",
    "plus": "+1234567",
    "leading_space": " 1234567",
    "seven": "1234567",
    "nine": "123456789",
    "high_bytes": "\xe3\x81\x82123456",
}

ROSTERS = {
    "spreadsheet.csv": "\ufeffname,seed,login_name,student_id\r\n"
                       "\"Yamada, Taro\r\n(\u5c71\u7530)\",17,taro,CG-0001\r\n"
                       "\"Ann \"\"A\"\"\",,ann,ab12CD9z\r\n\r\n,,,\r\n",
    "plain.csv": "student_id,login_name\n12345678,a\nABCDEFGH,b",
    "seed_bounds.csv": "login_name,student_id,seed\rlow,x,0\rhigh,y,2147483647\r",
    "twice.csv": "student_id,login_name\n12345678,a\n12345679,a\n",
    "guest.csv": "student_id,login_name,seed\nx,guest,1\n",
    "unclosed.csv": "student_id,login_name\n\"12345678,a\n",
    "no_prompt_seed.csv": "student_id,login_name,seed\nCG-2026-0001,a,\n",
    # An office's export: Shift_JIS, Japanese headers, full-width IDs and logins.
    "office_shift_jis.csv": "学籍番号,氏名,ﾛｸﾞｲﾝ名\r\n２４Ｔ１１０９９,髙田 花子,ｔａｋａｄａ\r\n"
                            "24T11100,,\r\n".encode("cp932"),
}


def png(width, height, colour_type=2, depth=8, interlace=0, claimed=None):
    """A PNG file of distinct pixels; claimed (width, height) overrides the header's sizes."""
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    row_bytes = (width * channels * depth + 7) // 8
    raw = b"".join(b"\x00" + bytes((7 * x + 11 * y) % 256 for x in range(row_bytes))
                   for y in range(height))
    header_width, header_height = claimed or (width, height)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data))

    palette = chunk(b"PLTE", bytes(range(48))) if colour_type == 3 else b""
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(
        ">IIBBBBB", header_width, header_height, depth, colour_type, 0, 0, interlace))
        + palette + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def encoded(kind, **options):
    picture = Image.new("RGB", (12, 8))
    picture.putdata([(20 * x, 30 * y, 200) for y in range(8) for x in range(12)])
    out = io.BytesIO()
    picture.save(out, kind, **options)
    return out.getvalue()


PICTURES = {
    "rgb.png": png(5, 3),
    "grey16_interlaced.png": png(4, 4, colour_type=0, depth=16, interlace=1),
    "palette.png": png(6, 2, colour_type=3, depth=4),
    "rgba.png": png(3, 3, colour_type=6),
    "claims_huge.png": png(2, 2, claimed=(100000, 100000)),
    "baseline.jpg": encoded("JPEG", quality=75),
    "progressive.jpg": encoded("JPEG", quality=50, progressive=True),
    "lossy.webp": encoded("WEBP", quality=75),
    "lossless.webp": encoded("WEBP", lossless=True),
    "24bit.bmp": BITMAPS["24bit_5x3.bmp"],
    "text.png": b"not a picture at all\n",
}


def pdf(image_width, image_height, pixels):
    """A one-page PDF showing one uncompressed RGB image XObject."""
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] "
        b"/Resources << /XObject << /Im1 4 0 R >> >> /Contents 5 0 R >>",
        b"<< /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceRGB "
        b"/BitsPerComponent 8 /Length %d >>\nstream\n" % (image_width, image_height, len(pixels))
        + pixels + b"\nendstream",
        b"<< /Length 31 >>\nstream\nq 80 0 0 80 10 10 cm /Im1 Do Q\nendstream",
    ]
    out = b"%PDF-1.4\n"
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += b"".join(b"%010d 00000 n \n" % offset for offset in offsets)
    return out + b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, xref)


def zipped(members, compression=zipfile.ZIP_DEFLATED):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", compression) as archive:
        for name, content in members.items():
            archive.writestr(name, content)
    return out.getvalue()


DOCX_TEXT = (b'<w:document xmlns:w="w" xmlns:a="a" xmlns:r="r"><w:body>'
             b'<a:blip r:embed="rId9"/><a:blip r:embed="rId8"/></w:body></w:document>')
DOCX_RELATIONSHIPS = (b'<Relationships><Relationship Id="rId8" Type="image" '
                      b'Target="media/image1.png"/><Relationship Id="rId9" Type="image" '
                      b'Target="media/image2.jpg"/></Relationships>')

REPORTS = {
    "picture.png": PICTURES["rgb.png"],
    "one_image.pdf": pdf(4, 3, bytes(range(36))),
    "claims_huge_image.pdf": pdf(100000, 100000, bytes(36)),
    "damaged.pdf": pdf(4, 3, bytes(range(36)))[:150],
    "report.docx": zipped({"word/document.xml": DOCX_TEXT,
                           "word/_rels/document.xml.rels": DOCX_RELATIONSHIPS,
                           "word/media/image1.png": PICTURES["rgb.png"],
                           "word/media/image2.jpg": PICTURES["baseline.jpg"]}),
    "report.odt": zipped({"mimetype": b"application/vnd.oasis.opendocument.text",
                          "content.xml": b'<office:text><draw:image xlink:href="Pictures/a.png"/>'
                                         b'</office:text>',
                          "Pictures/a.png": PICTURES["rgba.png"]}),
    "submissions.zip": zipped({"tanaka/shot.png": PICTURES["rgb.png"],
                               "tanaka/notes.txt": b"text",
                               "suzuki/inner.zip": zipped({"x.webp": PICTURES["lossy.webp"]}),
                               "suzuki/report.pdf": pdf(4, 3, bytes(range(36)))},
                              zipfile.ZIP_STORED),
    "bomb.zip": zipped({"zeros.png": bytes(4 << 20)}),
    "nested.zip": zipped({"a.zip": zipped({"b.zip": zipped({"c.zip": zipped({
        "d.png": PICTURES["rgb.png"]})})})}),
}


def write(directory, files, mode):
    path = os.path.join(CORPUS, directory)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    for name, content in files.items():
        with open(os.path.join(path, name), mode) as f:
            f.write(content)


if __name__ == "__main__":
    write("bitmap", BITMAPS, "wb")
    write("student_id", {name: text.encode("latin-1") for name, text in STUDENT_IDS.items()},
          "wb")
    write("roster", {name: text if isinstance(text, bytes) else text.encode()
                     for name, text in ROSTERS.items()}, "wb")
    write("picture", PICTURES, "wb")
    write("report", REPORTS, "wb")
