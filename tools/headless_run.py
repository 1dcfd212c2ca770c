"""headless_run.py BUILD-DIR: runs cgdemo on the current (virtual) display with
the terminal's standard input, saves a screenshot once it has run a few
seconds, closes its window and says where the picture is."""

import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import harness  # noqa: E402

build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
program = subprocess.Popen([os.path.join(build, "cgdemo")], cwd=os.path.join(ROOT, "assets"))


def window_or_error_box():
    """The window once it shows; "Error" when the error box shows instead
    (nobody can dismiss it on the virtual display); True when cgdemo ended."""
    if program.poll() is not None:
        return True
    if harness.find_windows("Error"):
        return "Error"
    return (harness.find_windows(harness.TITLE) or [None])[0]


# The window opens once the student ID is typed: long enough for a person to type it.
try:
    window = harness.wait_until(window_or_error_box, 300, "the cgdemo window")
except AssertionError as error:
    program.kill()
    sys.exit(f"cgdemo did not show its window: {error}")
if window == "Error":
    program.kill()
    program.wait()
    sys.exit("cgdemo stopped with its error box (the message is above); no screenshot")
if program.poll() is not None:
    sys.exit(f"cgdemo ended with status {program.returncode} before showing its window")
time.sleep(3)
picture = os.path.join(build, "cgdemo.png")
harness.grab_window(window).save_png(picture)
# The picture is all this run is for: end the program without building the
# tests' window closer.
program.terminate()
try:
    program.wait(timeout=20)
except subprocess.TimeoutExpired:
    program.kill()
print(f"\nScreenshot saved to {picture}")
