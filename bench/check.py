"""Benchmark (not a test): how long cgdemo-check takes for a class's reports.

    /usr/bin/python3 bench/check.py BUILD-DIR     (`make bench` runs it; needs python3-pil,
                                                   python3-docx and img2pdf)

Makes 100 reports of one to three pictures each from BUILD-DIR/cgdemo-sheet's
frames (PDF, DOCX and plain PNG files in turn, some pictures at 125 %) in one
zip with a roster, and one 1920 x 1080 desktop screenshot with the window on
it; times BUILD-DIR/cgdemo-check on each, the median of three runs, and prints
the figures with how the pictures were read.
"""

import collections
import io
import os
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

import docx
import img2pdf
from docx.shared import Cm
from PIL import Image

RUNS = 3
REPORTS = 100
STUDENTS = 20


def time_check(binary, arguments, cwd):
    """(median seconds of RUNS runs, the last run's standard output)."""
    times = []
    for _ in range(RUNS):
        started = time.monotonic()
        result = subprocess.run([binary, *arguments], cwd=cwd, capture_output=True, text=True,
                                timeout=1200)
        times.append(time.monotonic() - started)
        if result.returncode not in (0, 1):
            sys.exit(f"cgdemo-check ended with status {result.returncode}: {result.stderr}")
    return statistics.median(times), times, result.stdout


def png_bytes(picture):
    out = io.BytesIO()
    picture.save(out, "PNG")
    return out.getvalue()


def report(kind, pictures):
    """(file name, bytes) of a report holding the pictures."""
    if kind == 0:
        return "report.pdf", img2pdf.convert([png_bytes(p) for p in pictures])
    if kind == 1:
        document = docx.Document()
        for picture in pictures:
            document.add_paragraph("Screenshot")
            document.add_picture(io.BytesIO(png_bytes(picture)), width=Cm(12))
        out = io.BytesIO()
        document.save(out)
        return "report.docx", out.getvalue()
    return None, None


def summary(output):
    counts = collections.Counter(line.split("\t")[1] for line in output.splitlines())
    return ", ".join(f"{counts[kind]} {kind}" for kind in ("id", "selection", "unreadable", "none"))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: bench/check.py BUILD-DIR")
    build = os.path.abspath(sys.argv[1])
    check = os.path.join(build, "cgdemo-check")
    ids = [f"24T1{1000 + 7 * n:04d}" for n in range(STUDENTS)]
    with tempfile.TemporaryDirectory(prefix="cgdemo-bench-check-") as folder:
        subprocess.run([os.path.join(build, "cgdemo-sheet"), "--out", "frames", *ids], cwd=folder,
                       check=True, capture_output=True, timeout=600)
        frames = [Image.open(os.path.join(folder, "frames", f"{i}.png")).convert("RGB")
                  for i in ids]
        with open(os.path.join(folder, "class.csv"), "w") as f:
            f.write("student_id,login_name\n" + "".join(f"{i},s{n:03d}\n"
                                                        for n, i in enumerate(ids)))
        pictures = 0
        with zipfile.ZipFile(os.path.join(folder, "all.zip"), "w") as archive:
            for n in range(REPORTS):
                frame = frames[n % STUDENTS]
                chosen = [frame if k % 2 == 0 else frame.resize((800, 800), Image.BILINEAR)
                          for k in range(1 + n % 3)]
                pictures += len(chosen)
                student = f"s{n % STUDENTS:03d}_report{n:03d}"
                name, content = report(n % 3, chosen)
                if name is None:
                    for k, picture in enumerate(chosen):
                        archive.writestr(f"{student}/shot{k}.png", png_bytes(picture))
                else:
                    archive.writestr(f"{student}/{name}", content)
        desktop = Image.new("RGB", (1920, 1080), (40, 60, 90))
        desktop.paste((220, 220, 220), (596, 270, 1244, 948))
        desktop.paste(frames[0], (600, 300))
        desktop.save(os.path.join(folder, "desktop.png"))

        whole, whole_runs, output = time_check(check, ["--roster", "class.csv", "all.zip"], folder)
        page, page_runs, _ = time_check(check, ["--roster", "class.csv", "--out", "page",
                                                "all.zip"], folder)
        single, single_runs, single_output = time_check(check, ["desktop.png"], folder)
    runs = lambda values: ", ".join(f"{t:.2f}" for t in values)  # noqa: E731
    print(f"{REPORTS} reports, {pictures} pictures:     {whole:7.2f} s "
          f"(median of {RUNS}; {runs(whole_runs)}); {1000 * whole / pictures:.0f} ms a picture")
    print(f"  read as: {summary(output)}")
    print(f"the same with --out (page, cards): {page:7.2f} s (median of {RUNS}; {runs(page_runs)})")
    print(f"one 1920 x 1080 desktop picture: {single:7.2f} s (median of {RUNS}; "
          f"{runs(single_runs)}); read as: {summary(single_output)}")


if __name__ == "__main__":
    main()
