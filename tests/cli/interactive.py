#!/usr/bin/env python3
"""tarvik-decode reading a terminal answers each line as it is typed, with
one thread or many, and ends at Ctrl+D.

    interactive.py TARVIK_DECODE
"""
import os
import pty
import select
import subprocess
import sys

decode = sys.argv[1]
failures = 0


def answer(stream, wanted):
    """What `stream` gives within ten seconds, up to `wanted` line feeds."""
    text = b""
    while text.count(b"\n") < wanted:
        ready, _, _ = select.select([stream], [], [], 10)
        if not ready:
            break
        chunk = os.read(stream, 65536)
        if not chunk:
            break
        text += chunk
    return text


for jobs in ("1", "3"):
    terminal, typist = pty.openpty()
    output, write_end = os.pipe()
    program = subprocess.Popen([decode, "--format", "json", "--jobs", jobs],
                               stdin=typist, stdout=write_end, stderr=subprocess.DEVNULL)
    os.close(typist)
    os.close(write_end)
    for report in (b"KAUS 121755Z 24010KT", b"KJFK 121751Z 10SM"):
        os.write(terminal, report + b"\n")
        got = answer(output, 1)
        if not got.startswith(b'{"input":"' + report + b'"'):
            print(f"FAILED: --jobs {jobs}: no answer to {report!r} before the next line: {got!r}")
            failures += 1
    os.write(terminal, b"\x04")  # Ctrl+D: the end of the input
    try:
        status = program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        program.kill()
        status = "still running"
    if status != 0:
        print(f"FAILED: --jobs {jobs}: status {status} after Ctrl+D")
        failures += 1
    os.close(terminal)
    os.close(output)

if failures == 0:
    print("terminal input: every line answered as typed")
sys.exit(1 if failures else 0)
