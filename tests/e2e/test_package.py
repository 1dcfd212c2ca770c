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

    def package(self):
        packages = glob.glob(os.path.join(DIST, f"cgdemo_{VERSION}_*.deb"))
        self.assertEqual(len(packages), 1,
                         f"expected one cgdemo_{VERSION}_<arch>.deb in {DIST} (made by "
                         f"`make dist`); observed: {packages}")
        return packages[0]

    def unpack(self):
        """Unpacks the package into a fresh directory and returns it."""
        root = tempfile.mkdtemp(prefix="cgdemo-package-")
        self.addCleanup(shutil.rmtree, root, True)
        subprocess.run(["dpkg-deb", "-x", self.package(), root], check=True, timeout=60)
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

    def test_menu_entry_readme_and_dependencies(self):
        root = self.unpack()
        with open(os.path.join(root, "usr", "share", "applications", "cgdemo.desktop")) as f:
            entry = dict(line.strip().split("=", 1) for line in f if "=" in line)
        self.assertEqual(entry.get("Exec"), "cgdemo")
        # The student ID is asked on the console.
        self.assertEqual(entry.get("Terminal"), "true")
        # The students' guide, without the developers' parts.
        with open(os.path.join(root, "usr", "share", "doc", "cgdemo", "README.md")) as f:
            readme = f.read()
        self.assertIn(harness.PROMPT, readme)
        self.assertNotIn("make test", readme)
        depends = subprocess.run(["dpkg-deb", "-f", self.package(), "Depends"], check=True,
                                 capture_output=True, text=True, timeout=60).stdout
        # Computed from the libraries the program links.
        for library in ("libglut", "libgtk-3", "libglu"):
            self.assertIn(library, depends)


if __name__ == "__main__":
    unittest.main()
