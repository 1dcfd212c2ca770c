"""Benchmark (not a test): how long cgdemo-sheet takes for a class.

    bench/sheet.py BUILD-DIR        (`make bench` runs it)

Times BUILD-DIR/cgdemo-sheet for a sheet of 100 students and for a single
student, from start to exit (its own Xvfb, the pictures and index.html
included), the median of three runs each, and prints the time per student
beyond the first.
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = 3
CLASS_SIZE = 100


def time_sheet(binary, ids):
    """Median seconds of RUNS complete runs of the sheet for ids."""
    times = []
    for _ in range(RUNS):
        with tempfile.TemporaryDirectory(prefix="cgdemo-bench-sheet-") as out:
            started = time.monotonic()
            result = subprocess.run([binary, "--out", out, *ids], stdout=subprocess.DEVNULL,
                                    stderr=subprocess.PIPE, text=True, timeout=600)
            elapsed = time.monotonic() - started
            if result.returncode != 0:
                sys.exit(f"cgdemo-sheet ended with status {result.returncode}: {result.stderr}")
            times.append(elapsed)
    return statistics.median(times), times


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: bench/sheet.py BUILD-DIR")
    binary = os.path.join(os.path.abspath(sys.argv[1]), "cgdemo-sheet")
    # Distinct eight-digit IDs: every student gets a picture of their own.
    ids = [str(20260001 + 37 * n) for n in range(CLASS_SIZE)]
    whole, whole_runs = time_sheet(binary, ids)
    single, single_runs = time_sheet(binary, ids[:1])
    print(f"sheet of {CLASS_SIZE} students:       {whole:7.2f} s "
          f"(median of {RUNS}; {', '.join(f'{t:.2f}' for t in whole_runs)})")
    print(f"sheet of 1 student:          {single:7.2f} s "
          f"(median of {RUNS}; {', '.join(f'{t:.2f}' for t in single_runs)})")
    print(f"each further student:        {1000 * (whole - single) / (CLASS_SIZE - 1):7.0f} ms")


if __name__ == "__main__":
    main()
