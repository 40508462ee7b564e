#!/usr/bin/env python3
"""Share of reports whose station a station directory knows.

Usage::

    python3 data/measure_coverage.py [--stations data/stations.txt] REPORTS.txt ...

Each reports file holds one report per line.  A report's station
identifier is its first word after any leading "METAR", "SPECI" or "COR"
words; it finds its station when a directory line carries the same
identifier in columns 21-24, compared without regard to letter case, as
tarvik-decode looks it up.  Blank lines are not counted.  Prints one line
per file: reports, reports whose station was found, and the share.
"""

import argparse
import sys

LEADING_WORDS = {"METAR", "SPECI", "COR"}


def directory_identifiers(path):
    """Identifiers of the lines tarvik-decode reads as stations."""
    identifiers = set()
    with open(path, "rb") as handle:
        for raw in handle:
            line = raw.split(b"\0", 1)[0].rstrip(b"\r\n")
            if not line or line.startswith(b"!") or not 44 <= len(line) <= 259:
                continue
            if line[:11].upper() == b"CD  STATION":
                continue
            if len(line[39:].split()) < 5:
                continue
            identifiers.add(line[20:24].decode("latin-1").upper())
    return identifiers


def station_identifier(report):
    for word in report.split():
        if word.upper() not in LEADING_WORDS:
            return word.upper()
    return None


def measure(path, identifiers):
    reports = found = 0
    with open(path, encoding="latin-1") as handle:
        for line in handle:
            identifier = station_identifier(line)
            if identifier is None:
                continue
            reports += 1
            # The lookup matches four characters exactly.
            if len(identifier) == 4 and identifier in identifiers:
                found += 1
    return reports, found


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--stations", default="data/stations.txt",
                        help="station directory (default: data/stations.txt)")
    parser.add_argument("reports", nargs="+", help="files of reports, one per line")
    args = parser.parse_args(argv)
    try:
        identifiers = directory_identifiers(args.stations)
        for path in args.reports:
            reports, found = measure(path, identifiers)
            share = 100.0 * found / reports if reports else 0.0
            print("%s: %d reports, %d find their station (%.1f %%)"
                  % (path, reports, found, share))
    except OSError as err:
        print("measure_coverage: %s" % err, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
