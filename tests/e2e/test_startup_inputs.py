"""Bad start-up inputs, end to end: a japan.bmp that cannot be used, and no
student ID on standard input. Each run ends with the message box titled "Error"
and exit status 255 (-1), never with a crash or a hang."""

import os
import pwd
import shutil
import stat
import struct
import sys
import tempfile
import unittest
from unittest import mock

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

FATAL_STATUS = 255


def bitmap_headers(width, height, bits=24):
    """The 54 header bytes of an uncompressed bitmap, without any pixel row."""
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 2835, 2835, 0, 0)
    row = (width * bits // 8 + 3) // 4 * 4
    file_size = (54 + row * abs(height)) & 0xFFFFFFFF  # as a 32-bit field, wrapped
    return struct.pack("<2sIHHI", b"BM", file_size, 0, 0, 54) + info


class StartupInputTest(unittest.TestCase):
    def setUp(self):
        harness.require_environment(self)
        self.directory = harness.working_directory(texture=False)
        self.addCleanup(shutil.rmtree, self.directory, True)
        self.texture = os.path.join(self.directory, "japan.bmp")

    def write_texture(self, content):
        with open(self.texture, "wb") as f:
            f.write(content)
        os.chmod(self.texture, 0o644)

    def assert_fatal(self, message, stdin_text="12345678\n", user=None):
        """Runs the program, expects the "Error" box with message, dismisses it
        and expects exit status 255."""
        with harness.Program(self.directory, stdin_text, user=user) as program:
            program.dismiss_dialog("Error")
            status = program.wait_exit()
            self.assertIn(message, program.stderr)
            self.assertEqual(status, FATAL_STATUS, program.stderr)
            return program.stdout

    def assert_texture_refused(self, user=None):
        stdout = self.assert_fatal(harness.TEXTURE_MESSAGE, user=user)
        # The texture is read before the student is identified.
        self.assertNotIn(harness.PROMPT, stdout)

    def test_texture_that_is_a_directory(self):
        os.mkdir(self.texture)
        self.assert_texture_refused()

    def test_texture_that_cannot_be_read(self):
        shutil.copy(os.path.join(harness.ASSETS, "japan.bmp"), self.texture)
        os.chmod(self.texture, 0)
        user = None
        if os.geteuid() == 0:
            # Root reads any file: run as an unprivileged account instead.
            try:
                user = pwd.getpwnam("nobody").pw_name
            except KeyError:
                self.skipTest("running as root without a 'nobody' account: root reads any file")
        self.assert_texture_refused(user)

    def test_empty_texture(self):
        self.write_texture(b"")
        self.assert_texture_refused()

    def test_texture_with_headers_and_no_pixel_rows(self):
        for name, content in [("rows missing", bitmap_headers(4, 4)),
                              ("no rows declared", bitmap_headers(4, 0))]:
            with self.subTest(name):
                self.write_texture(content)
                self.assert_texture_refused()

    def test_texture_that_declares_a_huge_image(self):
        # 16384 x 16384 would be 768 MiB of pixels; the file holds one row.
        for name, (width, height) in [("largest accepted sides", (16384, 16384)),
                                      ("sides out of range", (1 << 30, 1 << 30)),
                                      ("negative width", (-5, 4))]:
            with self.subTest(name):
                self.write_texture(bitmap_headers(width, height) + bytes(3 * 16384))
                self.assert_texture_refused()

    def test_standard_input_at_its_end_without_an_id(self):
        shutil.copy(os.path.join(harness.ASSETS, "japan.bmp"), self.directory)
        stdout = self.assert_fatal(harness.ID_MESSAGE, stdin_text="")
        self.assertIn(harness.PROMPT, stdout)

    def test_standard_input_closed(self):
        # Descriptor 0 closed, not merely at its end: the X connection must not
        # take its place, where the prompt would read it as the student's input.
        shutil.copy(os.path.join(harness.ASSETS, "japan.bmp"), self.directory)
        scratch = tempfile.mkdtemp(prefix="cgdemo-e2e-")
        self.addCleanup(shutil.rmtree, scratch, True)
        wrapper = os.path.join(scratch, "without-stdin")
        with open(wrapper, "w") as f:
            f.write(f'#!/bin/sh\nexec "{harness.BINARY}" "$@" <&-\n')
        os.chmod(wrapper, stat.S_IRWXU)
        with mock.patch.object(harness, "BINARY", wrapper):
            program = harness.Program(self.directory, stdin_text="")
        with program:
            dialog = program.wait_for_window("Error")
            standard_input = os.readlink(f"/proc/{program.process.pid}/fd/0")
            self.assertFalse(standard_input.startswith("socket:"),
                             f"standard input became {standard_input}")
            harness.xdotool("windowfocus", "--sync", dialog)
            harness.xdotool("key", "Return")
            status = program.wait_exit()
            self.assertIn(harness.ID_MESSAGE, program.stderr)
            self.assertIn(harness.PROMPT, program.stdout)
            self.assertEqual(status, FATAL_STATUS, program.stderr)

if __name__ == "__main__":
    unittest.main()
