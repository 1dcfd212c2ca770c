"""The scene as a person sees it: the personal model standing on the floor as
four coloured actors that move, and the status line over them."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

# Actor colours as they look lit: which channels are strong and which weak.
ACTORS = {
    "green": lambda p: p[1] > 100 and p[0] < 70 and p[2] < 70,
    "red": lambda p: p[0] > 100 and p[1] < 50 and p[2] < 50,
    "blue": lambda p: p[2] > 100 and p[0] < 50 and p[1] < 50,
    "yellow": lambda p: p[0] > 100 and p[1] > 100 and p[2] < 50,
}


class SceneTest(harness.ProgramTestCase):
    def test_four_actors_move_around_the_centre(self):
        with harness.Program(self.directory) as program:
            program.wait_for_window()
            first = program.screenshot()
            for name, looks_like in ACTORS.items():
                self.assertGreater(first.count(looks_like, harness.SCENE), 50,
                                   f"no {name} actor seen")
            # The clock runs by itself: a moment later the actors stand elsewhere.
            program.wait_for_picture(lambda p: p.difference(first) > 500, "the actors to move")
            self.assert_closes_cleanly(program)

    def test_status_line_shows_the_student_id_in_red(self):
        with harness.Program(self.directory, stdin_text="ab12CD9z\n") as program:
            program.wait_for_window()
            picture = program.screenshot()
            self.assertGreater(picture.count(harness.is_red, (0, 0, 300, 34)), 100)
            self.assertEqual(program.stdout, harness.PROMPT)

    def test_close_up_shows_the_model_of_the_seed(self):
        # Seed 38 selects the first model, the letter A; F1 shows it alone.
        with harness.Program(self.directory, stdin_text="00000038\n") as program:
            program.wait_for_window()
            program.key("F1")
            picture = program.settle()
            for name in ("red", "blue", "yellow"):
                self.assertEqual(picture.count(ACTORS[name], harness.SCENE), 0,
                                 f"{name} actor in F1")
            green = picture.count(ACTORS["green"], harness.SCENE)
            self.assertGreater(green, 5000, "the close-up shows the model large")


if __name__ == "__main__":
    unittest.main()
