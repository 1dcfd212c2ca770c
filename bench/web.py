"""Benchmark (not a test): the browser build in headless Chromium (WebGL on
SwiftShader) beside the Linux build on Xvfb, measured in the same run.

    bench/web.py BUILD-DIR BENCH-BUILD-DIR WEB-BUILD-DIR   (`make bench` runs it under Xvfb)

Prints, for the page: load to the ID form, the ID entered to the first frame,
and their sum (load to first frame with the ID typed at once), each the median
of three loads; frames per second in scene mode 2 and in the all-phases view.
For the Linux build: start to first frame (the ID on standard input) and the
same frame rates (bench/run.py's measurement). Frames in the page are counted
by wrapping requestAnimationFrame, which draws every frame of the program.
"""

import os
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "bench"))
import browser  # noqa: E402
import harness  # noqa: E402
import run  # noqa: E402

# Runs in the page before its own scripts.
COUNTERS = """
window.bench = {frames: 0, firstFrame: null, formShown: null, submitted: null};
const requestFrame = window.requestAnimationFrame.bind(window);
window.requestAnimationFrame = callback => requestFrame(time => {
  bench.frames++;
  if (bench.firstFrame === null) bench.firstFrame = performance.now();
  callback(time);
});
document.addEventListener('submit', () => { bench.submitted = performance.now(); }, true);
document.addEventListener('DOMContentLoaded', () => {
  const form = document.getElementById('student-id');
  new MutationObserver(() => {
    if (!form.hidden && bench.formShown === null) bench.formShown = performance.now();
  }).observe(form, {attributes: true});
});
"""


def page_frame_rate(driver):
    time.sleep(run.WARM_UP)
    before, start = driver.execute_script("return [bench.frames, performance.now()];")
    time.sleep(run.MEASURE)
    after, end = driver.execute_script("return [bench.frames, performance.now()];")
    return (after - before) / ((end - start) / 1000)


def measure_page(driver, url):
    """Load-to-form and ID-to-first-frame times (ms) of each load; frame rates."""
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": COUNTERS})
    loads = []
    for _ in range(run.STARTS):
        driver.get(url)
        browser.wait_for_script(driver, "document.activeElement.name == 'word'", "the ID form")
        driver.switch_to.active_element.send_keys("12345678\n")
        loads.append(browser.wait_for_script(
            driver, "bench.firstFrame && [bench.formShown, bench.firstFrame - bench.submitted]",
            "the first frame"))
    scene = page_frame_rate(driver)
    driver.find_element("id", "canvas").send_keys("a")
    return loads, scene, page_frame_rate(driver)


def median(values):
    return sorted(values)[len(values) // 2]


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: bench/web.py BUILD-DIR BENCH-BUILD-DIR WEB-BUILD-DIR")
    build, bench_build, web = (os.path.abspath(path) for path in sys.argv[1:])
    harness.ASSETS = os.path.join(ROOT, "assets")
    with tempfile.TemporaryDirectory(prefix="cgdemo-bench-") as scratch:
        starts, scene, phases, _ = run.measure_cgdemo(
            os.path.join(build, "cgdemo"), os.path.join(bench_build, "libswap_counter.so"),
            scratch)
    server = browser.PageServer(web)
    driver = browser.start_chromium()
    try:
        version = driver.capabilities.get("browserVersion", "?")
        loads, page_scene, page_phases = measure_page(driver, server.url("index.html"))
    finally:
        driver.quit()
        server.close()
    form = median([load[0] for load in loads])
    first = median([load[1] for load in loads])
    print(f"browser: headless Chromium {version}, WebGL on SwiftShader; page served from 127.0.0.1")
    print(f"page load to the ID form:            {form:7.0f} ms (median of {len(loads)})")
    print(f"ID entered to the first frame:       {first:7.0f} ms")
    print(f"page load to first frame (ID typed at once): {form + first:7.0f} ms   "
          f"Linux build, start to first frame: {1000 * median(starts):7.0f} ms")
    print(f"scene mode 2:   page {page_scene:6.1f} frames/s   Linux build {scene:6.1f} frames/s")
    print(f"all phases:     page {page_phases:6.1f} frames/s   Linux build {phases:6.1f} frames/s")


if __name__ == "__main__":
    main()
