"""The Windows build, cgdemo.exe, under wine on the X server of `make test`:
its window, opened only after the ID prompt, its picture against the Linux
build's picture of the same state (a full-width ID through a pipe and typed in
a console in the Japanese code page included), its error boxes with their exit
status and legible Japanese text, refused texture files, closing it, and the
zip for Windows users.

`make test` builds the program with `make windows` and names it in
CGDEMO_WINDOWS_BINARY. The wine prefix is made beside it, in the build folder,
and its wine server is stopped when the tests end.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile
from unittest import mock

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

WINDOWS_BINARY = os.environ.get("CGDEMO_WINDOWS_BINARY", "")
# The zip for Windows users, made by `make dist`.
ZIP = os.path.join(os.environ.get("CGDEMO_DIST", ""), "cgdemo-windows-x64.zip")
WINE_PREFIX = os.path.join(os.path.dirname(WINDOWS_BINARY), "wine-prefix")
WINE_ENVIRONMENT = {
    "WINEPREFIX": WINE_PREFIX,
    "WINEARCH": "win64",
    "WINEDEBUG": "-all",
    # No Mono or Gecko installers, and no menu entries in the user's home.
    "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=d",
}
# The message box's font (Tahoma, which wine provides) has no Japanese: wine
# takes such characters from the linked font, here Debian's IPA Gothic.
FONT_LINK = ("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink",
             "Tahoma", "ipag.ttf,IPAGothic")
# The first start of a prefix takes 10 to 15 s; the deadline only bounds a fault.
WINEBOOT_DEADLINE = 300


def wine(*args, timeout=60):
    """Runs a wine command in the test prefix; fails with its output."""
    result = subprocess.run(["wine", *args], capture_output=True, text=True, timeout=timeout,
                            env={**os.environ, **WINE_ENVIRONMENT})
    if result.returncode != 0:
        raise AssertionError(f"wine {' '.join(args)} failed with {result.returncode}: "
                             f"{result.stdout}{result.stderr}")


def stop_wine_server():
    subprocess.run(["wineserver", "-k"], env={**os.environ, **WINE_ENVIRONMENT},
                   capture_output=True, timeout=60)
    subprocess.run(["wineserver", "-w"], env={**os.environ, **WINE_ENVIRONMENT},
                   capture_output=True, timeout=60)


def setUpModule():
    if not WINDOWS_BINARY or not os.environ.get("DISPLAY"):
        return  # each test skips with the reason
    if not os.path.isfile(WINDOWS_BINARY):
        raise AssertionError(f"CGDEMO_WINDOWS_BINARY names no file: {WINDOWS_BINARY}")
    if shutil.which("wine") is None:
        raise AssertionError("wine is not installed: `make test` installs it")
    try:
        # Makes the prefix on the first run; later runs find it up to date.
        wine("wineboot", "--init", timeout=WINEBOOT_DEADLINE)
        key, name, value = FONT_LINK
        wine("reg", "add", key, "/v", name, "/t", "REG_MULTI_SZ", "/d", value, "/f")
    except BaseException:
        stop_wine_server()  # tearDownModule does not run after a failed setUpModule
        raise


def tearDownModule():
    if WINDOWS_BINARY and os.path.isdir(WINE_PREFIX):
        stop_wine_server()


class WindowsTest(harness.ProgramTestCase):
    def setUp(self):
        if not WINDOWS_BINARY:
            self.skipTest("CGDEMO_WINDOWS_BINARY is not set to the Windows build's "
                          "cgdemo.exe: `make test` builds it and sets it")
        super().setUp()
        environment = mock.patch.dict(os.environ, WINE_ENVIRONMENT)
        environment.start()
        self.addCleanup(environment.stop)

    def use_windows_binary(self, path=WINDOWS_BINARY):
        """Runs the Windows program path under wine in place of cgdemo for the
        rest of the test."""
        self.use_wrapper(f"exec wine '{path}' \"$@\"")

    def linux_pictures(self, student_id="12345678"):
        """The Linux build's pictures for student_id: the clock stopped and
        the angles reset, then the next tile."""
        with harness.Program(self.directory, f"{student_id}\n") as linux:
            linux.wait_for_window()
            linux.key("space", "r")
            still = linux.settle()
            linux.key("period")
            next_tile = linux.settle()
            self.assert_closes_cleanly(linux)
        return still, next_tile

    def test_picture_and_keys_match_the_linux_build_and_closing_ends_with_0(self):
        still, next_tile = self.linux_pictures("24T11099")
        # The two states differ (the status line's form, the tile), so a match
        # below shows that each key arrived.
        self.assertGreater(harness.pixels_apart(still, next_tile), harness.DIFFERENT_PIXELS)

        self.use_windows_binary()
        with harness.Program(self.directory, stdin_text=None) as program:
            program.wait_for_stdout(harness.PROMPT, timeout=WINEBOOT_DEADLINE)
            self.assert_no_program_window("the prompt waits")
            # Typed with the Japanese input method on, through a pipe as UTF-8.
            program.type_line("２４Ｔ１１０９９\n", close=True)
            window = program.wait_for_window()
            self.assertEqual(harness.window_geometry(window)[2:], (640, 640))
            program.key("space", "r")
            self.assert_shows(program, still, "ID 24T11099, clock stopped, angles reset")
            program.key("period")
            self.assert_shows(program, next_tile, "after '.'")
            self.assert_closes_cleanly(program)

    def test_full_width_id_typed_in_a_japanese_console(self):
        # A console in the Japanese code page (932), as on a Japanese Windows:
        # the input method's full-width ID reaches the program only when the
        # console is read as wide text. `script` gives wine a terminal, which
        # wine turns into the console; its output is drawn with escape codes.
        still, _ = self.linux_pictures("24T11099")
        command = f"chcp 932 && Z:{WINDOWS_BINARY.replace('/', chr(92))}"
        self.use_wrapper(f"exec script -qec \"wine cmd /c '{command}'\" /dev/null")
        with harness.Program(self.directory, stdin_text=None) as program:
            def shown():
                return re.sub(r"\x1b\[[0-9;?]*[A-Za-z]|\s", "", program.stdout)

            harness.wait_until(lambda: "(8digitsnumber)>" in shown(), WINEBOOT_DEADLINE,
                               "the prompt in the console")
            self.assertIn("Activecodepage:932", shown())
            self.assert_no_program_window("the prompt waits")
            program.type_line("２４Ｔ１１０９９\r")
            program.wait_for_window()
            program.key("space", "r")
            self.assert_shows(program, still, "ID 24T11099 typed in the console")
            program.close()
            program.wait_exit()

    def assert_shows(self, program, expected, what):
        self.assert_matches_linux(program.screenshot, expected, what, "windows")

    def assert_error_box_under_wine(self, message, stdin_text, binary=WINDOWS_BINARY):
        """Runs binary, expects the "Error" box and message on standard error,
        dismisses the box and expects exit status 255. Returns the box's
        picture and standard error."""
        self.use_windows_binary(binary)
        with harness.Program(self.directory, stdin_text) as program:
            dialog = program.wait_for_window("Error")
            self.assert_no_program_window("the error box shows")
            shown = []

            def painted():
                # Text in the box, and the same picture twice: drawn completely.
                shown.append(harness.grab_window(dialog))
                return (len(shown) > 1 and shown[-1].rgb == shown[-2].rgb
                        and harness.glyph_shapes(shown[-1]))

            harness.wait_until(painted, harness.START_DEADLINE, "the error box's text")
            box = shown[-1]
            program.dismiss_dialog(dialog=dialog)
            self.assertEqual(program.wait_exit(), harness.FATAL_STATUS, program.stderr)
            # Standard error is a text stream: Windows ends its lines in CR LF.
            stderr = program.stderr.replace("\r\n", "\n")
            self.assertIn(message, stderr)
            return box, stderr

    def test_rejected_id_shows_the_error_box_and_exits_with_255(self):
        self.assert_error_box_under_wine(harness.ID_MESSAGE, "1234\n")

    def program_copy(self):
        """A copy of cgdemo.exe in a folder of its own; returns its path."""
        folder = tempfile.mkdtemp(prefix="cgdemo-wine-")
        self.addCleanup(shutil.rmtree, folder, True)
        return shutil.copy(WINDOWS_BINARY, folder)

    def test_texture_that_is_a_folder_or_a_pipe_is_refused_without_waiting(self):
        os.remove(os.path.join(self.directory, "japan.bmp"))
        with self.subTest("a folder in the working directory"):
            os.mkdir(os.path.join(self.directory, "japan.bmp"))
            self.assert_error_box_under_wine(harness.TEXTURE_MESSAGE, "12345678\n")
            os.rmdir(os.path.join(self.directory, "japan.bmp"))
        # wine reports a pipe as absent (Windows folders hold none), so the
        # program looks beside itself: a pipe there is refused without waiting.
        with self.subTest("a pipe beside the program"):
            binary = self.program_copy()
            os.mkfifo(os.path.join(os.path.dirname(binary), "japan.bmp"))
            self.assert_error_box_under_wine(harness.TEXTURE_MESSAGE, "12345678\n", binary)

    def test_no_texture_shows_the_japanese_message_legibly_and_exits_with_255(self):
        # Neither the working directory nor the program's folder has a texture.
        os.remove(os.path.join(self.directory, "japan.bmp"))
        binary = self.program_copy()
        folder = os.path.dirname(binary)
        box, stderr = self.assert_error_box_under_wine(harness.TEXTURE_MESSAGE, "12345678\n",
                                                       binary)
        # Both places were searched; wine shows the Linux root as drive Z:.
        folder = "Z:" + folder.replace("/", "\\") + "\\"
        self.assertIn(f"nor in the program's folder {folder}\n", stderr)
        # A character the font lacks shows as the same empty box every time;
        # the first line's sixteen characters have at least twelve shapes.
        shapes = harness.glyph_shapes(box)
        self.assertGreaterEqual(len(shapes), 12,
                                f"Expected the Japanese text legible in the box, Observed "
                                f"{len(shapes)} distinct character shapes in its first line")

    def test_zip_holds_program_texture_and_readme_and_runs_from_another_folder(self):
        unpacked = tempfile.mkdtemp(prefix="cgdemo-zip-")
        self.addCleanup(shutil.rmtree, unpacked, True)
        with zipfile.ZipFile(ZIP) as archive:
            self.assertEqual(sorted(archive.namelist()), ["README.txt", "cgdemo.exe", "japan.bmp"])
            archive.extractall(unpacked)
        with open(os.path.join(unpacked, "README.txt"), "rb") as f:
            readme = f.read()
        # Lines end as Notepad expects.
        self.assertNotIn(b"\n", readme.replace(b"\r\n", b""))
        # The students' guide, without the developers' parts.
        self.assertIn(harness.PROMPT.encode(), readme)
        self.assertNotIn(b"make test", readme)
        still, _ = self.linux_pictures()
        # The working directory has no texture: the one beside cgdemo.exe is used.
        os.remove(os.path.join(self.directory, "japan.bmp"))
        self.use_windows_binary(os.path.join(unpacked, "cgdemo.exe"))
        with harness.Program(self.directory) as program:
            program.wait_for_window()
            program.key("space", "r")
            self.assert_shows(program, still, "started from another folder")
            self.assert_closes_cleanly(program)


if __name__ == "__main__":
    unittest.main()
