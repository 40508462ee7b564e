#!/usr/bin/env python3
"""tarvik.read_frame() against tarvik-decode --format csv followed by
pandas.read_csv() with the README's options, side by side in one run, each
in a process of its own on one core: reports per second, the frame's own
size (DataFrame.memory_usage(deep=True)) and the process's peak memory.

usage: bench/read_frame.py BUILD_DIR REPORTS.txt [TIMES]

REPORTS.txt is repeated TIMES times (default 10) into one input file.
"""
import os
import resource
import subprocess
import sys
import tempfile
import time

VARIANT = r'''
import io, resource, subprocess, sys, time
import pandas as pd
import tarvik
variant, path, decode = sys.argv[1:4]
start = time.perf_counter()
if variant == "read_frame":
    frame = tarvik.read_frame(path, month="2024-02")
else:
    csv = subprocess.run([decode, "--format", "csv", "--jobs", "1", "--month", "2024-02", "-i", path],
                         check=True, capture_output=True).stdout
    frame = pd.read_csv(io.BytesIO(csv), keep_default_na=False, na_values=[""], low_memory=False)
seconds = time.perf_counter() - start
peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss * 1024
print(len(frame), seconds, int(frame.memory_usage(deep=True).sum()), peak)
'''


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    build, reports = os.path.abspath(sys.argv[1]), sys.argv[2]
    times = int(sys.argv[3]) if len(sys.argv) == 4 else 10
    with open(reports, "rb") as handle:
        text = handle.read()
    with tempfile.NamedTemporaryFile(suffix=".txt") as archive:
        for _ in range(times):
            archive.write(text)
        archive.flush()
        env = dict(os.environ, PYTHONPATH=os.path.join(build, "python"))
        print(f"{'variant':<22}{'reports':>10}{'seconds':>9}{'reports/s':>11}"
              f"{'frame MB':>10}{'peak MB':>9}{'peak/frame':>11}")
        for variant in ("read_frame", "csv+read_csv"):
            # One core: the decoding thread and pandas share it.
            done = subprocess.run(["taskset", "-c", "0", "/usr/bin/python3", "-c", VARIANT, variant,
                                   archive.name, os.path.join(build, "bin", "tarvik-decode")],
                                  env=env, check=True, capture_output=True, text=True)
            rows, seconds, size, peak = done.stdout.split()
            rows, seconds, size, peak = int(rows), float(seconds), int(size), int(peak)
            print(f"{variant:<22}{rows:>10,}{seconds:>9.2f}{rows / seconds:>11,.0f}"
                  f"{size / 1e6:>10,.0f}{peak / 1e6:>9,.0f}{peak / size:>11.2f}")


if __name__ == "__main__":
    main()
