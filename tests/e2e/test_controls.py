"""The controls, end to end: keys and mouse drags change what the window shows."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def sky(picture):
    """Background pixels among every fourth pixel of every fourth row."""
    return sum(1 for y in range(0, picture.height, 4) for x in range(0, picture.width, 4)
               if harness.is_near(picture.pixel(x, y), harness.BACKGROUND, 3))


class ControlsTest(harness.ProgramTestCase):
    def setUp(self):
        super().setUp()
        self.program = self.enterContext(harness.Program(self.directory, "12345678\n"))
        self.program.wait_for_window()

    def tearDown(self):
        if self.program.process.poll() is None:
            self.assert_closes_cleanly(self.program)

    def wait_for_picture(self, predicate, what):
        return self.program.wait_for_picture(predicate, what)

    def freeze(self):
        """Stops the animation and returns the picture it stands still at."""
        self.program.key("space")

        def still():
            first = self.program.screenshot()
            time.sleep(0.3)
            second = self.program.screenshot()
            return second if first.rgb == second.rgb else None

        return harness.wait_until(still, harness.START_DEADLINE,
                                  "the animation to stand still")

    def test_space_freezes_and_restarts_the_motion(self):
        moving = self.program.screenshot()
        self.wait_for_picture(lambda p: p.rgb != moving.rgb, "the animation to move")
        frozen = self.freeze()
        time.sleep(0.5)
        self.assertEqual(self.program.screenshot().rgb, frozen.rgb,
                         "the picture changed while the animation was stopped")
        self.program.key("space")
        self.wait_for_picture(lambda p: p.rgb != frozen.rgb, "the animation to move again")

    def test_f1_shows_the_close_up_and_f3_the_orbit_again(self):
        orbit = self.freeze()
        minimum = orbit.width * orbit.height // 10
        self.program.key("F1")
        self.wait_for_picture(lambda p: p.difference(orbit) > minimum,
                              "F1 to change a tenth of the picture or more")
        self.program.key("F3")
        self.wait_for_picture(lambda p: p.rgb == orbit.rgb, "F3 to bring the orbit view back")

    def test_d_hides_and_shows_the_status_line(self):
        self.assertGreater(harness.red_in_status_band(self.program.screenshot()), 50,
                           "no red status line to begin with")
        self.program.key("d")
        self.wait_for_picture(lambda p: harness.red_in_status_band(p) == 0,
                              "'d' to leave no red pixel in the status line's band")
        self.program.key("d")
        self.wait_for_picture(lambda p: harness.red_in_status_band(p) > 50,
                              "'d' to show the status line again")

    def test_period_changes_the_floor(self):
        before = self.freeze().crop(*harness.SCENE)
        self.program.key("period")
        after = self.wait_for_picture(
            lambda p: p.crop(*harness.SCENE).difference(before) > 5000, "'.' to change the floor")
        # The sky above the floor stays as it was.
        self.assertTrue(harness.is_near(after.pixel(320, 60), harness.BACKGROUND, 3),
                        f"pixel (320, 60): observed {after.pixel(320, 60)}")

    def test_right_drag_turns_and_left_drag_zooms(self):
        start = self.freeze()
        minimum = start.width * start.height // 10
        open_sky = sky(start)

        self.program.drag(3, (320, 320), (420, 320))
        self.wait_for_picture(lambda p: p.difference(start) > minimum,
                              "a right drag to turn the view")
        self.program.key("v")
        self.wait_for_picture(lambda p: p.rgb == start.rgb, "'v' to bring the start view back")

        # Dragging down moves the eye away: the floor shrinks and more sky shows.
        self.program.drag(1, (320, 200), (320, 300))
        self.wait_for_picture(lambda p: sky(p) > open_sky * 1.2,
                              "a left drag downward to zoom out")
        self.program.key("v")
        self.wait_for_picture(lambda p: p.rgb == start.rgb, "'v' to bring the start view back")

        # Dragging up brings the eye closer: the floor fills more of the window.
        self.program.drag(1, (320, 300), (320, 250))
        self.wait_for_picture(lambda p: sky(p) < open_sky * 0.8, "a left drag upward to zoom in")


if __name__ == "__main__":
    unittest.main()
