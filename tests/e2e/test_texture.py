"""The floor texture end to end: without a usable japan.bmp the program stops
with its message box before asking for a student ID; with the shipped one the
floor shows one tile of it, and '.' moves on to the next tile. A working
directory without any japan.bmp falls back to the one beside the program."""

import math
import os
import pwd
import shutil
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def shipped_texture():
    with open(os.path.join(harness.ASSETS, "japan.bmp"), "rb") as f:
        return f.read()

# Top-left corner of each tile's image window, in tenths (v from the top row).
TILES = [(1, 8), (1, 7), (2, 7), (3, 6), (4, 6), (5, 6), (5, 5), (5, 4), (6, 4), (6, 3),
         (6, 2), (6, 1), (7, 1)]


class Texture:
    """A 24-bit bottom-up bitmap with a 40-byte header, as the shipped one is."""

    def __init__(self, data):
        self.width, height = struct.unpack_from("<ii", data, 18)
        self.height = abs(height)
        stride = (3 * self.width + 3) // 4 * 4
        # Rows top to bottom, as the floor samples them.
        self.rows = [data[54 + (self.height - 1 - y) * stride:][:3 * self.width]
                     for y in range(self.height)]

    def texel(self, x, y):
        x %= self.width
        y %= self.height
        b, g, r = self.rows[y][3 * x:3 * x + 3]
        return (r, g, b)

    def sample(self, u, v):
        """Bilinear, repeating, at texture coordinates (u, v)."""
        x = u * self.width - 0.5
        y = v * self.height - 0.5
        x0, y0 = math.floor(x), math.floor(y)
        fx, fy = x - x0, y - y0
        corners = [self.texel(x0, y0), self.texel(x0 + 1, y0), self.texel(x0, y0 + 1),
                   self.texel(x0 + 1, y0 + 1)]
        weights = [(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy]
        return tuple(sum(w * c[k] for w, c in zip(weights, corners)) for k in range(3))


def rotation(degrees, axis):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    if axis == "x":
        return [[1, 0, 0], [0, c, -s], [0, s, c]]
    return [[c, 0, s], [0, 1, 0], [-s, 0, c]]


def apply(matrix, point):
    return [sum(matrix[r][k] * point[k] for k in range(3)) for r in range(3)]


def window_pixel(x, z):
    """Where floor point (x, 0, z) shows in the start-up view: the orbit camera
    15 units away, pitch -30 and yaw -30, looking at (0, 0.5, 0), 45 degrees."""
    eye = apply(rotation(30, "x"), apply(rotation(30, "y"), [x, -0.5, z]))
    eye[2] -= 15.0
    focal = 1.0 / math.tan(math.radians(22.5))
    ndc_x = focal * eye[0] / -eye[2]
    ndc_y = focal * eye[1] / -eye[2]
    return int((ndc_x + 1) * 320), int(640 - (ndc_y + 1) * 320)


def lighting(x, z):
    """Light 0 at (5, 3, 5) on the upward floor: ambient 0.2 + 0.2, diffuse 0.8."""
    to_light = (5 - x, 3, 5 - z)
    cosine = 3 / math.sqrt(sum(c * c for c in to_light))
    return min(1.0, 0.4 + 0.8 * cosine)


def predicted_floor(texture, tile):
    """[(pixel, colour)] at the centre of each floor square for one tile. The
    light is worked out per vertex; a centre lies on the diagonal the square's
    two triangles share, half way between two corners."""
    column, row = tile
    points = []
    for i in range(10):
        for j in range(10):
            x0, z0 = i - 5, j - 5
            light = (lighting(x0, z0) + lighting(x0 + 1, z0 + 1)) / 2
            u = column * 0.1 + 0.02 * (x0 + 5.5)
            v = row * 0.1 + 0.02 * (z0 + 5.5)
            colour = tuple(c * light for c in texture.sample(u, v))
            points.append((window_pixel(x0 + 0.5, z0 + 0.5), colour))
    return points


def tile_errors(picture, texture):
    """Median over the visible floor squares of the largest channel difference
    between the picture and each tile's prediction. Actors and shadows cover
    only a few squares, which the median leaves out."""
    errors = []
    for tile in TILES:
        differences = []
        for (px, py), colour in predicted_floor(texture, tile):
            if 0 <= px < picture.width and 40 <= py < picture.height:
                seen = picture.pixel(px, py)
                differences.append(max(abs(a - b) for a, b in zip(seen, colour)))
        differences.sort()
        errors.append(differences[len(differences) // 2])
    return errors


def shown_tile(picture, texture):
    """The tile the floor matches, or None when no tile matches clearly."""
    errors = tile_errors(picture, texture)
    best = min(range(len(TILES)), key=errors.__getitem__)
    runner_up = min(e for k, e in enumerate(errors) if k != best)
    if errors[best] <= 12 and runner_up >= 2 * errors[best] + 10:
        return best
    return None


def run_from_elsewhere(test, texture):
    """Makes test run a copy of cgdemo kept in a folder of its own, with the
    shipped texture beside it if texture, through a symbolic link in yet
    another folder, as a packaged command is run. Returns the copy's folder."""
    folders = []
    for _ in range(2):
        folders.append(os.path.realpath(tempfile.mkdtemp(prefix="cgdemo-e2e-")))
        os.chmod(folders[-1], 0o755)
        test.addCleanup(shutil.rmtree, folders[-1], True)
    program, links = folders
    shutil.copy(harness.BINARY, program)
    if texture:
        shutil.copy(os.path.join(harness.ASSETS, "japan.bmp"), program)
    link = os.path.join(links, "cgdemo")
    os.symlink(os.path.relpath(os.path.join(program, os.path.basename(harness.BINARY)), links),
               link)
    test.use_binary(link)
    return program


class TextureRefusedTest(harness.ProgramTestCase):
    """Each refused japan.bmp lies in the working directory while a good one
    lies beside the program: a refused file is not passed over."""

    TEXTURE = False

    def setUp(self):
        super().setUp()
        run_from_elsewhere(self, texture=True)

    def assert_refused(self, user=None):
        stdout = self.assert_error_box(harness.TEXTURE_MESSAGE, user=user)
        # The texture is read before the student is identified: no ID is asked for.
        self.assertNotIn(harness.PROMPT, stdout)

    def test_texture_that_is_a_directory(self):
        os.mkdir(os.path.join(self.directory, "japan.bmp"))
        self.assert_refused()

    def test_texture_that_cannot_be_read(self):
        self.write_texture(shipped_texture())
        os.chmod(os.path.join(self.directory, "japan.bmp"), 0)
        user = None
        if os.geteuid() == 0:
            # Root reads any file: run as an unprivileged account instead.
            try:
                user = pwd.getpwnam("nobody").pw_name
            except KeyError:
                self.skipTest("running as root without a 'nobody' account: root reads any file")
        self.assert_refused(user)

    def test_texture_with_unusable_content(self):
        shipped = shipped_texture()
        cases = {
            "empty file": b"",
            "truncated in the headers": shipped[:40],
            "truncated in the pixel rows": shipped[:len(shipped) // 2],
            "headers and no pixel row": harness.bitmap_headers(4, 4),
            "no rows declared": harness.bitmap_headers(4, 0),
            "32 bits per pixel": harness.bitmap_headers(8, 8, bits=32) + bytes(range(256)),
            # 16384 x 16384 would be 768 MiB of pixels; the file holds one row.
            "largest accepted sides": harness.bitmap_headers(16384, 16384) + bytes(3 * 16384),
            "sides out of range": harness.bitmap_headers(1 << 30, 1 << 30) + bytes(3 * 16384),
            "negative width": harness.bitmap_headers(-5, 4) + bytes(3 * 16384),
        }
        for name, content in cases.items():
            with self.subTest(name):
                self.write_texture(content)
                self.assert_refused()


class TextureBesideTheProgramTest(harness.ProgramTestCase):
    """Started from an empty working directory."""

    TEXTURE = False

    def test_texture_beside_the_program_is_shown(self):
        run_from_elsewhere(self, texture=True)
        texture = Texture(shipped_texture())
        with harness.Program(self.directory) as program:
            program.wait_for_window()
            picture = program.settle()
            self.assertIsNotNone(
                shown_tile(picture, texture), "the floor matches no tile of japan.bmp; median "
                f"differences per tile: {tile_errors(picture, texture)}")
            self.assert_closes_cleanly(program)

    def test_texture_nowhere_names_the_folders_searched(self):
        program = run_from_elsewhere(self, texture=False)
        working = os.path.realpath(self.directory)
        searched = (f"japan.bmp was found neither in the working directory {working}/ "
                    f"nor in the program's folder {program}/\n")
        stdout = self.assert_error_box(searched + harness.TEXTURE_MESSAGE)
        self.assertNotIn(harness.PROMPT, stdout)


class TextureShownTest(harness.ProgramTestCase):
    def setUp(self):
        super().setUp()
        self.texture = Texture(shipped_texture())

    def test_floor_shows_a_tile_and_period_moves_to_the_next(self):
        with harness.Program(self.directory) as program:
            program.wait_for_window()
            picture = program.settle()
            tile = shown_tile(picture, self.texture)
            self.assertIsNotNone(
                tile, "the floor matches no tile of japan.bmp; median differences per tile: "
                f"{tile_errors(picture, self.texture)}")
            for step in range(1, 4):
                program.key("period")
                expected = (tile + step) % len(TILES)
                program.wait_for_picture(lambda p: shown_tile(p, self.texture) == expected,
                                         f"'.' to show tile {expected}")
            self.assert_closes_cleanly(program)


if __name__ == "__main__":
    unittest.main()
