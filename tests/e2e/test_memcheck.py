"""Valgrind memcheck over a whole session of the normal build: start, a few
keys and a drag, close. No invalid read or write, no use of uninitialised
memory, and nothing of the program's own definitely lost: what it keeps until
exit stays reachable. Errors inside Mesa and the X libraries are suppressed by
tools/valgrind.supp, which names system libraries only."""

import os
import re
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

# Under valgrind everything is some fifty times slower.
SLOW_DEADLINE = 240.0


class MemcheckTest(harness.ProgramTestCase):
    def setUp(self):
        super().setUp()
        if shutil.which("valgrind") is None:
            self.skipTest("valgrind is not installed: `make test` installs it")
        scratch = self.use_wrapper(
            f"export LD_PRELOAD='{' '.join(harness.MESA_DRIVERS[:1])}'\n"
            "exec valgrind --tool=memcheck --error-exitcode=99 --leak-check=full "
            "--show-leak-kinds=definite --errors-for-leak-kinds=definite "
            "--num-callers=30 --keep-debuginfo=yes "
            f"--suppressions={harness.ROOT}/tools/valgrind.supp "
            '--log-file="$SCRATCH/memcheck.log" "$CGDEMO" "$@"')
        self.log = os.path.join(scratch, "memcheck.log")

    def memcheck_log(self):
        with open(self.log, errors="replace") as f:
            return f.read()

    def test_session_from_start_to_close(self):
        with harness.Program(self.directory) as program:
            def window():
                program._alive_or_fail("the window")
                return (harness.find_windows(harness.TITLE) or [None])[0]

            program.window = harness.wait_until(window, SLOW_DEADLINE, "the window")
            program.wait_for_first_frame(timeout=SLOW_DEADLINE)
            program.focus()
            # Another model (a mesh built while running), all phases, a close-up,
            # the other tile, and a camera drag.
            program.key("Right", "a", "F1", "period", "F3", "space")
            program.drag(3, (320, 320), (380, 300), steps=3)
            program.settle(frames=2)
            program.close()
            status = program.wait_exit(timeout=SLOW_DEADLINE)

        log = self.memcheck_log()
        for problem in ["Invalid read", "Invalid write", "Invalid free",
                        "uninitialised", "definitely lost in"]:
            self.assertNotIn(problem, log, log)
        summary = re.search(r"ERROR SUMMARY: (\d+) errors", log)
        self.assertIsNotNone(summary, log)
        self.assertEqual(summary.group(1), "0", log)
        self.assertEqual(status, 0, log)


if __name__ == "__main__":
    unittest.main()
