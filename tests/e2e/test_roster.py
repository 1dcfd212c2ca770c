"""The class roster, from the office's export to the packages: a Shift_JIS
roster with Japanese headers, full-width IDs and logins, names and quoted
fields builds packages that register its students; the next roster build's
package replaces the last one; a bad roster lists every refused row, last;
`make dist` without a roster leaves the roster's files alone and its zip holds
no roster ID; the sheet shows the names, with a search box.

`make dist` writes into a scratch folder (DIST) from the project's own build
folders, which it leaves configured without a roster, as `make test` made them."""

import glob
import hashlib
import os
import pwd
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

SHEET = os.environ.get("CGDEMO_SHEET_BINARY", "")
FROZEN_CLOCK = os.environ.get("CGDEMO_FROZEN_CLOCK", "")
# Characters that must not reach generated C++ as they are: a quote, a
# backslash, a trigraph-like "??=" and a comma that needs CSV quoting; the ID
# is still one the prompt accepts (its leading number is 12).
STUDENT_ID = '12"\\??=,'
# A student typed in full width by the office: read as 24T11099.
OTHER_ID = "２４Ｔ１１０９９"
OTHER_NAME = "髙田 花子"
BUILD_DEADLINE = 900
# Pixels that may differ between two first frames with the clock held still.
MAX_DIFFERENT_PIXELS = 64


def csv_field(text):
    return '"' + text.replace('"', '""') + '"'


def full_width(text):
    return "".join(chr(ord(c) + 0xFEE0) if c.isascii() and c.isalnum() else c for c in text)


def fingerprint(path):
    with open(path, "rb") as f:
        return os.stat(path).st_mtime_ns, hashlib.sha256(f.read()).hexdigest()


class RosterTest(harness.ProgramTestCase):
    def setUp(self):
        super().setUp()
        self.user = pwd.getpwuid(os.geteuid()).pw_name
        if self.user in ("guest", "cgstudent"):
            self.skipTest(f"the current user {self.user!r} cannot be registered for this test")
        if not SHEET or not FROZEN_CLOCK:
            self.skipTest("CGDEMO_SHEET_BINARY or CGDEMO_FROZEN_CLOCK is not set: run through "
                          "`make test`")
        self.scratch = tempfile.mkdtemp(prefix="cgdemo-roster-")
        self.addCleanup(shutil.rmtree, self.scratch, True)
        self.dist = os.path.join(self.scratch, "dist")
        self.roster = os.path.join(self.scratch, "class list.csv")
        self.registered_build = False

    def write_roster(self, rows, path=None):
        """Writes the roster as a Japanese-locale spreadsheet saves "CSV": Shift_JIS, CRLF."""
        with open(path or self.roster, "wb") as f:
            f.write("\r\n".join(rows).encode("cp932") + b"\r\n")

    def make_dist(self, roster=None):
        """`make dist` as an instructor runs it; returns (status, output). The
        project's build folders end without a roster even when the test fails:
        the wine and package tests after this one run their programs."""
        if roster and not self.registered_build:
            self.registered_build = True
            self.addCleanup(lambda: self.registered_build and self.make_dist())
        self.registered_build = bool(roster)
        environment = {k: v for k, v in os.environ.items()
                       if k not in ("MAKEFLAGS", "MFLAGS", "MAKELEVEL")}
        command = ["make", "dist", f"DIST={self.dist}"] + ([f"ROSTER={roster}"] if roster else [])
        result = subprocess.run(command, cwd=harness.ROOT, env=environment, text=True,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                timeout=BUILD_DEADLINE)
        for noise in ("Entering directory", "Leaving directory", "CPack"):
            self.assertNotIn(noise, result.stdout)
        return result.returncode, result.stdout

    def roster_packages(self):
        return sorted(glob.glob(os.path.join(self.dist, "cgdemo_*+roster.*_*.deb")))

    def first_frame(self, binary, typed, page_keys=False):
        """The first frame of binary, its clock held still; asserts whether it
        asked. With page_keys, every Page key after a change of model and tile
        must bring that frame back exactly: the student's own ID and scene,
        never a classmate's."""
        self.use_binary(binary)
        with harness.Program(self.directory, stdin_text=typed,
                             environment={"LD_PRELOAD": FROZEN_CLOCK}) as program:
            program.wait_for_window()
            picture = program.still_picture()
            for page in ("Prior", "Prior", "Next", "Next") if page_keys else ():
                program.key("Right", "period")
                program.wait_for_picture(lambda p: p.difference(picture) > 0,
                                         "the scene to change after Right and '.'")
                program.key(page)
                program.wait_for_picture(lambda p: p.difference(picture) == 0,
                                         f"{page} to bring back the student's own scene")
            self.assert_closes_cleanly(program)
            self.assertEqual(program.stdout, "" if typed is None else harness.PROMPT)
        return picture

    @staticmethod
    def version(package):
        return subprocess.run(["dpkg-deb", "-f", package, "Version"], check=True,
                              capture_output=True, text=True, timeout=60).stdout.strip()

    def program_strings(self, zip_path):
        """What `strings` finds in the cgdemo.exe of a zip."""
        folder = tempfile.mkdtemp(dir=self.scratch)
        with zipfile.ZipFile(zip_path) as archive:
            archive.extract("cgdemo.exe", folder)
        return subprocess.run(["strings", os.path.join(folder, "cgdemo.exe")], check=True,
                              capture_output=True, text=True, timeout=60).stdout

    def test_office_export_to_packages_and_sheet(self):
        # The office's headers (one in half-width katakana), an instructor's own
        # column, a name whose quoted field holds a comma and a line break.
        # The current user sits between two classmates.
        rows = [
            "学籍番号,氏名,フリガナ,ﾛｸﾞｲﾝ名",
            "11112222,前田 一,マエダ ハジメ,maeda",
            f'{csv_field(STUDENT_ID)},"山田, 太郎\r\n(ﾔﾏﾀﾞ)",ヤマダ タロウ,{full_width(self.user)}',
            "",
            f"{OTHER_ID},{OTHER_NAME},タカダ ハナコ,ｔａｋａｄａ",
        ]
        self.write_roster(rows)
        status, output = self.make_dist(self.roster)
        self.assertEqual(status, 0, output)
        self.assertIn(f"Registered 3 students from {self.roster}\n", output)
        lab_zip = os.path.join(self.dist, "cgdemo-windows-x64-lab-class.list.zip")
        students_zip = os.path.join(self.dist, "cgdemo-windows-x64.zip")
        (first_package,) = self.roster_packages()
        first_version = self.version(first_package)
        for written in (f"{lab_zip} (roster {self.roster}, 3 students)",
                        f"{first_package} (roster {self.roster}, 3 students)",
                        f"{students_zip} (without a roster"):
            self.assertIn("Wrote " + written, output)
        # The students' zip is built without the roster even in a roster build.
        self.assertIn("24T11099", self.program_strings(lab_zip))
        self.assertNotIn("24T11099", self.program_strings(students_zip))

        # The packaged program registers the current user by the full-width
        # login: no prompt, and the first frame of the ID typed at the prompt
        # of the program without a roster, so the ID arrived byte for byte.
        unpacked = os.path.join(self.scratch, "unpacked")
        subprocess.run(["dpkg-deb", "-x", first_package, unpacked], check=True, timeout=60)
        packaged = os.path.join(unpacked, "usr", "lib", "cgdemo", "cgdemo")
        plain = harness.BINARY
        registered = self.first_frame(packaged, None, page_keys=True)
        typed = self.first_frame(plain, STUDENT_ID + "\n")
        self.assertEqual(harness.status_band(registered).difference(harness.status_band(typed)),
                         0, "the registered student's status line differs from the typed ID's")
        self.assertLessEqual(registered.difference(typed), MAX_DIFFERENT_PIXELS)
        # Names are for the sheet only.
        with open(packaged, "rb") as f:
            program = f.read()
        self.assertIn(b"24T11099", program)
        for name in ("山田", OTHER_NAME):
            self.assertNotIn(name.encode(), program)
            self.assertNotIn(name.encode("cp932"), program)

        self.check_sheet()

        # A late student: the next build's package sorts after the last one
        # and takes its place in dist/. Its version holds the build's second.
        start = int(time.time())
        harness.wait_until(lambda: int(time.time()) > start, 5, "the next second")
        self.write_roster(rows + ["24T11100,鈴木 一郎,スズキ イチロウ,suzuki"])
        status, output = self.make_dist(self.roster)
        self.assertEqual(status, 0, output)
        self.assertIn(f"Registered 4 students from {self.roster}\n", output)
        (second_package,) = self.roster_packages()
        self.assertFalse(os.path.exists(first_package), "the replaced package is still there")
        versions = [first_version, self.version(second_package)]
        for newer, older in ((versions[1], versions[0]), (versions[0], "1.0.0")):
            self.assertEqual(subprocess.run(["dpkg", "--compare-versions", newer, "gt", older],
                                            timeout=60).returncode, 0, f"{newer} <= {older}")
        self.assertNotIn("24T11100", self.program_strings(students_zip))

        # Three refused rows: three lines, last; nothing of that roster written.
        bad = os.path.join(self.scratch, "bad.csv")
        self.write_roster(["学籍番号,ログイン名", "12345678,", "12345679,ann", "1234,bob",
                           "12345670,ann"], bad)
        status, output = self.make_dist(bad)
        self.assertNotEqual(status, 0, output)
        lines = output.splitlines()
        refusals = [line for line in lines if line.startswith(bad + ":")]
        self.assertEqual(refusals, [
            f"{bad}:2: empty login name",
            f'{bad}:4: empty seed, and the prompt refuses the student ID "1234" (it takes 8 '
            "letters or digits without spaces, with a leading number above 0); give the row "
            "a seed",
            f'{bad}:5: login name "ann" listed twice (first on line 3)'])
        after = lines[lines.index(refusals[-1]) + 1:]
        self.assertTrue(all(re.match(r"g?make(\[\d+\])?: \*\*\* .* Error \d+$", line)
                            for line in after), after)
        self.assertEqual(glob.glob(os.path.join(self.dist, "*bad*")), [])

        # Without a roster: the roster's files stay as they were.
        kept = {path: fingerprint(path) for path in (lab_zip, second_package)}
        status, output = self.make_dist()
        self.assertEqual(status, 0, output)
        self.assertNotIn("Registered", output)
        self.assertIn(f"Wrote {self.dist}/cgdemo_1.0.0_", output)
        self.assertEqual({path: fingerprint(path) for path in kept}, kept)
        self.assertEqual(self.roster_packages(), [second_package])
        self.assertNotIn("24T11099", self.program_strings(students_zip))

    def check_sheet(self):
        """The sheet of the roster: names on the cards and as the lines' last
        field, no glyph label, and a search box that finds a card by name."""
        out = os.path.join(self.scratch, "sheet")
        result = subprocess.run([SHEET, "--roster", self.roster, "--out", out], cwd=self.directory,
                                capture_output=True, text=True, timeout=120)
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = result.stdout.splitlines()
        self.assertEqual(len(lines), 3, result.stdout)
        self.assertTrue(lines[1].endswith("\t山田, 太郎\\x0a(ﾔﾏﾀﾞ)"), lines[1])
        self.assertRegex(lines[2], r"^24T11099\t24011099\tModel \d+/38, Animation \d/7 \d/3 "
                                   rf"\d+/12, Texture \d+\t{OTHER_NAME}$")
        with open(os.path.join(out, "index.html"), encoding="utf-8") as f:
            page = f.read()
        self.assertNotIn("Model label", page)
        self.assertIn(f'<div class="name">{OTHER_NAME}</div>', page)
        self.assertLess(page.index("山田"), page.index(OTHER_NAME))  # roster order
        browser = shutil.which("chromium")
        if browser is None:
            self.assertIn('<input type="search" id="search"', page)
            return
        # The page opened with a search, as typing one in its box does.
        shown = {}
        for wanted in ("", "髙田花子", "24t110", "山田"):
            dom = subprocess.run(
                [browser, "--headless", "--no-sandbox", "--disable-gpu", "--dump-dom",
                 "file://" + os.path.join(out, "index.html") + ("#" + wanted if wanted else "")],
                capture_output=True, text=True, timeout=120).stdout
            shown[wanted] = re.findall(r'<figure data-id="([^"]*)"[^>]*?(?<!hidden="")>', dom)
        first = STUDENT_ID.replace('"', "&quot;")
        self.assertEqual(shown, {"": ["11112222", first, "24T11099"], "髙田花子": ["24T11099"],
                                 "24t110": ["24T11099"], "山田": [first]})


if __name__ == "__main__":
    unittest.main()
