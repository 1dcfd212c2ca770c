"""The browser build (`make web`, in CGDEMO_WEB) in headless Chromium, served
from 127.0.0.1: the student-ID form, the picture against the Linux build's
picture of the same state after keys, the key bar, a mouse drag and a touch
drag, the saved picture, the picture at device pixel ratio 2 and on a laptop's
page area, keys and the right button kept from the browser, the "Error"
dialog for a missing texture and a refused ID; the single-file page opened as
a file, the served page opened as a file, and the zip. One browser session,
with touch emulated, serves every test."""

import os
import shutil
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

WEB = os.environ.get("CGDEMO_WEB", "")
DIST = os.environ.get("CGDEMO_DIST", "")
ZIP = os.path.join(DIST, "cgdemo-web.zip")
PAGE_FILES = ["cgdemo.js", "cgdemo.wasm", "index.html", "japan.bmp"]
FROZEN_CLOCK = os.environ.get("CGDEMO_FROZEN_CLOCK", "")

session = {}


def setUpModule():
    if not WEB or not os.environ.get("DISPLAY"):
        return  # each test skips with the reason
    import browser  # Selenium is needed only here
    folder = tempfile.mkdtemp(prefix="cgdemo-web-")
    # The page as built, and the page without its texture.
    for name, files in (("page", PAGE_FILES), ("bare", PAGE_FILES[:3])):
        os.mkdir(os.path.join(folder, name))
        for file in files:
            shutil.copy(os.path.join(WEB, file), os.path.join(folder, name))
    # The single-file page alone, as a student's download (its test says when it is missing).
    os.mkdir(os.path.join(folder, "file"))
    if os.path.exists(os.path.join(DIST, "cgdemo.html")):
        shutil.copy(os.path.join(DIST, "cgdemo.html"), os.path.join(folder, "file"))
    os.mkdir(os.path.join(folder, "downloads"))
    session.update(folder=folder, server=browser.PageServer(folder), browser=browser)
    try:
        session["driver"] = browser.start_chromium()
        browser.emulate(session["driver"], os.path.join(folder, "downloads"))
    except BaseException:
        tearDownModule()  # not run after a failed setUpModule
        raise


def tearDownModule():
    if "driver" in session:
        session.pop("driver").quit()
    if "server" in session:
        session.pop("server").close()
        shutil.rmtree(session.pop("folder"), True)


class WebTest(harness.ProgramTestCase):
    def setUp(self):
        if not WEB:
            self.skipTest("CGDEMO_WEB is not set to the browser build's folder: `make test` "
                          "builds it and sets it")
        super().setUp()
        self.driver = session["driver"]
        self.browser = session["browser"]

    def script(self, expression):
        return self.driver.execute_script(f"return {expression};")

    def wait_for(self, expression, what):
        return self.browser.wait_for_script(self.driver, expression, what)

    def open_page(self, url, student_id=None, end="\n"):
        """Loads url; types student_id and end into the form that has the focus."""
        self.driver.get(url)
        self.driver.get_log("browser")  # only this page's messages are looked at later
        if student_id is not None:
            self.wait_for("document.activeElement.name == 'word'", "the focused ID field")
            self.assertIn(harness.PROMPT, self.script("document.getElementById('student-id')"
                                                      ".textContent"))
            self.assertTrue(self.script("document.getElementById('program').hidden"))
            self.driver.switch_to.active_element.send_keys(student_id + end)

    def assert_no_uncaught_error(self):
        """No uncaught error and no GL call the emulation left undone."""
        errors = [entry["message"] for entry in self.driver.get_log("browser")
                  if any(word in entry["message"]
                         for word in ("Uncaught", "ExitStatus", "Unhandled", "TODO"))]
        self.assertEqual(errors, [])

    def canvas_picture(self):
        return self.browser.element_picture(self.driver.find_element("id", "canvas"))

    def assert_shows(self, expected, what):
        # SwiftShader and Mesa round some edges differently (a few hundredths
        # of a percent of the pixels have been seen).
        self.assert_matches_linux(self.canvas_picture, expected, what, "web")

    def press_on_key_bar(self, key):
        self.driver.find_element("css selector", f"#key-bar [{key}]").click()

    def assert_saves(self, expected, name):
        """'Save picture' downloads name: the canvas's pixels, the Linux build's picture."""
        path = os.path.join(session["folder"], "downloads", name)
        self.driver.find_element("id", "save").click()
        harness.wait_until(lambda: os.path.exists(path), harness.START_DEADLINE, name)
        saved = harness.load_png(path)
        self.assertEqual(harness.pixels_apart(saved, self.canvas_picture()), 0,
                         "the saved picture is not the canvas's")
        self.assert_matches_linux(lambda: saved, expected, "saved with 'Save picture'",
                                  "web-saved")

    def test_picture_keys_touch_and_saved_picture_match_the_linux_build(self):
        with harness.Program(self.directory) as linux:
            linux.wait_for_window()
            linux.key("space", "r")
            still = linux.settle()
            linux.key("period")
            next_tile = linux.settle()
            linux.drag(1, (320, 320), (320, 360))
            zoomed = linux.settle()
            linux.key("F1")
            close_up = linux.settle()
            linux.key("F3")
            linux.drag(3, (320, 320), (380, 340))
            turned = linux.settle()
            self.assert_closes_cleanly(linux)
        # Each step changes the picture, so a match below shows that it arrived.
        for before, after in ((still, next_tile), (next_tile, zoomed), (zoomed, close_up),
                              (close_up, turned), (zoomed, turned)):
            self.assertGreater(harness.pixels_apart(before, after), harness.DIFFERENT_PIXELS)

        self.open_page(session["server"].url("page/index.html"), "12345678")
        self.wait_for("!document.getElementById('program').hidden", "the canvas")
        self.assertEqual(self.driver.title, harness.TITLE)
        canvas = self.driver.find_element("id", "canvas")
        self.assertEqual((canvas.size["width"], canvas.size["height"]), (640, 640))
        actions = self.browser.webdriver.ActionChains
        canvas.send_keys(" r")
        self.assert_shows(still, "ID 12345678, clock stopped, angles reset")
        self.press_on_key_bar("data-key='46'")
        self.assert_shows(next_tile, "after '.' on the key bar")
        self.assert_saves(next_tile, "cgdemo-12345678-model.png")
        # The same ten steps as the Linux drag: each motion event counts.
        drag = actions(self.driver).move_to_element(canvas).click_and_hold()
        for _ in range(10):
            drag.move_by_offset(0, 4)
        drag.release().perform()
        self.assert_shows(zoomed, "after a left-button drag 40 pixels down")
        self.press_on_key_bar("data-special='1'")
        self.assert_shows(close_up, "after F1 on the key bar")
        canvas.send_keys(self.browser.Keys.F3)
        self.browser.touch_drag(self.driver, canvas, [(320 + 6 * i, 320 + 2 * i)
                                                      for i in range(11)])
        self.assert_shows(turned, "after F3 and a one-finger drag along the right-button drag")

        self.driver.execute_script("""
            window.seen = [];
            for (const kind of ['keydown', 'contextmenu'])
              document.addEventListener(kind, e => seen.push([e.key || kind, e.defaultPrevented]));
        """)
        canvas.send_keys(self.browser.Keys.F1, self.browser.Keys.F3)
        actions(self.driver).context_click(canvas).perform()
        seen = self.wait_for("seen.length >= 3 && seen", "the keys and the right click")
        self.assertEqual(seen, [["F1", True], ["F3", True], ["contextmenu", True]])
        self.assert_no_uncaught_error()

        # F1, F3 and a right click leave the picture. At device pixel ratio 2
        # each of the program's pixels is a 2 x 2 block.
        size = self.script("[innerWidth, innerHeight]")
        self.browser.set_viewport(self.driver, *size, 2)
        self.addCleanup(self.driver.execute_cdp_cmd, "Emulation.clearDeviceMetricsOverride", {})
        self.wait_for("devicePixelRatio == 2 && document.getElementById('canvas')"
                      ".classList.contains('sharp')", "the sharp picture at ratio 2")
        doubled = self.browser.element_picture(canvas)
        self.assertEqual((doubled.width, doubled.height), (1280, 1280))
        single, uneven = undoubled(doubled)
        self.assertEqual(uneven, 0, "2 x 2 blocks of more than one colour at ratio 2")
        self.assert_matches_linux(lambda: single, turned, "at ratio 2, undoubled", "web-ratio-2")
        # A 1366 x 768 laptop's page area with a taskbar: the picture shrinks to fit.
        self.browser.set_viewport(self.driver, 1366, 633, 1)
        self.wait_for("document.getElementById('canvas').getBoundingClientRect().height < 640",
                      "the picture shrunk to the page area")
        self.assertEqual(self.script(
            "[innerWidth, innerHeight, document.documentElement.scrollWidth, "
            "document.documentElement.scrollHeight, document.getElementById('key-bar').hidden]"),
            [1366, 633, 1366, 633, False], "the page scrolls")

    def assert_error_dialog(self, message):
        """Expects the "Error" dialog with message, no scene, the OK button
        focused; presses it and expects the line saying the program has ended."""
        self.wait_for("document.getElementById('message').open", "the Error dialog")
        self.assertEqual(self.script("document.getElementById('message-title').textContent"),
                         "Error")
        self.assertEqual(self.script("document.getElementById('message-text').textContent")
                         .rstrip("\n"), message)
        # The program ended before it created its window.
        self.assertTrue(self.script("document.getElementById('program').hidden"), "a canvas shows")
        self.assertEqual(self.script("document.activeElement.textContent"), "OK")
        self.assertTrue(self.script("document.getElementById('ended').hidden"))
        text = self.browser.element_picture(self.driver.find_element("id", "message-text"))
        self.driver.switch_to.active_element.send_keys("\n")
        self.wait_for("!document.getElementById('ended').hidden", "the line after OK")
        self.assertIn("Start again", self.script("document.getElementById('ended').textContent"))
        self.assertTrue(self.script("document.getElementById('program').hidden"))
        self.assert_no_uncaught_error()
        return text

    def test_no_texture_shows_the_japanese_message_without_form_or_scene(self):
        self.open_page(session["server"].url("bare/index.html"))
        text = self.assert_error_dialog(harness.TEXTURE_MESSAGE)
        self.assertTrue(self.script("document.getElementById('student-id').hidden"))
        # A character the font lacks shows as the same empty box every time;
        # the first line's sixteen characters have at least twelve shapes.
        self.assertGreaterEqual(len(harness.glyph_shapes(text)), 12,
                                "the Japanese text is not legible")

    def test_refused_id_shows_the_error_dialog_and_start_again_reloads(self):
        self.open_page(session["server"].url("page/index.html"), "jJtT0000", end="")
        self.driver.find_element("css selector", "#student-id button").click()
        self.assert_error_dialog(harness.ID_MESSAGE)
        self.driver.find_element("id", "start-again").click()
        self.wait_for("document.activeElement.name == 'word' && "
                      "document.activeElement.value == ''", "the form of the reloaded page")

    def test_single_file_page_runs_as_a_file_and_the_served_page_names_it(self):
        if not FROZEN_CLOCK:
            self.skipTest("CGDEMO_FROZEN_CLOCK is not set: run through `make test`")
        page = os.path.join(session["folder"], "file/cgdemo.html")
        self.assertTrue(os.path.exists(page), "no dist/cgdemo.html: `make web-dist` writes it")
        with harness.Program(self.directory, environment={"LD_PRELOAD": FROZEN_CLOCK}) as linux:
            linux.wait_for_window()
            first = linux.still_picture()
            self.assert_closes_cleanly(linux)
        # The page's clock stands still as well: every frame is its first.
        script = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
            "source": "const at = performance.now(); performance.now = () => at;"})
        self.addCleanup(self.driver.execute_cdp_cmd, "Page.removeScriptToEvaluateOnNewDocument",
                        script)
        self.open_page("file://" + page, "12345678")
        self.wait_for("!document.getElementById('program').hidden", "the canvas")
        self.assert_shows(first, "the first frame of cgdemo.html opened as a file")
        self.assert_no_uncaught_error()
        self.open_page("file://" + os.path.join(session["folder"], "page/index.html"))
        self.wait_for("!document.getElementById('no-server').hidden", "the served page's line")
        self.assertIn("double-click cgdemo.html",
                      self.script("document.getElementById('no-server').innerText"))
        self.assertTrue(self.script("document.getElementById('student-id').hidden"))
        self.assert_no_uncaught_error()

    def test_zip_holds_the_page_the_single_file_page_and_a_readme_at_its_top(self):
        # cgdemo.html as in dist/ (opened as a file above), its texture compressed.
        files = dict({name: os.path.join(WEB, name) for name in PAGE_FILES},
                     **{"cgdemo.html": os.path.join(DIST, "cgdemo.html"),
                        "README.txt": os.path.join(harness.ROOT, "packaging/web/README.txt")})
        self.assertLess(os.path.getsize(files["cgdemo.html"]), 1_000_000)
        with zipfile.ZipFile(ZIP) as archive:
            self.assertEqual(sorted(archive.namelist()), sorted(files))
            for name, path in files.items():
                with open(path, "rb") as f:
                    self.assertEqual(archive.read(name), f.read(), name)


def undoubled(picture):
    """Each 2 x 2 block of picture as one pixel (its top left one), and the
    number of blocks whose four pixels are not all alike."""
    width, rgb = picture.width, picture.rgb
    pixels, uneven = bytearray(), 0
    for y in range(0, picture.height, 2):
        for x in range(0, width, 2):
            i = 3 * (y * width + x)
            pixel, below = rgb[i : i + 3], i + 3 * width
            if rgb[i : i + 6] != pixel * 2 or rgb[below : below + 6] != pixel * 2:
                uneven += 1
            pixels += pixel
    return harness.Image(width // 2, picture.height // 2, bytes(pixels)), uneven


if __name__ == "__main__":
    unittest.main()
