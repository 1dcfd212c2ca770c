"""Headless Chromium (Debian's, driven through chromedriver with Selenium) on
pages served from a folder on 127.0.0.1, for the browser build's tests and
benchmark. Every wait has a deadline."""

import functools
import http.server
import os
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.keys import Keys  # noqa: F401 (for the tests)

import harness

# WebGL on SwiftShader; no connection leaves the machine.
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-quic", "--no-first-run", "--window-size=800,960", "--force-device-scale-factor=1",
]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class PageServer:
    """Serves folder on 127.0.0.1 at a free port from a thread, until close()."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def url(self, path):
        return f"http://127.0.0.1:{self.server.server_address[1]}/{path}"

    def close(self):
        self.server.shutdown()
        self.server.server_close()
        self.thread.join(timeout=10)


def start_chromium():
    """A headless Chromium session whose console messages can be read."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in CHROMIUM_FLAGS:
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def emulate(driver, downloads):
    """Touch events as on a touch screen, and downloads saved into the folder downloads."""
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                           {"enabled": True, "maxTouchPoints": 2})
    driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": downloads})


def set_viewport(driver, width, height, scale):
    """The page's area in CSS pixels and its device pixel ratio, until the next call."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": scale, "mobile": False})


def touch_drag(driver, element, points):
    """One finger on element at the first of points (x, y in its CSS pixels),
    moved through the others and lifted."""
    rect = element.rect
    for kind, point in ([("touchStart", points[0])] + [("touchMove", p) for p in points[1:]]
                        + [("touchEnd", None)]):
        touches = [{"x": rect["x"] + point[0], "y": rect["y"] + point[1]}] if point else []
        driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": touches})


def wait_for_script(driver, expression, what, timeout=harness.START_DEADLINE):
    """Polls a JavaScript expression until it is true; returns its value."""
    return harness.wait_until(lambda: driver.execute_script(f"return {expression};"),
                              timeout, what)


def element_picture(element):
    """What the page shows of an element, in device pixels, as a harness.Image."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "element.png")
        with open(path, "wb") as f:
            f.write(element.screenshot_as_png)
        return harness.load_png(path)
