"""cgdemo-sheet, the instructor's scene sheet: its pictures are the program's
own first frames, its lines the status line's selections, and it cleans up
after itself on every way out."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

SHEET = os.environ.get("CGDEMO_SHEET_BINARY", "")
FROZEN_CLOCK = os.environ.get("CGDEMO_FROZEN_CLOCK", "")

REFUSAL = "refused: " + harness.ID_MESSAGE
# The worked examples of the seed: 12345678 and ab12CD9z (read as 12123496).
LINES = {
    "12345678": "12345678\t12345678\tModel 10/38, Animation 3/7 1/3 1/12, Texture 7\t",
    "ab12CD9z": "ab12CD9z\t12123496\tModel 14/38, Animation 1/7 2/3 11/12, Texture 8\t",
    "00000038": "00000038\t38\tModel 0/38, Animation 4/7 3/3 9/12, Texture 12\t",
}
# 24T11099 in full-width letters and digits, and its seed (T counts as 0).
FULL_WIDTH_ID = "２４Ｔ１１０９９"
FULL_WIDTH_SEED = "24011099"


# A picture matches when hardly any pixel differs by more than a rounding step.
PIXEL_TOLERANCE = 24
MAX_DIFFERENT_PIXELS = 64


def process_running(pid):
    """Whether process pid exists and has not ended (a zombie has)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def differing_pixels(expected, observed):
    """(x, y, expected, observed) of the pixels that differ beyond the tolerance."""
    found = []
    for y in range(expected.height):
        for x in range(expected.width):
            a, b = expected.pixel(x, y), observed.pixel(x, y)
            if not harness.is_near(a, b, PIXEL_TOLERANCE):
                found.append((x, y, a, b))
    return found


class SheetTest(harness.ProgramTestCase):
    def setUp(self):
        super().setUp()
        if not SHEET or not os.path.exists(SHEET):
            self.skipTest("CGDEMO_SHEET_BINARY is not set: run through `make test`")
        self.out = os.path.join(self.directory, "out")

    def run_sheet(self, *arguments, environment=None, cwd=None):
        """Runs the sheet to its end; returns (status, stdout, stderr)."""
        result = subprocess.run(
            [SHEET, *arguments], cwd=cwd or self.directory, capture_output=True, text=True,
            env=dict(os.environ, **(environment or {})), timeout=120)
        return result.returncode, result.stdout, result.stderr

    def first_frame(self, student_id):
        """The real cgdemo's first frame for student_id typed at its prompt, with
        its clock held still. While the prompt waits there is no window, and
        keys typed then (what the scene's keys would take: all phases, no
        status line, the next tile and model) reach nothing."""
        with harness.Program(self.directory, None,
                             environment={"LD_PRELOAD": FROZEN_CLOCK}) as program:
            program.wait_for_stdout(harness.PROMPT)
            harness.xdotool("mousemove", 320, 320)
            harness.xdotool("type", "--delay", 30, "ab12cd9z.")
            harness.xdotool("key", "--delay", 30, "Right", "Return")
            self.assert_no_program_window("the prompt waits")
            program.type_line(f"{student_id}\n", close=True)
            program.wait_for_window()
            picture = program.still_picture()
            program.close()
            program.wait_exit()
            return picture

    def test_pictures_are_the_programs_first_frames(self):
        # The full-width form, as typed with the Japanese input method on, is
        # the same student as 24T11099, at the prompt and on the sheet alike.
        ids = {"12345678": "12345678", "ab12CD9z": "ab12CD9z", FULL_WIDTH_ID: "24T11099"}
        status, stdout, stderr = self.run_sheet("--out", self.out, *ids)
        self.assertEqual(status, 0, stderr)
        self.assertEqual(stdout.splitlines()[2].split("\t")[:2],
                         ["24T11099", FULL_WIDTH_SEED])
        for student_id, shown in ids.items():
            with self.subTest(student_id=student_id):
                sheet = harness.load_png(os.path.join(self.out, f"{shown}.png"))
                self.assertEqual((sheet.width, sheet.height), (640, 640))
                program = self.first_frame(student_id)
                different = differing_pixels(program, sheet)
                if len(different) > MAX_DIFFERENT_PIXELS:
                    sheet.save_png(os.path.join(tempfile.gettempdir(), f"sheet-{student_id}.png"))
                    program.save_png(os.path.join(tempfile.gettempdir(),
                                                  f"program-{student_id}.png"))
                self.assertLessEqual(
                    len(different), MAX_DIFFERENT_PIXELS,
                    f"{len(different)} pixels differ; first (x, y, Expected, Observed): "
                    f"{different[:5]}; both pictures saved in {tempfile.gettempdir()}")

    def test_lines_status_and_files(self):
        status, stdout, stderr = self.run_sheet("--out", self.out, "12345678", "ab12CD9z",
                                                "jJtT0000", "1234567", "00000038")
        self.assertEqual(status, 1, stderr)
        self.assertEqual(stdout.splitlines(), [
            LINES["12345678"], LINES["ab12CD9z"], "jJtT0000\t" + REFUSAL,
            "1234567\t" + REFUSAL, LINES["00000038"]])
        self.assertEqual(sorted(os.listdir(self.out)),
                         ["00000038.png", "12345678.png", "ab12CD9z.png", "index.html"])
        with open(os.path.join(self.out, "index.html"), encoding="utf-8") as f:
            page = f.read()
        # Cards in input order, the refused ones listed with the reason.
        cards = [page.index(f'href="{i}.png"') for i in ("12345678", "ab12CD9z", "00000038")]
        self.assertEqual(cards, sorted(cards))
        self.assertIn("<span class=\"id\">jJtT0000</span>: " + harness.ID_MESSAGE, page)

        status, stdout, stderr = self.run_sheet("--out", self.out, "00000038")
        self.assertEqual((status, stdout), (0, LINES["00000038"] + "\n"), stderr)

    def test_names_that_collide_and_text_that_is_markup(self):
        # 12<b>&'" is accepted (its number is 12); ab/12345 and ab:12345 both
        # become the file name ab_12345; a repeated ID shares its picture.
        ids = ["12<b>&'\"", "ab/12345", "ab:12345", "ab/12345"]
        status, stdout, stderr = self.run_sheet("--out", self.out, *ids)
        self.assertEqual(status, 0, stderr)
        self.assertEqual([line.split("\t")[0] for line in stdout.splitlines()], ids)
        self.assertIn("ab:12345 is drawn as ab_12345-2.png", stderr)
        self.assertEqual(sorted(os.listdir(self.out)),
                         ["12_b_&'_.png", "ab_12345-2.png", "ab_12345.png", "index.html"])
        first, second = (harness.load_png(os.path.join(self.out, name))
                         for name in ("ab_12345.png", "ab_12345-2.png"))
        # Same seed, so the same scene; only the status lines tell them apart.
        self.assertGreater(first.crop(*harness.STATUS_BAND).difference(
            second.crop(*harness.STATUS_BAND)), 20)
        with open(os.path.join(self.out, "index.html"), encoding="utf-8") as f:
            page = f.read()
        self.assertNotIn("<b>", page)
        self.assertIn("12&lt;b&gt;&amp;&#39;&quot;", page)
        self.assertIn('href="12_b_%26%27_.png"', page)

    def test_roster_rows_with_their_own_seeds(self):
        roster = os.path.join(self.directory, "class.csv")
        with open(roster, "wb") as f:
            # A spreadsheet's file: byte order mark, CRLF, a quoted field.
            f.write(b'\xef\xbb\xbfstudent_id,login_name,seed\r\n"CG-2026-0001",cgstudent,20260401\r\n'
                    b"12345678,taro,\r\nab12CD9z,hanako,38\r\n")
        status, stdout, stderr = self.run_sheet("--roster", roster, "--out", self.out)
        self.assertEqual(status, 0, stderr)
        self.assertEqual(stdout.splitlines(), [
            "CG-2026-0001\t20260401\tModel 17/38, Animation 1/7 1/3 4/12, Texture 5\t",
            LINES["12345678"],  # no seed in the file: the prompt's seed of the ID
            "ab12CD9z\t38" + LINES["00000038"].split("\t38", 1)[1]])
        # The row without a seed is the student who types the ID.
        status, _, stderr = self.run_sheet("--out", os.path.join(self.directory, "typed"),
                                           "12345678")
        self.assertEqual(status, 0, stderr)
        typed = harness.load_png(os.path.join(self.directory, "typed", "12345678.png"))
        listed = harness.load_png(os.path.join(self.out, "12345678.png"))
        self.assertEqual(typed.difference(listed), 0)

    def test_a_roster_that_cannot_be_read(self):
        missing = os.path.join(self.directory, "missing.csv")
        bad = os.path.join(self.directory, "bad.csv")
        with open(bad, "w") as f:
            f.write("student_id,login_name\n12345678,\n")
        for roster, message in ((missing, f"{missing}: "), (bad, f"{bad}:2: empty login name")):
            with self.subTest(roster=roster):
                status, stdout, stderr = self.run_sheet("--roster", roster, "--out", self.out)
                self.assertEqual((status, stdout), (2, ""))
                self.assertIn(f"cannot read the roster: {message}", stderr)
                self.assertFalse(os.path.exists(os.path.join(self.out, "12345678.png")))

    def test_usage_errors_and_an_output_folder_that_cannot_be_written(self):
        for arguments in ([], ["--out"], ["--frobnicate", "12345678"],
                          ["--out", "a", "--out", "b", "12345678"]):
            with self.subTest(arguments=arguments):
                status, stdout, stderr = self.run_sheet(*arguments)
                self.assertEqual((status, stdout), (2, ""), stderr)
                self.assertIn("usage: cgdemo-sheet", stderr)
        blocker = os.path.join(self.directory, "a-file")
        with open(blocker, "w") as f:
            f.write("in the way\n")
        folder = os.path.join(blocker, "sheet")
        status, stdout, stderr = self.run_sheet("--out", folder, "12345678")
        self.assertEqual((status, stdout), (2, ""))
        self.assertIn(f"cannot write to the output folder {folder}", stderr)

    def xvfb_recorder(self):
        """An environment whose Xvfb records its process id before it runs
        the real one; returns (environment, path of the id file)."""
        real = shutil.which("Xvfb")
        scratch = tempfile.mkdtemp(prefix="cgdemo-sheet-")
        self.addCleanup(shutil.rmtree, scratch, True)
        record = os.path.join(scratch, "xvfb.pid")
        with open(os.path.join(scratch, "Xvfb"), "w") as f:
            f.write(f"#!/bin/sh\necho $$ > '{record}'\nexec '{real}' \"$@\"\n")
        os.chmod(os.path.join(scratch, "Xvfb"), 0o755)
        return {"PATH": scratch + os.pathsep + os.environ["PATH"]}, record

    def read_pid(self, record):
        return int(harness.wait_until(
            lambda: os.path.exists(record) and open(record).read().strip(), 30,
            "the Xvfb process id"))

    def test_draws_on_a_private_server_and_leaves_nothing_running(self):
        environment, record = self.xvfb_recorder()
        # DISPLAY is set here: the sheet still starts its own server.
        status, _, stderr = self.run_sheet("--out", self.out, "12345678",
                                           environment=environment)
        self.assertEqual(status, 0, stderr)
        self.assertFalse(process_running(self.read_pid(record)), "Xvfb still runs")

        os.remove(record)
        ids = [f"{n:08d}" for n in range(10000001, 10000401)]
        sheet = subprocess.Popen([SHEET, "--out", self.out, *ids], cwd=self.directory,
                                 env=dict(os.environ, **environment),
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        try:
            sheet.stdout.readline()  # drawing has begun
            server = self.read_pid(record)
            sheet.send_signal(signal.SIGKILL)
            sheet.wait(timeout=harness.EXIT_DEADLINE)
            harness.wait_until(lambda: not process_running(server), 10,
                               "Xvfb to end after the sheet was killed")
        finally:
            sheet.kill()
            sheet.wait()
            sheet.stdout.close()

    def test_without_xvfb_or_display_it_says_so(self):
        empty = tempfile.mkdtemp(prefix="cgdemo-sheet-")
        self.addCleanup(shutil.rmtree, empty, True)
        status, stdout, stderr = self.run_sheet(
            "--out", self.out, "12345678", environment={"PATH": empty, "DISPLAY": ""})
        self.assertEqual((status, stdout), (2, ""))
        self.assertIn("install Xvfb", stderr)


if __name__ == "__main__":
    unittest.main()
