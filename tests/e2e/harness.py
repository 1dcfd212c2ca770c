"""End-to-end harness: runs the real cgdemo under the X server of `make test`,
drives it with xdotool and looks at the screen as a person would.

Every wait has a deadline; a test fails with what it waited for, never hangs.
"""

import glob
import os
import pwd
import shutil
import struct
import subprocess
import tempfile
import threading
import time
import unittest
import zlib
from unittest import mock

BINARY = os.environ.get("CGDEMO_BINARY", "")
CLOSE_WINDOW = os.environ.get("CGDEMO_CLOSE_WINDOW", "")
ASSETS = os.environ.get("CGDEMO_ASSETS", "")
BUILD = os.environ.get("CGDEMO_BUILD", "")

TITLE = "Sample Program for CG Report"
PROMPT = "Input your student ID (8 digits number) >"
TEXTURE_MESSAGE = (
    "テクスチャ画像を読み込めません。\n"
    "プログラムと同じディレクトリにテクスチャ画像を置いてから実行してください。"
)
ID_MESSAGE = "Student ID must be 8 digits or alphabets. Try again."
FATAL_STATUS = 255  # exit status -1

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# Mesa unloads its driver when the display closes, before a leak check at exit:
# blocks only the driver's variables pointed to would then look lost. Preloading
# the driver keeps it, and its pointers, to the end.
MESA_DRIVERS = sorted(glob.glob("/usr/lib/*/dri/swrast_dri.so") +
                      glob.glob("/usr/lib/*/libgallium*.so"))

# The status line is drawn in the window's top left corner, over the sky.
STATUS_BAND = (0, 0, 640, 40)
# Everything below it: floor, actors and the rest of the sky.
SCENE = (0, 40, 640, 600)

# Generous deadlines: they bound a failing test, they do not time a passing one.
START_DEADLINE = 30.0
EXIT_DEADLINE = 20.0


def require_environment(test_case):
    """Skips test_case's tests when there is no binary or no X server."""
    if not BINARY or not os.path.exists(BINARY):
        test_case.skipTest("CGDEMO_BINARY is not set: run through `make test`")
    if not os.environ.get("DISPLAY"):
        test_case.skipTest("no DISPLAY: run through `make test`, which starts Xvfb")


def wait_until(predicate, timeout, what):
    """Polls predicate until it returns a true value, which it returns; fails
    with 'timed out waiting for <what>' after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(0.05)


def xdotool(*args, check=True):
    """Runs xdotool with args and returns its standard output."""
    result = subprocess.run(
        ["xdotool", *map(str, args)], capture_output=True, text=True, timeout=20
    )
    if check and result.returncode != 0:
        raise AssertionError(f"xdotool {' '.join(map(str, args))} failed: {result.stderr}")
    return result.stdout


def find_windows(name):
    """Ids of the mapped windows whose title is exactly name."""
    out = xdotool("search", "--onlyvisible", "--name", f"^{name}$", check=False)
    return [int(line) for line in out.split()]


def window_geometry(window):
    """(x, y, width, height) of a window on the screen."""
    out = xdotool("getwindowgeometry", "--shell", window)
    values = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


class Image:
    """An RGB picture: pixel(x, y) with y counted from the top."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i : i + 3])

    def crop(self, x, y, width, height):
        rows = [self.rgb[3 * ((y + r) * self.width + x) : 3 * ((y + r) * self.width + x + width)]
                for r in range(height)]
        return Image(width, height, b"".join(rows))

    def count(self, predicate, region=None):
        """Number of pixels (r, g, b) in region (x, y, w, h) for which predicate holds."""
        x0, y0, w, h = region or (0, 0, self.width, self.height)
        return sum(1 for y in range(y0, y0 + h) for x in range(x0, x0 + w)
                   if predicate(self.pixel(x, y)))

    def difference(self, other):
        """Number of pixels that differ between two pictures of one size."""
        assert (self.width, self.height) == (other.width, other.height)
        a, b = self.rgb, other.rgb
        return sum(1 for i in range(0, len(a), 3) if a[i : i + 3] != b[i : i + 3])

    def save_png(self, path):
        raw = b"".join(b"\x00" + self.rgb[3 * self.width * y : 3 * self.width * (y + 1)]
                       for y in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                    + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def load_png(path):
    """An 8-bit RGB or RGBA PNG file, not interlaced, as an Image."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is not a PNG file"
    position, header, compressed = 8, None, b""
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position : position + 8])
        body = data[position + 8 : position + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        position += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert depth == 8 and colour in (2, 6) and interlace == 0, f"{path}: unsupported PNG"
    step = 3 if colour == 2 else 4
    raw = zlib.decompress(compressed)
    stride = width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):
            left = row[i - step] if i >= step else 0
            up = previous[i]
            corner = previous[i - step] if i >= step else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                estimate = left + up - corner
                pa, pb, pc = abs(estimate - left), abs(estimate - up), abs(estimate - corner)
                nearest = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                row[i] = (row[i] + nearest) & 0xFF
        rows.append(bytes(row) if step == 3 else
                    b"".join(bytes(row[i : i + 3]) for i in range(0, stride, 4)))
        previous = row
    return Image(width, height, b"".join(rows))


def grab_screen():
    """The whole screen as an Image, read with xwd."""
    data = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True,
                          timeout=30).stdout
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks = fields[14:17]
    ncolors = fields[19]
    # The layout of the X server that `make test` starts: blue-green-red(-pad) bytes.
    if bits_per_pixel not in (24, 32) or byte_order != 0 or masks != (0xFF0000, 0xFF00, 0xFF):
        raise AssertionError(f"xwd gave an unexpected pixel layout: {bits_per_pixel} bits, "
                             f"byte order {byte_order}, masks {masks}")
    pixels = data[header_size + 12 * ncolors:]
    step = bits_per_pixel // 8
    rgb = bytearray(3 * width * height)
    for y in range(height):
        row = pixels[y * bytes_per_line : y * bytes_per_line + step * width]
        out = memoryview(rgb)[3 * width * y : 3 * width * (y + 1)]
        out[0::3] = row[2::step]
        out[1::3] = row[1::step]
        out[2::3] = row[0::step]
    return Image(width, height, bytes(rgb))


def grab_window(window):
    """What the screen shows inside a window."""
    x, y, width, height = window_geometry(window)
    return grab_screen().crop(x, y, width, height)


def working_directory(texture=True):
    """A fresh directory, readable by any user, holding the shipped texture
    unless texture is False. Removed again by the caller (shutil.rmtree)."""
    path = tempfile.mkdtemp(prefix="cgdemo-e2e-")
    os.chmod(path, 0o755)
    if texture:
        shutil.copy(os.path.join(ASSETS, "japan.bmp"), path)
        os.chmod(os.path.join(path, "japan.bmp"), 0o644)
    return path


def reachable_copy(path):
    """A copy of the file at path, alone in a fresh directory that any user
    may enter, for a program run as another user when the checkout lies in a
    folder only its owner may enter (a home folder of mode 700, say). Returns
    the copy's path; the caller removes its directory (shutil.rmtree)."""
    directory = tempfile.mkdtemp(prefix="cgdemo-e2e-")
    os.chmod(directory, 0o755)
    copy = shutil.copy(path, directory)
    os.chmod(copy, 0o755)
    return copy


class Program:
    """The real cgdemo, started in cwd with stdin_text written to its standard
    input (None: standard input stays open, see type_line), optionally as
    another user, who then runs a copy of it from a directory of its own, and
    with more environment variables. Use as a context manager: leaving it
    kills what still runs."""

    def __init__(self, cwd, stdin_text="12345678\n", user=None, environment=None):
        env = dict(os.environ, **(environment or {}))
        preexec = None
        binary = BINARY
        self._copy = None
        if user is not None:
            binary = self._copy = reachable_copy(BINARY)
            account = pwd.getpwnam(user)
            env.update(HOME=account.pw_dir, USER=user, LOGNAME=user)

            def preexec():
                os.setgid(account.pw_gid)
                os.setgroups([])
                os.setuid(account.pw_uid)

        try:
            self.process = subprocess.Popen(
                [binary], cwd=cwd, env=env, preexec_fn=preexec, stdin=subprocess.PIPE,
                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        except BaseException:
            self._remove_copy()
            raise
        self._stdout = bytearray()
        self._stderr = bytearray()
        self._readers = [
            threading.Thread(target=self._collect, args=(self.process.stdout, self._stdout),
                             daemon=True),
            threading.Thread(target=self._collect, args=(self.process.stderr, self._stderr),
                             daemon=True),
        ]
        for reader in self._readers:
            reader.start()
        self.window = None
        if stdin_text is not None:
            self.type_line(stdin_text, close=True)

    @staticmethod
    def _collect(stream, buffer):
        while True:
            chunk = os.read(stream.fileno(), 4096)
            if not chunk:
                return
            buffer.extend(chunk)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait(timeout=EXIT_DEADLINE)
        for reader in self._readers:
            reader.join(timeout=5)
        for stream in (self.process.stdin, self.process.stdout, self.process.stderr):
            if not stream.closed:
                stream.close()
        self._remove_copy()
        return False

    def _remove_copy(self):
        if self._copy is not None:
            shutil.rmtree(os.path.dirname(self._copy), True)

    @property
    def stdout(self):
        return self._stdout.decode("utf-8", "replace")

    @property
    def stderr(self):
        return self._stderr.decode("utf-8", "replace")

    def type_line(self, text, close=False):
        """Writes text to the program's standard input; closes it if asked."""
        try:
            if text:
                self.process.stdin.write(text.encode())
                self.process.stdin.flush()
            if close:
                self.process.stdin.close()
        except BrokenPipeError:
            pass  # the program has already stopped reading

    def wait_for_stdout(self, text, timeout=START_DEADLINE):
        try:
            wait_until(lambda: text in self.stdout, timeout, f"{text!r} on standard output")
        except AssertionError as error:
            raise AssertionError(f"{error}; stdout: {self.stdout!r}; "
                                 f"stderr: {self.stderr!r}") from None

    def _alive_or_fail(self, what):
        if self.process.poll() is not None:
            raise AssertionError(
                f"cgdemo exited with status {self.process.returncode} while waiting for "
                f"{what}; stdout: {self.stdout!r}; stderr: {self.stderr!r}")

    def wait_for_window(self, name=TITLE, timeout=START_DEADLINE):
        """Waits until a window titled name shows and returns its id; for the
        main window it also becomes self.window and gets the keyboard focus."""
        def found():
            self._alive_or_fail(f"the window {name!r}")
            windows = find_windows(name)
            return windows[0] if windows else None

        window = wait_until(found, timeout, f"the window {name!r}")
        if name == TITLE:
            self.window = window
            self.wait_for_first_frame()
            self.focus()
        return window

    def wait_for_first_frame(self, timeout=START_DEADLINE):
        """Waits until the window shows the background colour somewhere: a
        frame has been drawn."""
        def drawn():
            self._alive_or_fail("the first frame")
            picture = self.screenshot()
            return any(is_near(picture.pixel(x, y), BACKGROUND, 3)
                       for y in range(2, picture.height, 16) for x in range(2, picture.width, 16))

        wait_until(drawn, timeout, "the first frame")

    def focus(self):
        xdotool("windowfocus", "--sync", self.window)
        xdotool("mousemove", "--window", self.window, 320, 320)

    def key(self, *names):
        """Presses and releases each key (xdotool names: space, F1, Next, ...)."""
        self.focus()
        for name in names:
            xdotool("key", "--delay", 30, name)

    def drag(self, buttons, start, end, steps=10, pause=0.02):
        """Holds a mouse button (1 left, 2 middle, 3 right) or each of a tuple
        of them while the pointer moves from start to end in steps, window
        coordinates that may lie outside the window."""
        buttons = (buttons,) if isinstance(buttons, int) else buttons
        xdotool("mousemove", "--window", self.window, "--", *start)
        for button in buttons:
            xdotool("mousedown", button)
        for step in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * step // steps
            y = start[1] + (end[1] - start[1]) * step // steps
            xdotool("mousemove", "--window", self.window, "--", x, y)
            time.sleep(pause)
        for button in reversed(buttons):
            xdotool("mouseup", button)

    def screenshot(self):
        return grab_window(self.window)

    def still_picture(self, timeout=START_DEADLINE):
        """The window's picture once two screenshots in a row are equal: with
        the clock held still, a frame copied to the window completely (the
        first one may be caught half copied)."""
        previous = [self.screenshot()]

        def same():
            current = self.screenshot()
            equal = current.rgb == previous[0].rgb
            previous[0] = current
            return current if equal else None

        return wait_until(same, timeout, "a picture that stands still")

    def settle(self, frames=3):
        """Lets the program draw a few more frames after input: waits until the
        window's picture has been replaced by a new one frames times, or until
        it stands still (frozen animation), whichever comes first."""
        previous = self.screenshot()
        for _ in range(frames):
            time.sleep(0.15)
            current = self.screenshot()
            if current.rgb == previous.rgb:
                break
            previous = current
        return previous

    def close(self):
        """Asks the window to close, as a window manager's close button does."""
        subprocess.run([CLOSE_WINDOW, str(self.window)], check=True, timeout=20)

    def wait_exit(self, timeout=EXIT_DEADLINE):
        """Waits for the program to end and returns its exit status."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"cgdemo still running after {timeout:.0f} s") from None

    def wait_for_picture(self, predicate, what, timeout=START_DEADLINE):
        """The first screenshot of the window for which predicate holds."""
        def check():
            picture = self.screenshot()
            return picture if predicate(picture) else None

        return wait_until(check, timeout, what)

    def dismiss_dialog(self, title="Error", timeout=START_DEADLINE, dialog=None):
        """Waits for the message box titled title (unless its id is given) and
        presses its OK button with the keyboard; returns the box's picture."""
        if dialog is None:
            dialog = self.wait_for_window(title, timeout)
        time.sleep(0.3)  # let GTK draw the box before it is looked at
        picture = grab_window(dialog)
        xdotool("windowfocus", "--sync", dialog)
        xdotool("key", "Return")
        return picture


# The clear colour (0.5, 0.5, 0.8) as 8-bit channels.
BACKGROUND = (127, 127, 204)


def is_near(pixel, expected, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(pixel, expected))


def is_red(pixel):
    r, g, b = pixel
    return r > 150 and g < 60 and b < 60


def red_in_status_band(picture):
    return picture.count(is_red, STATUS_BAND)


def status_band(picture):
    return picture.crop(*STATUS_BAND)


def red_columns(picture):
    """The x of every column of the status band that holds a red pixel."""
    x0, y0, width, height = STATUS_BAND
    return [x for x in range(x0, x0 + width)
            if any(is_red(picture.pixel(x, y)) for y in range(y0, y0 + height))]


def bitmap_headers(width, height, bits=24):
    """The 54 header bytes of an uncompressed bitmap, without any pixel row."""
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 2835, 2835, 0, 0)
    row = (width * bits // 8 + 3) // 4 * 4
    file_size = (54 + row * abs(height)) & 0xFFFFFFFF  # as a 32-bit field, wrapped
    return struct.pack("<2sIHHI", b"BM", file_size, 0, 0, 54) + info


# How far another build's picture (Windows under wine, the browser's) may
# differ from the Linux build's: a pixel counts as different when a channel is
# off by more than CHANNEL_TOLERANCE, and at most DIFFERENT_PIXELS may be (0.1 %
# of the window), for a driver that rounds an edge differently.
CHANNEL_TOLERANCE = 8
DIFFERENT_PIXELS = 400


def pixels_apart(first, second):
    """Number of pixels where the two pictures differ by more than the tolerance."""
    a, b = first.rgb, second.rgb
    return sum(1 for i in range(0, len(a), 3)
               if max(abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]),
                      abs(a[i + 2] - b[i + 2])) > CHANNEL_TOLERANCE)


def glyph_shapes(picture):
    """The distinct shapes of the dark marks in the top text line of a message
    box: the line is cut into marks at blank columns, and each mark's columns
    of dark pixels make its shape."""
    def dark(pixel):
        return sum(pixel) < 200

    rows = [y for y in range(picture.height)
            if any(dark(picture.pixel(x, y)) for x in range(picture.width))]
    if not rows:
        return set()
    # The first band of rows holding dark pixels: the text's first line.
    top = bottom = rows[0]
    while bottom + 1 in rows:
        bottom += 1
    columns = [tuple(dark(picture.pixel(x, y)) for y in range(top, bottom + 1))
               for x in range(picture.width)]
    shapes, mark = set(), []
    for column in columns + [()]:
        if any(column):
            mark.append(column)
        elif mark:
            shapes.add(tuple(mark))
            mark = []
    return shapes


class ProgramTestCase(unittest.TestCase):
    """Skips without binary or display; gives each test a fresh working
    directory, with the shipped texture unless the class sets TEXTURE False."""

    TEXTURE = True

    def setUp(self):
        require_environment(self)
        self.directory = working_directory(texture=self.TEXTURE)
        self.addCleanup(shutil.rmtree, self.directory, True)

    def use_binary(self, path):
        """Runs path in place of cgdemo for the rest of the test."""
        patch = mock.patch(f"{__name__}.BINARY", path)
        patch.start()
        self.addCleanup(patch.stop)

    def use_wrapper(self, script):
        """Runs a shell script in place of cgdemo for the rest of the test; the
        script finds the real binary in $CGDEMO and its scratch directory in
        $SCRATCH, which is returned."""
        scratch = tempfile.mkdtemp(prefix="cgdemo-e2e-")
        self.addCleanup(shutil.rmtree, scratch, True)
        wrapper = os.path.join(scratch, "cgdemo-wrapper")
        with open(wrapper, "w") as f:
            f.write(f"#!/bin/sh\nCGDEMO='{BINARY}'\nSCRATCH='{scratch}'\n{script}\n")
        os.chmod(wrapper, 0o700)
        self.use_binary(wrapper)
        return scratch

    def write_texture(self, content):
        path = os.path.join(self.directory, "japan.bmp")
        with open(path, "wb") as f:
            f.write(content)
        os.chmod(path, 0o644)

    def assert_closes_cleanly(self, program):
        """Closes the window and expects exit status 0."""
        program.close()
        self.assertEqual(program.wait_exit(), 0, program.stderr)

    def run_with_typed_id(self, student_id):
        """Starts the program, answers its prompt with student_id and returns
        the status band of the first frame; stdout must hold the prompt alone."""
        with Program(self.directory, stdin_text=None) as program:
            program.wait_for_stdout(PROMPT)
            self.assertEqual(program.stdout, PROMPT)
            program.type_line(student_id + "\n", close=True)
            program.wait_for_window()
            band = status_band(program.screenshot())
            self.assert_closes_cleanly(program)
            self.assertEqual(program.stdout, PROMPT)
            return band

    def assert_status_line_shows_typed_id(self):
        """Runs the program twice with IDs that differ in their last digit:
        the red status lines must differ there and only there."""
        first = self.run_with_typed_id("12345678")
        columns = red_columns(first)
        self.assertGreater(len(columns), 50, "no red status line in the window's top left")
        # "Student ID: 1234567" comes out alike for both IDs; only the last digit differs.
        second = self.run_with_typed_id("12345679")
        differing = [x for x in range(first.width)
                     if any(first.pixel(x, y) != second.pixel(x, y) for y in range(first.height))]
        self.assertTrue(differing, "the status line does not show the typed ID")
        self.assertGreater(min(differing), 0.8 * max(columns),
                           f"the lines differ before their last character: red in columns "
                           f"{min(columns)}-{max(columns)}, differences from {min(differing)}")

    def assert_matches_linux(self, take, expected, what, name):
        """Waits until the picture take() returns matches the Linux build's
        picture expected; on failure both are saved in the build folder as
        <name>-expected.png and <name>-observed.png."""
        try:
            wait_until(lambda: pixels_apart(take(), expected) <= DIFFERENT_PIXELS,
                       START_DEADLINE, f"the Linux build's picture {what}")
        except AssertionError:
            observed = take()
            expected.save_png(os.path.join(BUILD, f"{name}-expected.png"))
            observed.save_png(os.path.join(BUILD, f"{name}-observed.png"))
            self.fail(f"{what}: Expected the Linux build's picture ({name}-expected.png in the "
                      f"build folder), Observed {pixels_apart(observed, expected)} pixels off "
                      f"by more than {CHANNEL_TOLERANCE} ({name}-observed.png)")

    def assert_no_program_window(self, while_what):
        """Fails if the program's window is on the screen."""
        self.assertEqual(find_windows(TITLE), [],
                         f"the window {TITLE!r} is open while {while_what}")

    def assert_error_box(self, message, stdin_text="12345678\n", user=None):
        """Runs the program, expects the "Error" box and message on standard
        error, with no program window ever opened, dismisses the box and
        expects exit status 255. Returns what the program wrote to standard
        output."""
        with Program(self.directory, stdin_text, user=user) as program:
            dialog = program.wait_for_window("Error")
            # The box ends the program: a window opened before it stays behind it.
            self.assert_no_program_window("the error box shows")
            program.dismiss_dialog(dialog=dialog)
            status = program.wait_exit()
            self.assertIn(message, program.stderr)
            self.assertEqual(status, FATAL_STATUS, program.stderr)
            return program.stdout
