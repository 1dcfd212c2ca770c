"""The class roster at build time: a roster as a spreadsheet writes it (byte
order mark, CRLF, quoted fields with commas, quotes and a line break) builds a
cgdemo that registers its students, and a bad roster stops the build with the
file name and line. Builds only cgdemo, in a scratch folder."""

import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

# Characters that must not reach generated C++ as they are: a quote, a
# backslash, a trigraph-like "??=" and a comma that needs CSV quoting; the ID
# is still one the prompt accepts (its leading number is 12).
STUDENT_ID = '12"\\??=,'
BUILD_DEADLINE = 600
FROZEN_CLOCK = os.environ.get("CGDEMO_FROZEN_CLOCK", "")


def csv_field(text):
    return '"' + text.replace('"', '""') + '"'


class RosterBuildTest(harness.ProgramTestCase):
    def setUp(self):
        super().setUp()
        self.plain_binary = harness.BINARY  # built with the table in the source
        self.user = pwd.getpwuid(os.geteuid()).pw_name
        if self.user in ("guest", "cgstudent"):
            self.skipTest(f"the current user {self.user!r} cannot be registered for this test")
        self.scratch = tempfile.mkdtemp(prefix="cgdemo-roster-")
        self.addCleanup(shutil.rmtree, self.scratch, True)
        self.roster = os.path.join(self.scratch, "class list.csv")
        self.build = os.path.join(self.scratch, "build")

    def write_roster(self, rows):
        """Writes the roster as a spreadsheet saves "CSV UTF-8": BOM and CRLF."""
        with open(self.roster, "wb") as f:
            f.write(b"\xef\xbb\xbf" + "\r\n".join(rows).encode() + b"\r\n")

    def cmake(self, *args):
        result = subprocess.run(["cmake", *args], capture_output=True, text=True,
                                timeout=BUILD_DEADLINE)
        return result.returncode, result.stdout + result.stderr

    def build_cgdemo(self):
        return self.cmake("--build", self.build, "-j2", "--target", "cgdemo")

    def status_band(self, binary, typed):
        """The status band of the first frame of binary; asserts whether it asked."""
        self.use_binary(binary)
        with harness.Program(self.directory, stdin_text=typed) as program:
            program.wait_for_window()
            picture = program.screenshot()
            self.assert_closes_cleanly(program)
            self.assertEqual(program.stdout, "" if typed is None else harness.PROMPT)
        band = harness.status_band(picture)
        self.assertGreater(len(harness.red_columns(picture)), 50, "no red status line")
        return band

    def assert_page_keys_bring_back_the_own_scene(self, binary):
        """With the clock held still, every Page key after a change of model and
        tile brings back the first frame exactly: the student's own ID and
        scene, never a classmate's."""
        self.use_binary(binary)
        with harness.Program(self.directory, stdin_text=None,
                             environment={"LD_PRELOAD": FROZEN_CLOCK}) as program:
            program.wait_for_window()
            own = program.screenshot()
            for page in ("Prior", "Prior", "Next", "Next"):
                program.key("Right", "period")
                program.wait_for_picture(lambda p: p.difference(own) > 0,
                                         "the scene to change after Right and '.'")
                program.key(page)
                program.wait_for_picture(lambda p: p.difference(own) == 0,
                                         f"{page} to bring back the student's own scene")
            self.assert_closes_cleanly(program)

    def test_roster_registers_its_students_and_a_bad_one_stops_the_build(self):
        # Columns in another order than the program's, an instructor's own
        # column whose field holds a comma, a line break and non-ASCII text.
        # The current user sits between two classmates.
        self.write_roster([
            "name,seed,login_name,student_id",
            "Before,5,before-student,CG-2026-0000",
            f'"Yamada, Taro\r\n(山田 太郎)",,{csv_field(self.user)},{csv_field(STUDENT_ID)}',
            "",
            "After,17,after-student,CG-2026-0002",
        ])
        status, output = self.cmake("-S", harness.ROOT, "-B", self.build,
                                    "-DCMAKE_BUILD_TYPE=Release", "-DCGDEMO_TESTS=OFF", "-DCGDEMO_SHEET=OFF",
                                    f"-DCGDEMO_ROSTER={self.roster}")
        self.assertEqual(status, 0, output)
        status, output = self.build_cgdemo()
        self.assertEqual(status, 0, output)

        # Standard input stays open: a program that asked would wait for it.
        registered = self.status_band(os.path.join(self.build, "cgdemo"), None)
        self.assert_page_keys_bring_back_the_own_scene(os.path.join(self.build, "cgdemo"))
        # The same ID typed at the prompt of the program built without a roster
        # gives the same line, so the registered ID arrived byte for byte.
        typed = self.status_band(self.plain_binary, STUDENT_ID + "\n")
        self.assertEqual(registered.difference(typed), 0,
                         "the registered student's status line differs from the typed ID's")

        # Changing the roster rebuilds, and a login name listed twice stops it.
        self.write_roster([
            "student_id,login_name",
            "12345678,ann",
            "",
            "12345679,ann",
        ])
        status, output = self.build_cgdemo()
        self.assertNotEqual(status, 0, output)
        self.assertIn(f"{self.roster}:4: login name \"ann\" listed twice", output)


if __name__ == "__main__":
    unittest.main()
