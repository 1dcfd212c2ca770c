"""Benchmark (not a test): cgdemo at 640 x 640 on the current X display with
Mesa's software renderer, next to a bare clear-and-swap GLUT loop.

    bench/run.py BUILD-DIR BENCH-BUILD-DIR     (`make bench` runs it under Xvfb)

Prints the time from start to the first frame (cgdemo's and the bare loop's),
frames per second in scene mode 2 and in the all-phases view, the bare loop's
frames per second, the ratios, and cgdemo's peak resident memory (VmHWM). Frames are counted by preloading
BENCH-BUILD-DIR/libswap_counter.so, which counts glXSwapBuffers calls; the
program itself is not changed.
"""

import mmap
import os
import platform
import struct
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import harness  # noqa: E402

WARM_UP = 2.0   # seconds before counting: shader variants get compiled first
MEASURE = 5.0   # seconds of counting per figure
STARTS = 3      # start-up is timed this many times; the median is reported


class SwapCounts:
    """The counts file that the preloaded counter writes."""

    def __init__(self, directory):
        self.path = os.path.join(directory, "swaps")
        with open(self.path, "wb") as f:
            f.write(bytes(16))
        self.file = open(self.path, "r+b")
        self.map = mmap.mmap(self.file.fileno(), 16)

    def read(self):
        """(swaps so far, CLOCK_MONOTONIC seconds of the first swap)."""
        swaps, first = struct.unpack("<QQ", self.map[:16])
        return swaps, first / 1e9

    def close(self):
        self.map.close()
        self.file.close()


def environment(counts, counter):
    env = dict(os.environ, CGDEMO_SWAP_COUNTS=counts.path, LD_PRELOAD=counter)
    env.setdefault("LIBGL_ALWAYS_SOFTWARE", "1")
    return env


def frame_rate(counts, process):
    """Swaps per second over MEASURE seconds, after WARM_UP seconds."""
    time.sleep(WARM_UP)
    before, _ = counts.read()
    start = time.monotonic()
    time.sleep(MEASURE)
    after, _ = counts.read()
    elapsed = time.monotonic() - start
    if process.poll() is not None:
        sys.exit(f"the program ended with status {process.returncode} while measured")
    return (after - before) / elapsed


def peak_memory_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def measure_cgdemo(binary, counter, scratch):
    """Start-up times (s), frame rates in mode 2 and all phases, peak memory (kB)."""
    workdir = harness.working_directory()
    starts = []
    try:
        for run in range(STARTS):
            counts = SwapCounts(scratch)
            started = time.monotonic()
            program = subprocess.Popen(
                [binary], cwd=workdir, env=environment(counts, counter),
                stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            program.stdin.write(b"12345678\n")
            program.stdin.close()
            try:
                harness.wait_until(lambda: counts.read()[0] > 0 or program.poll() is not None,
                                   60, "cgdemo's first frame")
                if program.poll() is not None:
                    sys.exit(f"cgdemo ended with status {program.returncode} at start")
                starts.append(counts.read()[1] - started)
                if run < STARTS - 1:
                    continue
                window = harness.wait_until(lambda: harness.find_windows(harness.TITLE), 30,
                                            "cgdemo's window")[0]
                scene = frame_rate(counts, program)
                harness.xdotool("windowfocus", "--sync", window)
                harness.xdotool("key", "a")
                phases = frame_rate(counts, program)
                peak = peak_memory_kb(program.pid)
                return starts, scene, phases, peak
            finally:
                program.kill()
                program.wait()
                counts.close()
    finally:
        subprocess.run(["rm", "-rf", workdir], check=False)


def measure_bare(binary, counter, scratch):
    counts = SwapCounts(scratch)
    started = time.monotonic()
    program = subprocess.Popen([binary], env=environment(counts, counter),
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        renderer = program.stdout.readline().strip().removeprefix("renderer: ")
        harness.wait_until(lambda: counts.read()[0] > 0, 60, "the bare loop's first frame")
        return renderer, counts.read()[1] - started, frame_rate(counts, program)
    finally:
        program.kill()
        program.wait()
        counts.close()


def cpu_model():
    with open("/proc/cpuinfo") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return platform.processor()


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: bench/run.py BUILD-DIR BENCH-BUILD-DIR")
    build, bench_build = (os.path.abspath(path) for path in sys.argv[1:])
    harness.ASSETS = os.path.join(ROOT, "assets")
    counter = os.path.join(bench_build, "libswap_counter.so")
    with tempfile.TemporaryDirectory(prefix="cgdemo-bench-") as scratch:
        renderer, bare_start, bare = measure_bare(os.path.join(bench_build, "clear_swap"), counter, scratch)
        starts, scene, phases, peak = measure_cgdemo(os.path.join(build, "cgdemo"), counter,
                                                     scratch)
    starts.sort()
    print(f"machine:  {cpu_model()}, {os.cpu_count()} cores, {platform.platform()}")
    print(f"renderer: {renderer}, window 640 x 640 on Xvfb")
    print(f"start to first frame:        {1000 * starts[len(starts) // 2]:7.0f} ms "
          f"(median of {len(starts)}; {', '.join(f'{1000 * s:.0f}' for s in starts)})")
    print(f"bare loop, to first frame:   {1000 * bare_start:7.0f} ms")
    print(f"cgdemo, scene mode 2:        {scene:7.1f} frames/s  ({scene / bare:.3f} of bare)")
    print(f"cgdemo, all phases:          {phases:7.1f} frames/s  ({phases / bare:.3f} of bare)")
    print(f"bare clear-and-swap loop:    {bare:7.1f} frames/s")
    print(f"all phases / scene mode 2:   {phases / scene:7.3f}")
    print(f"cgdemo peak memory (VmHWM):  {peak / 1024:7.1f} MiB")


if __name__ == "__main__":
    main()
