"""Soak: the sanitizer build of cgdemo under about two minutes of random keys,
drags with every button combination and resizes down to a few pixels. It must
end only by the window close, with status 0, no sanitizer report, and memory
that stops growing once every model has been built.

The sanitizer build's binary comes from CGDEMO_SANITIZED_BINARY, which
`make test` sets to build-asan/cgdemo.
"""

import os
import random
import re
import sys
import time
import unittest
from unittest import mock

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

SANITIZED = os.environ.get("CGDEMO_SANITIZED_BINARY", "")
# The driver is preloaded to keep it to the leak check: see harness.MESA_DRIVERS.
SANITIZER_OPTIONS = {
    # The preloaded driver comes before the sanitizer runtime; that is harmless.
    "ASAN_OPTIONS": "detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:"
                    "verify_asan_link_order=0:quarantine_size_mb=16",
    "LSAN_OPTIONS": f"suppressions={harness.ROOT}/tools/lsan.supp:print_suppressions=0",
    "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1",
    "LD_PRELOAD": " ".join(harness.MESA_DRIVERS[:1]),
}
SANITIZER_REPORT = re.compile(r"ERROR: \w+Sanitizer|runtime error:|SUMMARY: \w+Sanitizer")

MODEL_COUNT = 38
# The program's keys, in xdotool's names, and keys it ignores.
PROGRAM_KEYS = [
    "space", "r", "n", "v", "c", "a", "d", "comma", "period", "F1", "F2", "F3",
    "Left", "Right", "Up", "Down", "Prior", "Next",
]
OTHER_KEYS = [
    "A", "R", "N", "V", "D", "q", "x", "0", "9", "minus", "Escape", "Return", "Tab",
    "BackSpace", "Delete", "Home", "End", "Insert", "F4", "F5", "F12", "shift+Right",
    "ctrl+a", "alt+n", "ctrl+F1", "shift+Prior",
]
# Mouse buttons: 1 left, 2 middle, 3 right; every combination.
BUTTON_SETS = [(1,), (2,), (3,), (1, 2), (1, 3), (2, 3), (1, 2, 3)]
# Window sizes, from a single pixel up to the start size.
SIZES = [(1, 1), (2, 2), (3, 7), (8, 3), (640, 2), (2, 640), (37, 23), (200, 120),
         (640, 640)]

SEED = 20261208
# The random stream runs until it ends or for this long, whichever comes first:
# about two minutes in all with start-up, the first round and the close.
RANDOM_ACTIONS = 1500
RANDOM_SECONDS = 100.0
# Resident memory is sampled every so many random actions, each time with the
# window back at its start size (Mesa's buffers follow the window size). It
# still wobbles by some 20 MiB as the sanitizer's quarantine (kept small, see
# ASAN_OPTIONS) fills and empties, always upwards from a floor. A leak raises
# the floor: the lowest of the last samples stays within this of the lowest of
# the first unless something keeps growing, such as kilobytes a frame.
CHECKPOINT_ACTIONS = 50
RSS_TOLERANCE_KB = 16 * 1024


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise AssertionError(f"no VmRSS for process {pid}")


class SoakTest(harness.ProgramTestCase):
    def setUp(self):
        if not SANITIZED or not os.path.exists(SANITIZED):
            self.skipTest("CGDEMO_SANITIZED_BINARY is not set to the sanitizer build's cgdemo: "
                          "`make test` builds build-asan/cgdemo and sets it")
        super().setUp()
        self.use_binary(SANITIZED)

    def alive(self, program, doing):
        if program.process.poll() is not None:
            self.fail(f"cgdemo ended with status {program.process.returncode} during {doing}; "
                      f"stderr:\n{program.stderr}")

    def resize(self, program, size):
        harness.xdotool("windowsize", program.window, *size)
        time.sleep(0.1)

    def random_action(self, program, rng):
        choice = rng.random()
        if choice < 0.6:
            keys = PROGRAM_KEYS if rng.random() < 0.8 else OTHER_KEYS
            program.key(rng.choice(keys))
            return "a key"
        if choice < 0.9:
            point = lambda: (rng.randint(-100, 740), rng.randint(-100, 740))  # noqa: E731
            program.drag(rng.choice(BUTTON_SETS), point(), point(), steps=6, pause=0.01)
            return "a drag"
        self.resize(program, rng.choice(SIZES))
        return "a resize"

    def test_random_input_then_close(self):
        # The options are for the program alone: xdotool slows down a lot
        # with Mesa's driver preloaded.
        with mock.patch.dict(os.environ, SANITIZER_OPTIONS):
            program = harness.Program(self.directory)
        with program:
            program.wait_for_window(timeout=120)

            # Every model once, so that all meshes exist before memory is measured.
            program.key(*["Right"] * MODEL_COUNT)
            # Every key, button combination and size once: what the soak can
            # allocate is allocated before the first measurement.
            program.key(*PROGRAM_KEYS, *OTHER_KEYS)
            for buttons in BUTTON_SETS:
                program.drag(buttons, (320, 320), (400, 250), steps=6, pause=0.01)
            for size in SIZES:
                self.resize(program, size)
                program.key("a", "F1", "a", "F3")
            self.alive(program, "the first round of every input")
            baseline = self.checkpoint(program)

            rng = random.Random(SEED)
            samples = []
            deadline = time.monotonic() + RANDOM_SECONDS
            for action in range(1, RANDOM_ACTIONS + 1):
                if time.monotonic() > deadline:
                    break
                doing = self.random_action(program, rng)
                self.alive(program, doing)
                if action % CHECKPOINT_ACTIONS == 0:
                    samples.append(self.checkpoint(program))

            self.resize(program, (640, 640))
            program.close()
            status = program.wait_exit(timeout=60)
            reports = SANITIZER_REPORT.findall(program.stderr)
            self.assertEqual(reports, [], program.stderr)
            self.assertEqual(status, 0, program.stderr)

        self.assertGreaterEqual(len(samples), 2, "too few memory samples to compare")
        count = max(1, len(samples) // 3)
        early = min(samples[:count])
        late = min(samples[-count:])
        self.assertLessEqual(
            late - early, RSS_TOLERANCE_KB,
            f"resident memory grew from a floor of {early} kB to {late} kB during the soak "
            f"(after the first round: {baseline} kB); samples: {samples}")

    def checkpoint(self, program):
        """Resident memory with the window at its start size and drawn."""
        self.resize(program, (640, 640))
        program.settle()
        return resident_kb(program.process.pid)


if __name__ == "__main__":
    unittest.main()
