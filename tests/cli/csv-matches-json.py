#!/usr/bin/env python3
"""Decodes the same reports as CSV and as JSON Lines and checks every CSV
cell against the JSON of its report, reading the CSV with Python's csv
module. Flags are told apart by the record's own declaration (`Flag Name;`
in decode/DecodedReport.h, `Set` members in extended/ExtendedFields.h), not
by the writers under test.

usage: csv-matches-json.py TARVIK_DECODE TARVIK_CORPUS DECODED_REPORT_H EXTENDED_FIELDS_H WORK_DIR
"""
import csv
import io
import json
import os
import re
import subprocess
import sys

decode, make_corpus, record_header, extended_fields, work = sys.argv[1:6]
os.makedirs(work, exist_ok=True)

# Synthetic reports, then hostile ones: commas, quotes, CR, bytes that are
# not UTF-8, groups no decoder takes, rejected reports.
reports = subprocess.run([make_corpus, "3000"], check=True, capture_output=True).stdout
reports += (b'KABC 121755Z 24010KT 10SM CLR 24/12 A3001 RMK AO2 FOO,"BAR" SLP163\n'
            b'EGLL 071220Z 24015MPS 9999 FEW030 12/08 Q1013 NOSIG\n'
            b'KABC 121755Z 9999 R27/0600 RA\rBR 12/08 Q1013 BECMG \xe9T\xe9\n'
            b'metar, "rejected"\n'
            b'KABC 311755Z RMK RADAT 80L024 SLP163 SLP164\n'
            b'UUWW 071230Z 18004MPS 4800 R24/P2000N -SHRASN  BKN///CB 03/// Q1013 A2992 RESN '
            b'WS R24 R24/590160 W15/S3 BLU+BLU+ TEMPO FM1300 25010G15MPS 1200 +SN NSC\n'
            b'EHAM 071225Z AUTO /////KT //// // ////// ///// Q//// RE// BECMG 4000 '
            b'TEMPO TL1300 BKN005 BECMG 9999 NSW TEMPO 2000 BECMG 3000\n')
archive = os.path.join(work, "reports.txt")
with open(archive, "wb") as handle:
    handle.write(reports)

def run(*args):
    with open(archive, "rb") as handle:
        done = subprocess.run([decode, "--month", "2024-04", *args], stdin=handle,
                              capture_output=True)
    if done.returncode not in (0, 1):
        sys.exit("tarvik-decode %s: status %d: %s" % (args, done.returncode, done.stderr))
    return done.stdout.decode("utf-8")  # must be valid UTF-8

csv_text = run("--format", "csv", "--jobs", "1")
if run("--format", "csv", "--jobs", "2") != csv_text:
    sys.exit("--jobs 2 wrote other CSV bytes than --jobs 1")
json_lines = run("--format", "json").splitlines()

flags = set(re.findall(r"\bFlag\s+(\w+);", open(record_header).read()))
extended_flags = set(re.findall(r"TARVIK_MEMBER\(\w+, Set, (\w+),", open(extended_fields).read()))
declared = re.findall(r"^\s+(?:char|Flag|int32_t|float|double|\w+Entry|WindGroup)\s+(\w+)",
                      open(record_header).read().split("struct DecodedReport {")[1], re.M)

rows = list(csv.reader(io.StringIO(csv_text, newline="")))
header, lines = rows[0], rows[1:]
if len(lines) != len(json_lines):
    sys.exit("%d CSV lines, %d JSON lines" % (len(lines), len(json_lines)))
tops = []
for name in header[3:]:
    top = name.split(".")[0]
    if top in ("Station", "notDecoded", "derived", "extended"):
        break
    if not tops or tops[-1] != top:
        tops.append(top)
if tops != declared:
    sys.exit("CSV columns are not the record's fields in declaration order")


# How many slots the CSV has for each kind, read from its header: "wind" or
# "trends.wind" for a trend's.
slots = {}
for name in header:
    parts = name.split(".")
    if parts[0] != "extended" or len(parts) < 3:
        continue
    if parts[1] == "trends":
        slots["trends"] = max(slots.get("trends", 0), int(parts[2]) + 1)
        if len(parts) > 4 and parts[4].isdigit():
            key = "trends." + parts[3]
            slots[key] = max(slots.get(key, 0), int(parts[4]) + 1)
        elif len(parts) > 3 and parts[3] not in ("groups",) and not parts[3][0].isupper():
            slots.setdefault("trends." + parts[3], 1)
    elif parts[2].isdigit():
        slots[parts[1]] = max(slots.get(parts[1], 0), int(parts[2]) + 1)
    else:
        slots[parts[1]] = 1


def overflows(extended):
    """Whether some kind has more entries than its slots (counted here)."""
    for key, value in extended.items():
        if key == "trends":
            if len(value) > slots["trends"]:
                return True
            for trend in value:
                for k, v in trend.items():
                    if "trends." + k in slots and isinstance(v, list) and \
                            len(v) > slots["trends." + k]:
                        return True
        elif isinstance(value, list) and len(value) > slots.get(key, 1):
            return True
    return False


def extended_cell(extended, parts):
    """The CSV text the JSON's "extended" gives for column extended.<parts>."""
    if parts == ["overflow"]:
        return "1" if overflows(extended) else "0"
    value = extended
    entry = None
    rest = list(parts)
    if rest[0] == "trends":
        trends = extended.get("trends", [])
        slot = int(rest[1])
        value = trends[slot] if slot < len(trends) else None
        rest = rest[2:]
        if rest == ["groups"]:
            return "" if value is None else " ".join(value["groups"])
        if value is None:
            return ""
        entry = value
    while rest:
        part = rest.pop(0)
        if isinstance(value, list):
            value = value[int(part)] if int(part) < len(value) else None
            entry = value
            if not rest:
                break
            continue
        if not isinstance(value, dict):
            return ""
        value = value.get(part)
        if isinstance(value, dict):
            entry = value
    if value is None:
        if entry is not None and parts[-1] in extended_flags:
            return "0"
        return ""
    if isinstance(value, list):  # two-letter codes
        return "".join(value)
    if value is True:
        return "1"
    return value


def json_cell(report, obj, path):
    """The CSV text the JSON gives for column `path`."""
    parts = path.split(".")
    if parts[0] == "extended":
        return extended_cell(obj.get("extended", {}), parts[1:])
    if path == "notDecoded":
        return " ".join(obj.get("notDecoded", []))
    if parts[0] == "derived":
        value = obj.get("derived", {}).get(parts[1])
    elif parts[0] == "Station":
        value = report.get("Station", {}).get(parts[1])
    else:
        value = report.get(parts[0])
        rest = parts[1:]
        if rest and rest[0].isdigit():
            slot = int(rest.pop(0))
            if isinstance(value, list) and value and isinstance(value[0], dict) \
                    and "Slot" in value[0]:
                value = next((o for o in value if int(o["Slot"]) == slot), None)
                if value is not None and not rest:
                    value = value.get("Value")
            else:
                value = value[slot] if isinstance(value, list) and slot < len(value) else None
        if rest:
            value = value.get(rest[0]) if isinstance(value, dict) else None
    if parts[-1] in flags:
        return "1" if value is True else "0"
    return "" if value is None else value


checked = 0
for row, line in zip(lines, json_lines):
    obj = json.loads(line, parse_float=str, parse_int=str)
    if len(row) != len(header):
        sys.exit("a line of %d cells under %d columns: %r" % (len(row), len(header), row[:2]))
    if row[0] != obj["input"] or row[1] != obj["result"]:
        sys.exit("input or result differ: %r" % row[:2])
    report = obj.get("report")
    if report is None:
        if any(row[2:]):
            sys.exit("a rejected report with more than input and result: %r" % row[0])
        continue
    if row[2] != obj.get("observationTime", ""):
        sys.exit("observationTime differs for %r" % row[0])
    for name, cell in zip(header[3:], row[3:]):
        expected = json_cell(report, obj, name)
        if name.endswith(".group") or name.endswith(".groups"):
            # Groups as written, with the blanks between them.
            cell = " ".join(cell.split())
            expected = " ".join(expected.split())
        if cell != expected:
            sys.exit("%s: CSV %r, JSON %r in %r" % (name, cell, expected, row[0]))
        checked += 1
print("%d reports, %d cells checked against the JSON" % (len(lines), checked))
