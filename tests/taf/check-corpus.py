#!/usr/bin/python3
"""Reads every forecast of a corpus file a second way and compares with tarvik-decode.

Usage: check-corpus.py TARVIK_DECODE CORPUS_FILE [--limit N]

The reading here is deliberately plain: the line is split at blanks and each
group is matched by a regular expression of the code form. It takes the
header (TAF, AMD, COR, station, issue time, validity, NIL, CNL), cuts the
body into periods at the change groups and, in each period, the wind and the
visibility when exactly one clean group of each is there. Every value it
reads is compared with the JSON the decoder writes for the same line, and
the decoder's wind and visibility groups of each period must be among the
wind- and visibility-like groups of that period (not a time, not a phrase).

A forecast whose change groups are malformed (glued, split, misspelt), or
whose line holds a second forecast, is skipped and counted, never compared
on a guess. Exit status 1 on any disagreement, or when fewer than 90% of the
forecasts could be compared.
"""

import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

MIN_COMPARED_SHARE = 0.90

STATION = re.compile(r"[A-Z][A-Z0-9]{3}")
ISSUED = re.compile(r"(\d\d)(\d\d)(\d\d)Z")
VALIDITY = re.compile(r"(\d\d)(\d\d)/(\d\d)(\d\d)")
OLD_VALIDITY = re.compile(r"(\d\d)(\d\d)(\d\d)")
FM_FULL = re.compile(r"FM(\d\d)(\d\d)(\d\d)")
FM_SHORT = re.compile(r"FM(\d\d)(\d\d)")
PROB = re.compile(r"PROB([34]0)")
# Anything else that looks meant as a change group or its period, or as a
# second forecast run on in the same line.
CHANGE_LIKE = re.compile(r"(FM|BECMG|BCMG|TEMPO|TEMP|TMPO|INTER|PROB|TL\d|AT\d|TAF)\S*|"
                         r"\d{1,4}/\d{1,4}|\d{6}Z")

WIND = re.compile(r"(VRB|\d{3})(\d{2,3})(?:G(\d{2,3}))?(KT|MPS|KMH)")
# Wind groups as meant, broken ones included; wind shear (WSddd/...) is not one.
WIND_LIKE = re.compile(r"(?!WS)\S*(KT|MPS|KMH|KTS)|(VRB|\d{3})\d{2,3}(G\d{2,3})?(K|KM|MP)?")
METRES = re.compile(r"\d{4}")
MILES = re.compile(r"([PM]?)(\d{1,2})SM")
MILES_FRACTION = re.compile(r"([PM]?)(\d)/(\d{1,2})SM")
WHOLE_MILES = re.compile(r"\d")
VISIBILITY_LIKE = re.compile(r"\d{4}\D*|\S*SM")

# Groups after which the text is no longer weather of the periods: remarks,
# the amendment and schedule phrases (body_end also stops at T and Q rows).
END_WORDS = {"RMK", "AMD", "LAST", "NXT", "COR"}
# Words before an hhmm time within a period's text.
TIME_WORDS = {"AFT", "TIL", "TILL", "TL", "BY", "UNTIL", "AT", "NEXT", "METWATCH"}


def plausible(day, hour, minute=0, hour_max=24):
    return 1 <= day <= 31 and 0 <= hour <= hour_max and 0 <= minute <= 59


class Skip(Exception):
    """The reading does not understand this forecast."""


def read_wind(groups):
    """The wind-like groups of a period, and the value of the one clean one.

    The value is None unless the period holds exactly one wind-like group
    and it is clean."""
    like = [g for g in groups if WIND_LIKE.fullmatch(g)]
    m = WIND.fullmatch(like[0]) if len(like) == 1 else None
    if not m:
        return None, like
    direction, speed, gust, unit = m.groups()
    if direction != "VRB" and int(direction) > 360:
        return None, like
    return {
        "direction": None if direction == "VRB" else int(direction),
        "variable": direction == "VRB",
        "speed": int(speed),
        "gust": None if gust is None else int(gust),
        "unit": unit,
    }, like


def read_visibility(groups):
    """The visibility-like groups of a period, and the value of the one clean one.

    A four-digit time after AFT, TIL and the like is not a visibility."""
    like = []
    found = []
    i = 0
    while i < len(groups):
        g = groups[i]
        if i > 0 and groups[i - 1] in TIME_WORDS:
            i += 1
            continue
        if (WHOLE_MILES.fullmatch(g) and i + 1 < len(groups)
                and MILES_FRACTION.fullmatch(groups[i + 1])):
            m = MILES_FRACTION.fullmatch(groups[i + 1])
            like.append(g + " " + groups[i + 1])
            if m.group(1) == "" and int(m.group(3)) > int(m.group(2)):
                found.append({"miles": int(g) + int(m.group(2)) / int(m.group(3)),
                              "more": False, "less": False})
            i += 2
            continue
        if VISIBILITY_LIKE.fullmatch(g):
            like.append(g)
            if METRES.fullmatch(g):
                found.append({"metres": int(g)})
            elif MILES.fullmatch(g):
                m = MILES.fullmatch(g)
                found.append({"miles": float(m.group(2)), "more": m.group(1) == "P",
                              "less": m.group(1) == "M"})
            elif MILES_FRACTION.fullmatch(g):
                m = MILES_FRACTION.fullmatch(g)
                if int(m.group(2)) < int(m.group(3)):
                    found.append({"miles": int(m.group(2)) / int(m.group(3)),
                                  "more": m.group(1) == "P", "less": m.group(1) == "M"})
        i += 1
    if len(like) == 1 and len(found) == 1:
        return found[0], like
    return None, like


def body_end(groups, start):
    """Index of the first group after the periods' weather."""
    for i in range(start, len(groups)):
        g = groups[i]
        if g in END_WORDS:
            return i
        nxt = groups[i + 1] if i + 1 < len(groups) else ""
        if g == "T" and re.fullmatch(r"M?\d{1,2}", nxt):
            return i
        if g == "Q" and re.fullmatch(r"\d{4}", nxt):
            return i
    return len(groups)


def read_forecast(line):
    """The forecast as this reading sees it, or None if the line is not a forecast.

    Raises Skip for a forecast it does not understand."""
    groups = line.split()
    i = 0
    prefixed = bool(groups) and groups[0] == "TAF"
    if prefixed:
        i += 1
    amended = corrected = False
    while i < len(groups) and groups[i] in ("AMD", "COR"):
        amended |= groups[i] == "AMD"
        corrected |= groups[i] == "COR"
        i += 1
    shaped = (i + 2 < len(groups) and STATION.fullmatch(groups[i])
              and ISSUED.fullmatch(groups[i + 1]) and VALIDITY.fullmatch(groups[i + 2]))
    if not prefixed and not shaped:
        return None
    if i + 1 >= len(groups) or not STATION.fullmatch(groups[i]):
        raise Skip("station")
    taf = {"station": groups[i], "amended": amended, "corrected": corrected,
           "nil": False, "cancelled": False, "valid": None, "periods": []}
    m = ISSUED.fullmatch(groups[i + 1])
    if not m:
        raise Skip("issue time")
    day, hour, minute = map(int, m.groups())
    if not plausible(day, hour, minute, 23):
        raise Skip("issue time")
    taf["issued"] = (day, hour, minute)
    i += 2
    if i < len(groups) and groups[i] == "NIL":
        if i + 1 != len(groups):
            raise Skip("text after NIL")
        taf["nil"] = True
        return taf
    if i >= len(groups):
        raise Skip("no validity")
    m = VALIDITY.fullmatch(groups[i])
    if m:
        from_day, from_hour, to_day, to_hour = map(int, m.groups())
    else:
        # The old form, ddh1h1h2h2: one day, the end on it or the next.
        m = OLD_VALIDITY.fullmatch(groups[i])
        if not m or not prefixed:
            raise Skip("validity")
        from_day, from_hour, to_hour = map(int, m.groups())
        to_day = from_day if to_hour > from_hour else from_day + 1
        if to_day > 31:
            raise Skip("old validity across the month")
    if not (plausible(from_day, from_hour, 0, 23) and plausible(to_day, to_hour)):
        raise Skip("validity")
    taf["valid"] = (from_day, from_hour, to_day, to_hour)
    i += 1
    if i < len(groups) and groups[i] == "CNL":
        if i + 1 != len(groups):
            raise Skip("text after CNL")
        taf["cancelled"] = True
        return taf

    end = body_end(groups, i)
    body = groups[i:end]
    periods = taf["periods"]
    current = {"type": "BASE", "probability": None, "tempo": False,
               "from": (from_day, from_hour, 0), "till": None, "groups": []}
    periods.append(current)
    j = 0
    while j < len(body):
        g = body[j]
        new = None
        m_full = FM_FULL.fullmatch(g)
        m_short = FM_SHORT.fullmatch(g)
        if m_full:
            d, h, mi = map(int, m_full.groups())
            if not plausible(d, h, mi):
                raise Skip("FM time out of range")
            new = {"type": "FM", "from": (d, h, mi), "fm_day": True}
            j += 1
        elif m_short:
            h, mi = map(int, m_short.groups())
            if not plausible(1, h, mi):
                raise Skip("FM time out of range")
            new = {"type": "FM", "from": (None, h, mi), "fm_day": False}
            j += 1
        elif g in ("BECMG", "TEMPO", "INTER") or PROB.fullmatch(g):
            new = {"type": g, "tempo": False}
            j += 1
            if PROB.fullmatch(g):
                new = {"type": "PROB", "probability": int(g[4:]), "tempo": False}
                if j < len(body) and body[j] == "TEMPO":
                    new["tempo"] = True
                    j += 1
                elif j < len(body) and body[j] == "INTER":
                    # PROB30 INTER ddhh/ddhh: one period, intermittent, at 30%.
                    new["inter"] = True
                    j += 1
            m = VALIDITY.fullmatch(body[j]) if j < len(body) else None
            if not m:
                raise Skip("change group without its period")
            d1, h1, d2, h2 = map(int, m.groups())
            if not (plausible(d1, h1) and plausible(d2, h2)):
                raise Skip("change period out of range")
            new["from"] = (d1, h1, 0)
            new["till"] = (d2, h2)
            j += 1
        elif CHANGE_LIKE.fullmatch(g):
            raise Skip("malformed change group")
        else:
            current["groups"].append(g)
            j += 1
            continue
        current = {"probability": None, "tempo": False, "till": None, "groups": [], **new}
        periods.append(current)
    if not periods[0]["groups"]:
        del periods[0]  # no base forecast before the first change group
    for p in periods:
        p["wind"], p["wind_like"] = read_wind(p["groups"])
        p["visibility"], p["visibility_like"] = read_visibility(p["groups"])
    # BASE and FM periods run to the next FM, or to the end of the validity.
    # Worked out only when every FM gives its day.
    if all(p.get("fm_day", True) for p in periods):
        chain = [p for p in periods if p["type"] in ("BASE", "FM")]
        for k, p in enumerate(chain):
            p["derived_till"] = (chain[k + 1]["from"][:2] if k + 1 < len(chain)
                                 else (to_day, to_hour))
    return taf


class Comparison:
    """The counts of a run, and each disagreement printed as it is found."""

    def __init__(self):
        self.disagreements = 0
        self.fields = 0
        self.forecasts = 0
        self.compared = 0
        self.skipped = {}

    def check(self, number, field, expected, got):
        self.require(number, field, expected == got, expected, got)

    def require(self, number, field, agree, expected, got):
        self.fields += 1
        if not agree:
            self.disagreements += 1
            print(f"line {number}: {field}: reading {expected!r}, decoder {got!r}")


def time_of(value, with_minute):
    if not isinstance(value, dict):
        return None
    if with_minute:
        return (value.get("day"), value.get("hour"), value.get("minute"))
    return (value.get("day"), value.get("hour"))


def compare(number, mine, decoded, cmp):
    taf = decoded.get("taf")
    cmp.check(number, "kind", "TAF", decoded.get("kind"))
    if not isinstance(taf, dict):
        return
    cmp.check(number, "station", mine["station"], taf.get("station"))
    issued = taf.get("issued") or {}
    cmp.check(number, "issued", mine["issued"],
              (issued.get("day"), issued.get("hour"), issued.get("minute")))
    for flag in ("amended", "corrected", "nil", "cancelled"):
        cmp.check(number, flag, mine[flag], taf.get(flag))
    valid = taf.get("valid")
    if mine["valid"] is not None:
        got = None if not isinstance(valid, dict) else tuple(
            valid.get(k) for k in ("fromDay", "fromHour", "toDay", "toHour"))
        cmp.check(number, "valid", mine["valid"], got)
    periods = taf.get("periods") or []
    cmp.check(number, "periods", [p["type"] for p in mine["periods"]],
              [p.get("type") for p in periods])
    if len(periods) != len(mine["periods"]):
        return
    for k, (p, q) in enumerate(zip(mine["periods"], periods)):
        where = f"period {k} ({p['type']})"
        cmp.check(number, where + " probability", p["probability"], q.get("probability"))
        cmp.check(number, where + " tempo", p["tempo"], bool(q.get("tempo", False)))
        cmp.check(number, where + " inter", p.get("inter", False), bool(q.get("inter", False)))
        if p["type"] == "FM" and p["from"][0] is None:
            got = time_of(q.get("from"), True)
            cmp.check(number, where + " from hour, minute", p["from"][1:],
                      None if got is None else got[1:])
        else:
            cmp.check(number, where + " from", p["from"], time_of(q.get("from"), True))
        if p["till"] is not None:
            cmp.check(number, where + " till", p["till"], time_of(q.get("till"), False))
        if "derived_till" in p:
            cmp.check(number, where + " till", p["derived_till"], time_of(q.get("till"), False))
        # The decoder's wind and visibilities come from the period's own
        # wind- and visibility-like groups, never from a time or a phrase.
        wind = q.get("wind")
        group = wind.get("group") if isinstance(wind, dict) else None
        cmp.require(number, where + " wind group", wind is None or group in p["wind_like"],
                    p["wind_like"], group)
        visibility = q.get("visibility") or []
        if isinstance(visibility, dict):
            visibility = [visibility]
        groups = [v.get("group") if isinstance(v, dict) else v for v in visibility]
        left = list(p["visibility_like"])
        taken = [g for g in groups if g in left and not left.remove(g)]
        cmp.require(number, where + " visibility groups", len(taken) == len(groups),
                    p["visibility_like"], groups)
        if p["wind"] is not None:
            w = wind if isinstance(wind, dict) else {}
            got = {"direction": w.get("direction"), "variable": bool(w.get("variable", False)),
                   "speed": w.get("speed"), "gust": w.get("gust"), "unit": w.get("unit")}
            cmp.check(number, where + " wind", p["wind"], got)
        vis = p["visibility"]
        if vis is not None:
            got = visibility
            if len(got) != 1 or not isinstance(got[0], dict):
                cmp.check(number, where + " visibility", vis, got)
            elif "metres" in vis:
                cmp.check(number, where + " visibility", vis, {"metres": got[0].get("meters")})
            else:
                miles = got[0].get("statuteMiles")
                cmp.check(number, where + " visibility", vis,
                          {"miles": vis["miles"] if isinstance(miles, (int, float))
                           and abs(miles - vis["miles"]) < 1e-9 else miles,
                           "more": bool(got[0].get("moreThan", False)),
                           "less": bool(got[0].get("lessThan", False))})


def run(decoder_path, input_path, lines, cmp):
    """Decodes the file and compares each line's JSON as it comes.

    Returns the decoder's exit status, the number of JSON lines and its
    standard error."""
    with tempfile.TemporaryFile() as errors, subprocess.Popen(
            [decoder_path, "-f", "json", "-j", "2", "--no-progress", "-i", input_path],
            stdout=subprocess.PIPE, stderr=errors, encoding="ascii",
            errors="replace") as decoder:
        outputs = 0
        for output in decoder.stdout:
            outputs += 1
            if outputs > len(lines):
                continue
            number, line = lines[outputs - 1]
            try:
                mine = read_forecast(line)
            except Skip as why:
                cmp.forecasts += 1
                cmp.skipped[str(why)] = cmp.skipped.get(str(why), 0) + 1
                continue
            if mine is None:
                continue
            cmp.forecasts += 1
            try:
                decoded = json.loads(output)
            except ValueError:
                cmp.require(number, "JSON", False, "an object", output.strip())
                continue
            cmp.check(number, "input", line, decoded.get("input"))
            if decoded.get("input") != line:
                continue
            cmp.compared += 1
            compare(number, mine, decoded, cmp)
        status = decoder.wait()
        errors.seek(0)
        return status, outputs, errors.read().decode(errors="replace")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("decoder")
    parser.add_argument("corpus")
    parser.add_argument("--limit", type=int, default=None, help="only the first N lines")
    args = parser.parse_args()

    with open(args.corpus, encoding="ascii", errors="replace") as f:
        lines = [(n, line.strip()) for n, line in enumerate(f, 1) if line.strip()]
    input_path = args.corpus
    if args.limit is not None:
        lines = lines[:args.limit]
        with tempfile.NamedTemporaryFile("w", suffix=".txt", encoding="ascii",
                                         errors="replace", delete=False) as f:
            f.write("".join(line + "\n" for _, line in lines))
            input_path = f.name
    cmp = Comparison()
    try:
        status, outputs, message = run(args.decoder, input_path, lines, cmp)
    except (FileNotFoundError, PermissionError) as error:  # no decoder to run
        print(f"check-corpus: {args.decoder}: {error.strerror}")
        return 1
    finally:
        if input_path != args.corpus:
            os.unlink(input_path)
    if status not in (0, 1):
        sys.stderr.write(message)
        print(f"check-corpus: {args.decoder} ended with status {status}")
        return 1
    if outputs != len(lines):
        print(f"check-corpus: {len(lines)} lines in, {outputs} JSON objects out")
        return 1

    skipped = sum(cmp.skipped.values())
    share = cmp.compared / cmp.forecasts if cmp.forecasts else 0.0
    print(f"{args.corpus}: {cmp.forecasts} forecasts read, {cmp.compared} compared, "
          f"{skipped} skipped ({100 * skipped / max(cmp.forecasts, 1):.2f}%), "
          f"{cmp.fields} fields compared, {cmp.disagreements} disagreements")
    if cmp.skipped:
        print("skipped: " + ", ".join(f"{why} {count}" for why, count in
                                      sorted(cmp.skipped.items(), key=lambda x: -x[1])))
    if share < MIN_COMPARED_SHARE:
        print(f"check-corpus: only {100 * share:.1f}% of the forecasts compared")
        return 1
    return 1 if cmp.disagreements else 0


if __name__ == "__main__":
    sys.exit(main())
