#!/usr/bin/env python3
"""Reads the groups of each report a second way, with regular expressions
and tables of its own, and checks every value of the JSON's "extended"
object against that reading: the decoder's tables are not consulted.

Also checks that each entry's group is a group (or consecutive groups) of
the report, that a trend's groups run from its keyword to the next trend,
and that a group the second record took is not also listed as not decoded
more often than the report holds it.

usage: extended-matches-groups.py TARVIK_DECODE REPORTS...
"""
import json
import re
import subprocess
import sys
from collections import Counter

decode, files = sys.argv[1], sys.argv[2:]

KNOTS = {"KT": 1.0, "MPS": 1.943844, "KMH": 0.539957}
# The runway state group's tables (deposit, extent, braking action).
DEPOSIT = ["clear and dry", "damp", "wet or water patches", "rime or frost", "dry snow",
           "wet snow", "slush", "ice", "compacted or rolled snow", "frozen ruts or ridges"]
EXTENT = {"1": "10% or less", "2": "11 to 25%", "5": "26 to 50%", "9": "51 to 100%"}
BRAKING = {91: "poor", 92: "medium/poor", 93: "medium", 94: "medium/good", 95: "good"}
SEA = ["calm (glassy)", "calm (rippled)", "smooth (wavelets)", "slight", "moderate", "rough",
       "very rough", "high", "very high", "phenomenal"]
PHENOMENA = "DZ RA SN SG IC PL GR GS UP BR FG FU VA DU SA HZ PY PO SQ FC SS DS".split()
DESCRIPTORS = "MI PR BC DR BL SH TS FZ".split()


def knots(value, unit):
    return None if value is None else round(value * KNOTS[unit] + 1e-9, 1)


def num(text):
    return None if text is None else int(text)


def expect(entry, **values):
    """The entry holds exactly these values (None: left out) besides its group."""
    for key, value in values.items():
        got = entry.get(key)
        if value is False:
            value = None
        if isinstance(value, float) or isinstance(got, float):
            same = value is not None and got is not None and abs(got - value) < 1e-9
        else:
            same = got == value
        if not same:
            raise AssertionError("%s: %s is %r, the group says %r" % (entry["group"], key, got, value))
    extra = set(entry) - set(values) - {"group"}
    if extra:
        raise AssertionError("%s: values no reading gives: %s" % (entry["group"], sorted(extra)))


def wind(e):
    m = re.fullmatch(r"(E)?(\d{3}|VRB|///)(P)?(\d{2,3})(?:G(P)?(\d{2,3}))?(KT|MPS|KMH)", e["group"])
    assert m, e["group"]
    est, d, p1, s, p2, g, unit = m.groups()
    expect(e, direction=num(d) if d.isdigit() else None, variable=d == "VRB" or None,
           speed=int(s), gust=num(g), above=bool(p1 or p2) or None, unit=unit,
           estimated=bool(est) or None, speedKt=knots(int(s), unit), gustKt=knots(num(g), unit))


def visibility(e):
    m = re.fullmatch(r"(\d{4})(NDV|N|NE|E|SE|S|SW|W|NW)?", e["group"])
    assert m, e["group"]
    v, tail = int(m.group(1)), m.group(2)
    expect(e, meters=v, direction=tail if tail and tail != "NDV" else None,
           ndv=tail == "NDV" or None, atLeast=v == 9999 or None, lessThan=v == 0 or None)


def runway_range(e):
    m = re.fullmatch(r"R(\d\d[LCR]?)/([PM])?(\d{4})(?:V([PM])?(\d{4}))?(FT)?/?([UDN])?", e["group"])
    assert m, e["group"]
    rwy, a, low, b, high, ft, tend = m.groups()
    unit = "feet" if ft else "meters"
    values = {"runway": rwy, "tendency": tend, "aboveMax": "P" in (a, b) or None,
              "belowMin": "M" in (a, b) or None}
    if high:
        values["min" + unit.capitalize()] = int(low)
        values["max" + unit.capitalize()] = int(high)
    else:
        values[unit] = int(low)
    expect(e, **values)


def runway_state(e):
    g = e["group"]
    if g in ("SNOCLO", "R/SNOCLO"):
        return expect(e, closedBySnow=True)
    m = re.fullmatch(r"R(\d\d[LCR]?)/(.*)", g) or re.fullmatch(r"(\d\d)(.{6})", g)
    assert m, g
    rwy, rest = m.groups()
    values = {}
    if rwy == "88":
        values["allRunways"] = True
    elif rwy == "99":
        values["repeated"] = True
    elif not g.startswith("R") and 51 <= int(rwy) <= 86:
        values["runway"] = "%02dR" % (int(rwy) - 50)
    else:
        values["runway"] = rwy
    if rest.startswith("CLRD"):
        values["cleared"] = True
        bb = rest[4:]
    else:
        if rest[0] != "/":
            values["deposit"] = DEPOSIT[int(rest[0])]
        if rest[1] in EXTENT:
            values["extent"] = EXTENT[rest[1]]
        ee, bb = rest[2:4], rest[4:6]
        if ee != "//":
            d = int(ee)
            if d <= 90:
                values["depthMm"] = d
            elif d == 99:
                values["notOperational"] = True
            else:
                values["depthMm"] = (d - 90) * 50
                values["depthOrMore"] = d == 98 or None
    if bb != "//":
        f = int(bb)
        if f <= 90:
            values["friction"] = f / 100
        elif f in BRAKING:
            values["braking"] = BRAKING[f]
        else:
            values["unreliable"] = True
    expect(e, **values)


def weather_codes(text):
    m = re.fullmatch(r"(%s)?((?:%s)*)" % ("|".join(DESCRIPTORS), "|".join(PHENOMENA)), text)
    assert m and (m.group(2) or m.group(1) in ("TS", "SH")), text
    return m.group(1), [m.group(2)[i:i + 2] for i in range(0, len(m.group(2)), 2)]


def weather(e):
    m = re.fullmatch(r"(VC|-|\+)?(.*)", e["group"])
    descriptor, phenomena = weather_codes(m.group(2))
    expect(e, intensity=m.group(1) if m.group(1) in ("-", "+") else None,
           vicinity=m.group(1) == "VC" or None, descriptor=descriptor,
           phenomena=phenomena or None)


def recent(e):
    assert e["group"].startswith("RE"), e["group"]
    if e["group"] == "RE//":
        return expect(e, notReported=True)
    weather_codes(e["group"][2:])
    expect(e, weather=e["group"][2:])


def cloud(e):
    m = re.fullmatch(r"VV(\d{3})", e["group"])
    if m:
        return expect(e, cover="VV", heightFt=int(m.group(1)) * 100)
    m = re.fullmatch(r"(FEW|SCT|BKN|OVC|///)(\d{3}|///)?(CB|TCU|///)?", e["group"])
    assert m, e["group"]
    cover, height, kind = m.groups()
    expect(e, cover=None if cover == "///" else cover,
           heightFt=int(height) * 100 if height and height.isdigit() else None,
           type=kind if kind in ("CB", "TCU") else None)


def temperature(e):
    m = re.fullmatch(r"(M)?(\d\d)/(//)?", e["group"])
    assert m, e["group"]
    expect(e, temperature=-int(m.group(2)) if m.group(1) else int(m.group(2)))


def altimeter(e):
    m = re.fullmatch(r"([QA])(\d{4})", e["group"])
    assert m, e["group"]
    if m.group(1) == "Q":
        expect(e, hpa=int(m.group(2)))
    else:
        expect(e, inches=int(m.group(2)) / 100)


def wind_shear(e):
    if e["group"] == "WS ALL RWY":
        return expect(e, allRunways=True)
    m = re.fullmatch(r"WS (?:R|RWY)(\d\d[LCR]?)", e["group"])
    assert m, e["group"]
    expect(e, runway=m.group(1))


def sea(e):
    m = re.fullmatch(r"W(M?\d\d|//)/(?:S(\d|/)|H(\d{1,3}|/{1,3}))", e["group"])
    assert m, e["group"]
    t, s, h = m.groups()
    expect(e, surfaceTemperature=None if t == "//" else int(t.replace("M", "-")),
           state=SEA[int(s)] if s and s.isdigit() else None,
           waveHeightM=int(h) / 10 if h and h.isdigit() else None)


def rainfall(e):
    m = re.fullmatch(r"RF(\d\d\.\d)/(\d{3}\.\d)", e["group"])
    assert m, e["group"]
    expect(e, last10MinMm=float(m.group(1)), since9amMm=float(m.group(2)))


def colours(group):
    return re.findall(r"(BLACK)?(BLU|WHT|GRN|YLO1|YLO2|YLO|AMB|RED)(\+)?", group)


def modifier(e):
    g = e["group"]
    if g == "NIL":
        return expect(e, nil=True)
    if g == "RTD":
        return expect(e, delayed=True)
    assert re.fullmatch(r"CC[A-Z]", g), g
    expect(e, correction=ord(g[2]) - ord("A") + 1)


SLASH_ELEMENTS = {"//": "weather", "////": "visibility", "//////": "clouds",
                  "/////////": "clouds", "////SM": "visibility", "VV///": "verticalVisibility",
                  "A////": "altimeter", "Q////": "altimeter", "///V///": "windVariation"}


def not_reported(e):
    g, element = e["group"], e["element"]
    assert g == "M" or (re.fullmatch(r"(R\d\d[LCR]?|R|VV|W|Q|A)?[/V]+(G//)?(KT|MPS|KMH|SM|NDV)?", g)
                        and "/" in g), g
    if g in SLASH_ELEMENTS:
        assert SLASH_ELEMENTS[g] == element, (g, element)
    expect(e, element=element)


CHECKS = {"wind": wind, "visibility": visibility, "runwayVisualRange": runway_range,
          "runwayState": runway_state, "weather": weather, "recentWeather": recent,
          "clouds": cloud, "temperature": temperature, "altimeter": altimeter,
          "windShear": wind_shear, "seaState": sea, "rainfall": rainfall,
          "modifier": modifier, "notReported": not_reported}


def check_kinds(obj, groups, where):
    """Checks the kinds of the observation or of a trend; returns the groups used."""
    used = Counter()
    for key, value in obj.items():
        if key in ("groups", "type", "from", "till", "at", "cavok", "nsw", "verticalVisibilityFt",
                   "trends"):
            continue
        if key == "sky":
            assert value in ("NSC", "NCD", "SKC", "CLR"), value
            assert value in groups, (value, groups)
            used[value] += 1
            continue
        entries = value if isinstance(value, list) else [value]
        if key == "colourState":
            # A group gives one entry per colour state in it, in order.
            at = 0
            while at < len(entries):
                group = entries[at]["group"]
                found = colours(group)
                assert found and "".join("".join(f) for f in found) == group, group
                for (black, colour, plus), e in zip(found, entries[at:at + len(found)]):
                    assert e["group"] == group, group
                    expect(e, colour=colour, black=bool(black) or None, plus=bool(plus) or None)
                at += len(found)
                used[group] += 1
            continue
        for e in entries:
            CHECKS[key](e)
            parts = e["group"].split()
            assert any(groups[i:i + len(parts)] == parts for i in range(len(groups))), \
                "%s is not a group of %s" % (e["group"], where)
            for part in parts:
                used[part] += 1
    return used


def check_trend(trend, groups):
    first = trend["groups"][0]
    positions = [i for i in range(len(groups)) if groups[i:i + len(trend["groups"])] == trend["groups"]]
    assert positions, trend["groups"]
    kind = first if first in ("NOSIG", "BECMG", "TEMPO", "INTER") else first[:2]
    assert trend["type"] == kind, trend
    times = {g[:2]: g[2:] for g in trend["groups"][1:3] if re.fullmatch(r"(FM|TL|AT)\d{4}", g)}
    if kind == "FM":
        times["FM"] = first[2:]
    period = [g for g in trend["groups"][1:2] if re.fullmatch(r"\d{4}/\d{4}", g)]
    if period:
        times["FM"], times["TL"] = period[0][:4], period[0][5:]
    for key, code in (("from", "FM"), ("till", "TL"), ("at", "AT")):
        assert trend.get(key) == times.get(code), (trend, key)
    assert trend.get("cavok") == ("CAVOK" in trend["groups"] or None), trend
    assert trend.get("nsw") == ("NSW" in trend["groups"] or None), trend
    check_kinds(trend, trend["groups"], trend["groups"])


checked = Counter()
for path in files:
    with open(path, "rb") as handle:
        done = subprocess.run([decode, "--format", "json"], stdin=handle, capture_output=True)
    for line in done.stdout.decode("utf-8").splitlines():
        obj = json.loads(line)
        extended = obj.get("extended")
        if not extended:
            continue
        groups = obj["input"].rstrip(" =").split()
        try:
            used = check_kinds(extended, groups, obj["input"])
            for trend in extended.get("trends", []):
                check_trend(trend, groups)
                used[trend["groups"][0]] += 1
            listed = Counter(obj.get("notDecoded", []))
            everywhere = Counter(groups)
            for group, count in used.items():
                if group in listed and used[group] + listed[group] > everywhere[group]:
                    raise AssertionError("%s both decoded and not decoded" % group)
        except (AssertionError, KeyError, TypeError, ValueError) as error:
            sys.exit("%s\n  in %s" % (error, obj["input"]))
        for key in extended:
            checked[key] += 1
print("reports with a second record checked, by kind:",
      ", ".join("%s %d" % item for item in sorted(checked.items())))
