"""The window as a person sees it: title, size, place, background, and that no
key ends the program while closing the window does; without a display, one
plain line."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

# Every key the program knows and a handful it does not, in xdotool's names.
ALL_KEYS = [
    "space", "r", "n", "v", "c", "a", "d", "comma", "period", "R", "N", "V", "C", "A", "D",
    "F1", "F2", "F3", "F4", "F12", "Left", "Right", "Up", "Down", "Prior", "Next", "Home",
    "End", "Insert", "Escape", "q", "Q", "x", "Return", "Tab", "BackSpace", "Delete",
    "ctrl+c", "ctrl+q", "alt+F4", "shift+a", "1", "0", "minus", "plus",
]


class WindowTest(harness.ProgramTestCase):
    def test_window_title_size_place_and_background(self):
        with harness.Program(self.directory) as program:
            window = program.wait_for_window()
            x, y, width, height = harness.window_geometry(window)
            self.assertEqual((width, height), (640, 640))
            self.assertEqual((x, y), (0, 0))
            picture = program.screenshot()
            # Above the floor's far edge only the clear colour shows.
            for point in [(620, 60), (320, 60), (20, 120)]:
                self.assertTrue(harness.is_near(picture.pixel(*point), harness.BACKGROUND, 3),
                                f"pixel {point}: expected {harness.BACKGROUND}, "
                                f"observed {picture.pixel(*point)}")
            self.assert_closes_cleanly(program)

    def test_no_key_ends_the_program_but_closing_the_window_does(self):
        with harness.Program(self.directory) as program:
            program.wait_for_window()
            program.key(*ALL_KEYS)
            program.settle()
            self.assertIsNone(program.process.poll(), program.stderr)
            self.assertEqual(harness.find_windows(harness.TITLE), [program.window])
            self.assert_closes_cleanly(program)
            self.assertEqual(program.stderr, "")

    def test_without_a_display_one_line_names_the_display_tried(self):
        # No X server listens on display 997: the test's own uses -displayfd.
        said = {"": "no display is set (DISPLAY is empty)",
                ":997": 'cannot open the display ":997"'}
        for display, reason in said.items():
            with self.subTest(display=display):
                result = subprocess.run(
                    [harness.BINARY], cwd=self.directory, env=dict(os.environ, DISPLAY=display),
                    stdin=subprocess.DEVNULL, capture_output=True, text=True,
                    timeout=harness.EXIT_DEADLINE)
                # Before the prompt and without a box: the line and status 1.
                self.assertEqual((result.returncode, result.stdout, result.stderr),
                                 (1, "", f"cgdemo needs a graphical desktop: {reason}\n"))


if __name__ == "__main__":
    unittest.main()
