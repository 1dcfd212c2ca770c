"""Writes the fuzzers' seed corpora: tiny bitmaps of every layout the loader
knows (and a few it refuses), a handful of typed student IDs and class rosters.

    python3 tests/fuzz/make_corpus.py   # rewrites tests/fuzz/corpus/
"""

import os
import shutil
import struct

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
