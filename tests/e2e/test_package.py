"""The Debian package of `make dist`, unpacked without installing: its cgdemo
command starts the program with its texture from any working directory."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

DIST = os.environ.get("CGDEMO_DIST", "")
VERSION = os.environ.get("CGDEMO_VERSION", "")


class PackageTest(harness.ProgramTestCase):
    # The working directory has no texture: the packaged one must be found.
    TEXTURE = False

    def unpack(self):
        """Unpacks the package into a fresh directory and returns it."""
        packages = glob.glob(os.path.join(DIST, f"cgdemo_{VERSION}_*.deb"))
        self.assertEqual(len(packages), 1,
                         f"expected one cgdemo_{VERSION}_<arch>.deb in {DIST} (made by "
                         f"`make dist`); observed: {packages}")
        root = tempfile.mkdtemp(prefix="cgdemo-package-")
        self.addCleanup(shutil.rmtree, root, True)
        subprocess.run(["dpkg-deb", "-x", packages[0], root], check=True, timeout=60)
        return root

    def test_packaged_command_starts_with_its_texture_anywhere(self):
        root = self.unpack()
        command = os.path.join(root, "usr", "bin", "cgdemo")
        # Relative, so that the command works wherever the package is unpacked.
        self.assertEqual(os.readlink(command), "../lib/cgdemo/cgdemo")
        self.assertTrue(os.path.isfile(os.path.join(root, "usr", "lib", "cgdemo", "japan.bmp")))
        self.assertFalse(os.path.exists(os.path.join(self.directory, "japan.bmp")))
        self.use_binary(command)
        self.assert_status_line_shows_typed_id()

    def test_menu_entry_starts_the_command_in_a_terminal(self):
        root = self.unpack()
        with open(os.path.join(root, "usr", "share", "applications", "cgdemo.desktop")) as f:
            entry = dict(line.strip().split("=", 1) for line in f if "=" in line)
        self.assertEqual(entry.get("Exec"), "cgdemo")
        self.assertEqual(entry.get("Terminal"), "true")
        self.assertEqual(entry.get("Type"), "Application")


if __name__ == "__main__":
    unittest.main()
