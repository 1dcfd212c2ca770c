"""The browser build (`make web`, in CGDEMO_WEB) in headless Chromium, served
from 127.0.0.1: the student-ID form, the picture against the Linux build's
picture of the same state after keys and a drag, keys and the right button
kept from the browser, the "Error" dialog for a missing texture and a refused
ID, and the zip for web servers. One browser session serves every test."""

import os
import shutil
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

WEB = os.environ.get("CGDEMO_WEB", "")
ZIP = os.path.join(os.environ.get("CGDEMO_DIST", ""), "cgdemo-web.zip")
PAGE_FILES = ["cgdemo.js", "cgdemo.wasm", "index.html", "japan.bmp"]

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
    session.update(folder=folder, server=browser.PageServer(folder), browser=browser)
    try:
        session["driver"] = browser.start_chromium()
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

    def open_page(self, page, student_id=None):
        """Loads page/index.html; types student_id into the form that has the focus."""
        self.driver.get(session["server"].url(f"{page}/index.html"))
        self.driver.get_log("browser")  # only this page's messages are looked at later
        if student_id is not None:
            self.wait_for("document.activeElement.name == 'word'", "the focused ID field")
            self.assertIn(harness.PROMPT, self.script("document.getElementById('student-id')"
                                                      ".textContent"))
            self.assertTrue(self.script("document.getElementById('canvas').hidden"))
            self.driver.switch_to.active_element.send_keys(student_id + "\n")

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

    def test_picture_keys_and_drag_match_the_linux_build_and_stay_from_the_browser(self):
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
            self.assert_closes_cleanly(linux)
        # Each step changes the picture, so a match below shows that it arrived.
        for before, after in ((still, next_tile), (next_tile, zoomed), (zoomed, close_up)):
            self.assertGreater(harness.pixels_apart(before, after), harness.DIFFERENT_PIXELS)

        self.open_page("page", "12345678")
        self.wait_for("!document.getElementById('canvas').hidden", "the canvas")
        self.assertEqual(self.driver.title, harness.TITLE)
        canvas = self.driver.find_element("id", "canvas")
        self.assertEqual((canvas.size["width"], canvas.size["height"]), (640, 640))
        actions = self.browser.webdriver.ActionChains
        canvas.send_keys(" r")
        self.assert_shows(still, "ID 12345678, clock stopped, angles reset")
        canvas.send_keys(".")
        self.assert_shows(next_tile, "after '.'")
        # The same ten steps as the Linux drag: each motion event counts.
        drag = actions(self.driver).move_to_element(canvas).click_and_hold()
        for _ in range(10):
            drag.move_by_offset(0, 4)
        drag.release().perform()
        self.assert_shows(zoomed, "after a left-button drag 40 pixels down")
        canvas.send_keys(self.browser.Keys.F1)
        self.assert_shows(close_up, "after F1")

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

    def assert_error_dialog(self, message):
        """Expects the "Error" dialog with message, no scene, the OK button
        focused; presses it and expects the line saying the program has ended."""
        self.wait_for("document.getElementById('message').open", "the Error dialog")
        self.assertEqual(self.script("document.getElementById('message-title').textContent"),
                         "Error")
        self.assertEqual(self.script("document.getElementById('message-text').textContent")
                         .rstrip("\n"), message)
        # The program ended before it created its window.
        self.assertTrue(self.script("document.getElementById('canvas').hidden"), "a canvas shows")
        self.assertEqual(self.script("document.activeElement.textContent"), "OK")
        self.assertTrue(self.script("document.getElementById('ended').hidden"))
        text = self.browser.element_picture(self.driver.find_element("id", "message-text"))
        self.driver.switch_to.active_element.send_keys("\n")
        self.wait_for("!document.getElementById('ended').hidden", "the line after OK")
        self.assertIn("Reload", self.script("document.getElementById('ended').textContent"))
        self.assertTrue(self.script("document.getElementById('canvas').hidden"))
        self.assert_no_uncaught_error()
        return text

    def test_no_texture_shows_the_japanese_message_without_form_or_scene(self):
        self.open_page("bare")
        text = self.assert_error_dialog(harness.TEXTURE_MESSAGE)
        self.assertTrue(self.script("document.getElementById('student-id').hidden"))
        # A character the font lacks shows as the same empty box every time;
        # the first line's sixteen characters have at least twelve shapes.
        self.assertGreaterEqual(len(harness.glyph_shapes(text)), 12,
                                "the Japanese text is not legible")

    def test_refused_id_shows_the_error_dialog(self):
        self.open_page("page", "jJtT0000")
        self.assert_error_dialog(harness.ID_MESSAGE)

    def test_zip_holds_the_page_at_its_top(self):
        with zipfile.ZipFile(ZIP) as archive:
            self.assertEqual(sorted(archive.namelist()), PAGE_FILES)
            for name in PAGE_FILES:
                with open(os.path.join(WEB, name), "rb") as f:
                    self.assertEqual(archive.read(name), f.read(), name)


if __name__ == "__main__":
    unittest.main()
