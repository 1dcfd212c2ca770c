"""cgdemo-check on a course site's "download all submissions" zip made from the
program's own frames: every line of the contract, a classmate's ID, the same
screenshot handed in twice (and other screenshots of one scene that are not),
damaged and hostile files refused with the run going on, and the page in
headless Chromium with the mismatch first."""

import io
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

CHECK = os.environ.get("CGDEMO_CHECK_BINARY", "")
SHEET = os.environ.get("CGDEMO_SHEET_BINARY", "")

# login name, student ID, name; the folder of each report names the student.
ROSTER = "student_id,login_name,name\n24T11099,takada,髙田 花子\n24T11100,suzuki,Suzuki Jiro\n" \
         "ab12CD9z,tanaka,Tanaka Ichiro\n"
TYPED_ID = "12345678"  # not on the roster: the program's own screenshots below


def pdf_of(pictures):
    """A report PDF with a heading and the pictures (PIL images, embedded
    losslessly at their own size) shown 12 cm wide."""
    from reportlab.lib.utils import ImageReader
    from reportlab.pdfgen import canvas
    out = io.BytesIO()
    page = canvas.Canvas(out)
    page.drawString(72, 800, "Report 1")
    for n, picture in enumerate(pictures):
        page.drawImage(ImageReader(picture), 72, 430 - 380 * n, width=340, height=340 *
                       picture.height / picture.width)
    page.save()
    return out.getvalue()


def docx_of(paths):
    import docx
    from docx.shared import Cm
    document = docx.Document()
    document.add_paragraph("Report 1")
    for path in paths:
        document.add_picture(path, width=Cm(10))
    out = io.BytesIO()
    document.save(out)
    return out.getvalue()


def bomb():
    """A small zip that unpacks to 300 MB."""
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("zeros.png", bytes(300 << 20))
    return out.getvalue()


def huge_png():
    """A PNG header claiming 100 000 x 100 000 pixels, with one row of data."""
    import struct
    import zlib

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", 100000, 100000, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(64)))
            + chunk(b"IEND", b""))


class CheckTest(harness.ProgramTestCase):
    def setUp(self):
        super().setUp()
        for name, value in (("CGDEMO_CHECK_BINARY", CHECK), ("CGDEMO_SHEET_BINARY", SHEET)):
            if not value or not os.path.exists(value):
                self.skipTest(f"{name} is not set: run through `make test`")

    def program_screenshots(self):
        """Three screenshots of one scene from the real program: at the start,
        a second later (the actors have moved) and after a drag (the camera has turned)."""
        with harness.Program(self.directory, TYPED_ID + "\n") as program:
            program.wait_for_window()
            first = program.screenshot()
            time.sleep(1.0)
            later = program.screenshot()
            program.drag(1, (320, 400), (420, 400))
            turned = program.settle()
            self.assert_closes_cleanly(program)
        self.assertGreater(first.difference(later), 500, "the actors did not move in a second")
        return first, later, turned

    def test_a_class_zip(self):
        from PIL import Image
        frames = os.path.join(self.directory, "frames")
        result = subprocess.run([SHEET, "--out", frames, "24T11099", "24T11100", "ab12CD9z"],
                                cwd=self.directory, capture_output=True, text=True, timeout=120)
        self.assertEqual(result.returncode, 0, result.stderr)
        frame = {i: os.path.join(frames, f"{i}.png") for i in ("24T11099", "24T11100", "ab12CD9z")}
        shots = []
        for n, shot in enumerate(self.program_screenshots()):
            path = os.path.join(self.directory, f"shot{n}.png")
            shot.save_png(path)
            shots.append(path)

        takada = Image.open(frame["24T11099"]).convert("RGB")
        diagram = Image.new("RGB", (300, 200), "white")
        diagram.paste((0, 0, 0), (50, 50, 250, 150))
        zip_path = os.path.join(self.directory, "submissions.zip")
        with zipfile.ZipFile(zip_path, "w") as archive:
            # Takada's screenshot at 85 %, and a diagram.
            archive.writestr("takada_24T11099/report.pdf",
                             pdf_of([takada.resize((544, 544), Image.LANCZOS), diagram]))
            # Suzuki's own screenshot, then Takada's, recompressed as JPEG.
            copy = os.path.join(self.directory, "copy.jpg")
            takada.save(copy, quality=90)
            archive.writestr("suzuki_24T11100/report.docx", docx_of([frame["24T11100"], copy]))
            archive.write(frame["ab12CD9z"], "tanaka/shot.png")
            archive.writestr("tanaka/broken.pdf", pdf_of([diagram])[:900])
            archive.writestr("tanaka/huge.png", huge_png())
            archive.writestr("tanaka/notes.png", "my notes, not a picture\n")
            archive.writestr("bomb/bomb.zip", bomb())
            for n, name in enumerate(("first", "later", "turned")):
                archive.write(shots[n], f"extra/{name}.png")
        roster = os.path.join(self.directory, "class.csv")
        with open(roster, "w", encoding="utf-8") as f:
            f.write(ROSTER)
        before = sorted(os.listdir(self.directory))

        out = os.path.join(self.directory, "page")
        started = time.monotonic()
        result = subprocess.run([CHECK, "--roster", roster, "--out", out, "submissions.zip"],
                                cwd=self.directory, capture_output=True, text=True, timeout=240)
        elapsed = time.monotonic() - started
        z = "submissions.zip/"
        pdf, docx = z + "takada_24T11099/report.pdf", z + "suzuki_24T11100/report.docx"
        expected = [
            f"{z}extra/first.png\tid\t{TYPED_ID}\t\tunknown\t",
            f"{z}extra/later.png\tid\t{TYPED_ID}\t\tunknown\t",
            f"{z}extra/turned.png\tid\t{TYPED_ID}\t\tunknown\t",
            f"{docx}#1\tid\t24T11100\t24T11100\tmatch\t",
            f"{docx}#2\tid\t24T11099\t24T11100\tmismatch\t{pdf}#1",
            f"{pdf}#1\tid\t24T11099\t24T11099\tmatch\t{docx}#2",
            f"{pdf}#2\tnone\t\t24T11099\tunknown\t",
            f"{z}tanaka/shot.png\tid\tab12CD9z\tab12CD9z\tmatch\t",
        ]
        self.assertEqual(result.stdout.splitlines(), expected, result.stderr)
        self.assertEqual(result.returncode, 1, result.stderr)
        refused = sorted(result.stderr.splitlines())
        self.assertEqual(len(refused), 4, result.stderr)
        for line, start in zip(refused, (
                f"cgdemo-check: {z}bomb/bomb.zip/zeros.png: unpacks to more than",
                f"cgdemo-check: {z}tanaka/broken.pdf: damaged PDF",
                f"cgdemo-check: {z}tanaka/huge.png: the picture claims 100000 x 100000 pixels",
                f"cgdemo-check: {z}tanaka/notes.png: text, not a picture")):
            self.assertTrue(line.startswith(start), f"Expected {start!r}...\nObserved {line!r}")
        print(f"cgdemo-check read the class zip in {elapsed:.1f} s")
        self.assertEqual(sorted(os.listdir(self.directory)), sorted(before + ["page"]))

        # Each author's card is the sheet's picture of that student.
        card = harness.load_png(os.path.join(out, "cards", "24T11100.png"))
        self.assertEqual(card.rgb, harness.load_png(frame["24T11100"]).rgb)
        self.assert_page_lists_the_mismatch_first(os.path.join(out, "index.html"))

        # A PATH that is not there is a usage error.
        missing = subprocess.run([CHECK, "no-such.zip"], cwd=self.directory, capture_output=True,
                                 text=True, timeout=60)
        self.assertEqual((missing.returncode, missing.stdout), (2, ""))
        self.assertIn("no-such.zip: no such file or folder", missing.stderr)

    def assert_page_lists_the_mismatch_first(self, page):
        if shutil.which("chromium") is None or shutil.which("chromedriver") is None:
            self.skipTest("headless Chromium is not installed")
        import browser
        driver = browser.start_chromium()
        try:
            driver.get("file://" + page)
            rows = browser.wait_for_script(
                driver, "Array.from(document.querySelectorAll('tr[class]')).map(row => "
                "[row.className, row.cells[0].textContent, row.querySelector('.verdict') ? "
                "Array.from(row.querySelectorAll('.verdict')).map(v => v.textContent) : []])",
                "the page's rows")
            images = browser.wait_for_script(
                driver, "document.readyState == 'complete' && Array.from(document.images)"
                ".map(image => [image.className, image.naturalWidth])", "the page's pictures")
        finally:
            driver.quit()
        self.assertEqual(rows[0][:2], ["look", "submissions.zip/suzuki_24T11100/report.docx"],
                         rows)
        self.assertIn("mismatch", rows[0][2])
        self.assertEqual([row[0] for row in rows],
                         ["look", "look", "unreadable", "unreadable", "unreadable", "unreadable",
                          "rest", "rest", "rest", "rest"], rows)
        self.assertTrue(all(width > 0 for _, width in images), images)
        self.assertEqual(sorted({kind for kind, _ in images}), ["card", "crop"], images)


if __name__ == "__main__":
    unittest.main()
