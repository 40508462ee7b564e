#!/usr/bin/env python3
"""Reads the groups of each report a second way, with regular expressions
and tables of its own, and checks every value of the JSON's "extended"
object, its remarks included, against that reading: the decoder's tables
are not consulted.

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
    m = re.fullmatch(r"A(\d\d\.\d\d)", e["group"])
    if m:
        return expect(e, inches=float(m.group(1)))
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


# --- The remarks ------------------------------------------------------------

POINTS = "N NE E SE S SW W NW".split()
LOCATIONS = {"DSNT": "DSNT", "DIST": "DIST", "VC": "VC", "VCY": "VC", "OHD": "OHD",
             "OVHD": "OHD", "AP": "AP"}
DIRS = "|".join(POINTS)


def arc(a, b):
    """The points from a to b the short way round (clockwise when opposite)."""
    i, j = POINTS.index(a), POINTS.index(b)
    step = 1 if (j - i) % 8 <= 4 else -1
    out = [a]
    while i != j:
        i = (i + step) % 8
        out.append(POINTS[i])
    return out


def in_order(points):
    return [p for p in POINTS if p in points] or None


def place_words(words):
    """Where a phenomenon is, from its words: (values, words left over)."""
    values, points, last = {}, set(), None
    i = 0
    while i < len(words):
        w = words[i]
        if w == "AND" and i + 1 < len(words) and i > 0:
            i += 1
            continue
        if w in LOCATIONS:
            values.setdefault("location", LOCATIONS[w])
        elif w in ("ALQDS", "ALQS"):
            values["allQuadrants"] = True
            points.update(POINTS)
        elif w == "THRU":
            points.update(arc(last, words[i + 1]))
            last = words[i + 1]
            i += 1
        else:
            chain = w.split("-")
            if chain[0] == "OHD":
                values.setdefault("location", "OHD")
                chain = chain[1:]
            assert chain and all(c in POINTS for c in chain), w
            for a, b in zip(chain, chain[1:]):
                points.update(arc(a, b))
            points.update(chain)
            last = chain[-1]
        i += 1
    values["directions"] = in_order(points)
    return values


def sighting_words(text):
    """Splits off MOV and its point: (place words, movement)."""
    words = text.split()
    if len(words) >= 2 and words[-2] in ("MOV", "MOVD"):
        return words[:-2], words[-1]
    return words, None


def lightning(e):
    words = e["group"].split()
    frequency = words.pop(0) if words[0] in ("OCNL", "FRQ", "CONS") else None
    head = words.pop(0)
    assert head == "LTNG" or re.fullmatch(r"LTG(?:IC|CG|CC|CA)*", head), e["group"]
    types = [head[i:i + 2] for i in range(3, len(head), 2)] if head != "LTNG" else []
    place, movement = sighting_words(" ".join(words))
    values = place_words(place) if place else {}
    expect(e, frequency=frequency, types=types or None, movement=movement, **values)


def phenomenon(e):
    words = e["group"].split()
    head = words.pop(0)
    values = {}
    if head.startswith("VC") and head not in ("VC",):
        values["location"] = "VC"
        head = head[2:]
    assert head in ("CB", "CBMAM", "TCU", "ACC", "ACSL", "SCSL", "CCSL", "TS", "SH", "VIRGA",
                    "PCPN") or weather_codes(head), e["group"]
    place, movement = sighting_words(" ".join(words))
    found = place_words(place)
    if "location" in values:
        found["location"] = "VC"
    expect(e, phenomenon=head, movement=movement, **found)


LAYER = r"(TCU|ACC|CI|CC|CS|AC|AS|NS|SC|ST|SF|CU|CF|CB|(?:BL|DR)?(?:%s))([0-8])" % "|".join(PHENOMENA)


def remark_clouds(entries):
    """Canadian layers (one entry per layer of a group), traces, oktas with heights."""
    at = 0
    while at < len(entries):
        group = entries[at]["group"]
        m = re.fullmatch(r"(\w+) TR", group)
        if m:
            expect(entries[at], type=m.group(1), trace=True)
            at += 1
            continue
        m = re.fullmatch(r"([1-8])(TCU|CI|CC|CS|AC|AS|NS|SC|ST|CU|CB)(\d{3})", group)
        if m:
            expect(entries[at], oktas=int(m.group(1)), type=m.group(2), heightFt=int(m.group(3)) * 100)
            at += 1
            continue
        layers = re.findall(LAYER, group)
        assert layers and "".join(t + o for t, o in layers) == group, group
        for (kind, oktas), e in zip(layers, entries[at:at + len(layers)]):
            assert e["group"] == group, group
            expect(e, type=kind, oktas=int(oktas))
        at += len(layers)


def total_cloud(e):
    # Italian reports give it first; SKC may stand anywhere.
    assert e["group"] in ("SKC", "FEW", "SCT", "BKN", "OVC"), e["group"]
    expect(e, cover=e["group"])


def temperature_extreme(e):
    m = re.fullmatch(r"(TX|TN)(M)?(\d{1,2}\.\d)", e["group"])
    assert m, e["group"]
    expect(e, extreme=m.group(1), celsius=float(m.group(3)) * (-1 if m.group(2) else 1))


def weather_events(entries):
    """A group gives one entry per time in it, in order."""
    at = 0
    while at < len(entries):
        group = entries[at]["group"]
        segments = re.findall(r"([-+]?(?:[A-Z]{2})+?)((?:[BE](?:\d{4}|\d\d))+)", group)
        assert "".join(w + t for w, t in segments) == group, group
        times = [(w, event, time) for w, t in segments
                 for event, time in re.findall(r"([BE])(\d{4}|\d\d)", t)]
        assert len(entries) - at >= len(times), group
        for (weather, event, time), e in zip(times, entries[at:at + len(times)]):
            assert e["group"] == group, group
            weather_codes(weather.lstrip("-+").removeprefix("VC").replace("PE", "PL"))
            expect(e, weather=weather, event=event, hour=int(time[:2]) if len(time) == 4 else None,
                   minute=int(time[-2:]))
        at += len(times)


def ceiling(e):
    m = re.fullmatch(r"CIG (\d{3}) (RWY ?\d\d[LCR]?|%s)" % DIRS, e["group"])
    assert m, e["group"]
    expect(e, heightFt=int(m.group(1)) * 100, location=m.group(2))


def data_state(e):
    *element, verdict = e["group"].split()
    assert verdict in ("ESTMD", "EST", "MISG") and element, e["group"]
    expect(e, element=" ".join(element), estimated=verdict != "MISG" or None,
           missing=verdict == "MISG" or None)


def snow_on_ground(e):
    if e["group"] == "SOGTR":
        return expect(e, trace=True)
    m = re.fullmatch(r"SOG (\d{2,3})", e["group"])
    assert m, e["group"]
    expect(e, cm=int(m.group(1)))


def tendency(e):
    if e["group"] == "M":
        return expect(e, missing=True)
    m = re.fullmatch(r"([0-8])(\d{3})", e["group"])
    assert m, e["group"]
    expect(e, characteristic=int(m.group(1)), changeHpa=int(m.group(2)) / 10)


def density_altitude(e):
    if e["group"] == "DENSITY ALT MISG":
        return expect(e, missing=True)
    m = re.fullmatch(r"DENSITY ALT (-?\d{1,5})FT", e["group"])
    assert m, e["group"]
    expect(e, feet=int(m.group(1)))


def ice(e):
    m = re.fullmatch(r"I([136])(\d{3})", e["group"])
    assert m, e["group"]
    expect(e, hours=int(m.group(1)), inches=int(m.group(2)) / 100)


def sensor(e):
    m = re.fullmatch(r"(CHINO|VISNO) (RWY ?\d\d[LCR]?|%s)" % DIRS, e["group"])
    assert m, e["group"]
    expect(e, sensor=m.group(1), location=m.group(2))


def peak_wind(e):
    m = re.fullmatch(r"(?:PK WND|PKWND) (\d{3})(\d{2,3})/(\d\d)?(\d\d)", e["group"])
    assert m, e["group"]
    expect(e, direction=int(m.group(1)), speed=int(m.group(2)), hour=num(m.group(3)),
           minute=int(m.group(4)))


def precipitation(e):
    g = e["group"]
    m = re.fullmatch(r"P(\d{4})", g)
    if m:
        inches = int(m.group(1)) / 100
        return expect(e, inches=inches, mm=round(inches * 25.4 + 1e-9, 1), hours=1)
    m = re.fullmatch(r"(\d)PAST HR", g) or re.fullmatch(r"PCPN (\d{1,3}\.\d)MM PAST HR", g)
    if m:
        mm = int(m.group(1)) / 10 if "PCPN" not in g else float(m.group(1))
        return expect(e, mm=mm, hours=1)
    m = re.fullmatch(r"PP(\d{3}|///)", g)
    assert m, g
    if m.group(1) == "///":
        return expect(e, notReported=True, sinceLastReport=True)
    expect(e, mm=int(m.group(1)) / 10, sinceLastReport=True)


def schedule(e):
    g = e["group"]
    if g == "FIRST":
        return expect(e, first=True)
    m = re.fullmatch(r"LAST (?:STFD |STAFFED )?OBS?(?:\s*/?\s*(?:NEXT|NXT)\s*/?\s*(\d\d)(\d{4})\s*(?:Z|UTC)?)?/?", g)
    assert m, g
    expect(e, lastStaffed=True, nextDay=num(m.group(1)), nextTime=m.group(2))


def station_pressure(e):
    m = re.fullmatch(r"QFE(\d{3,4})(?:\.(\d))?(?:/(\d{4}))?", e["group"])
    assert m, e["group"]
    whole, tenth, hpa = m.groups()
    if len(whole) == 4 or (int(whole) > 820 and tenth is None):
        return expect(e, hpa=float(whole))
    mmhg = int(whole) + (int(tenth) / 10 if tenth else 0)
    expect(e, mmHg=mmhg, hpa=float(hpa) if hpa else round(mmhg * 1.333224 + 1e-9, 1))


def cloud_base(e):
    m = re.fullmatch(r"QBB(\d{3})", e["group"])
    assert m, e["group"]
    expect(e, meters=int(m.group(1)), feet=int(int(m.group(1)) / 0.3048 + 0.5))


def local_wind(e):
    m = re.fullmatch(r"(?:WIND )?(?:(TDZ|MID|END) )?(?:RWY ?(\d\d[LCR]?) |THR(\d\d[LCR]?) |(\d{3,4})FT |"
                     r"R(\d\d[LCR]?)/|(ARP)/|([A-Z]{3,}) |THR(\d\d[LCR]?)(?=/))(/////(?:KT)?|(\d{3}|VRB|///)(P)?(\d{2,3})"
                     r"(?:G(P)?(\d{2,3}))?(KT|MPS|KMH))(?: (\d{3})V(\d{3}))?", e["group"])
    assert m, e["group"]
    part, rwy, thr, height, rrwy, arp, name, fused, w, d, _, s, _, g, unit, vfrom, vto = m.groups()
    thr = thr or fused
    place = "THR" if thr else "ARP" if arp else name if name else part or ("RWY" if rwy or rrwy else None)
    values = dict(place=place, runway=rwy or thr or rrwy, heightFt=num(height),
                  variableFrom=num(vfrom), variableTo=num(vto))
    if w.startswith("/////"):
        values["notReported"] = True
    else:
        values.update(direction=num(d) if d.isdigit() else None, variable=d == "VRB" or None,
                      speed=int(s), gust=num(g), unit=unit, speedKt=knots(int(s), unit),
                      gustKt=knots(num(g), unit))
    expect(e, **values)


MILES = r"(M)?(\d \d/\d{1,2}|\d{1,2}(?:/\d{1,2})?)(?:SM)?"


def miles(text):
    value = 0.0
    for part in text.split():
        a, _, b = part.partition("/")
        value += int(a) / int(b) if b else int(a)
    return value


def remark_visibility(e):
    g = e["group"]
    m = re.fullmatch(r"VIS MIN (\d{4})(%s)?" % DIRS, g)
    if m:
        v = int(m.group(1))
        return expect(e, qualifier="MIN", meters=v, atLeast=v == 9999 or None,
                      directions=[m.group(2)] if m.group(2) else None)
    m = re.fullmatch(r"VIS MAR (\d{1,4}) (KM|M)", g)
    if m:
        return expect(e, qualifier="MAR", meters=int(m.group(1)) * (1000 if m.group(2) == "KM" else 1))
    m = re.fullmatch(r"VIS LWR ((?:%s)(?:-(?:%s))*)" % (DIRS, DIRS), g)
    if m:
        return expect(e, qualifier="LWR", **place_words([m.group(1)]))
    m = re.fullmatch(r"VIS VRB %s ?- ?%s" % (MILES, MILES), g)
    if m:
        return expect(e, qualifier="VRB", minStatuteMiles=miles(m.group(2)), lessThan=bool(m.group(1)) or None,
                      maxStatuteMiles=miles(m.group(4)))
    m = re.fullmatch(r"VIS %sV(\d{1,2}(?:/\d{1,2})?(?: \d/\d{1,2})?)(?:SM)?" % MILES, g)
    if m:
        return expect(e, qualifier="VRB", minStatuteMiles=miles(m.group(2)), lessThan=bool(m.group(1)) or None,
                      maxStatuteMiles=miles(m.group(3)))
    m = re.fullmatch(r"VIS (\d{4}) (RWY ?\d\d[LCR]?(?:/\d\d[LCR]?)?)", g)
    if m:
        return expect(e, meters=int(m.group(1)), location=m.group(2))
    m = re.fullmatch(r"VIS (?:((?:%s)(?:-(?:%s))*) )?%s(?: (.+))?" % (DIRS, DIRS, MILES), g)
    assert m, g
    before, less, value, after = m.groups()
    values = dict(statuteMiles=miles(value), lessThan=bool(less) or None)
    place = before or after
    if place and place.startswith("RWY"):
        values["location"] = place
    else:
        values["directions"] = place_words([place])["directions"]
    expect(e, **values)


def terrain(e):
    m = re.fullmatch(r"(MT|OBST|MON|VAL) (OBSC|INVIS|LIB|NIL)", e["group"])
    assert m, e["group"]
    expect(e, feature=m.group(1), state=m.group(2))


def sea_remark(e):
    m = re.fullmatch(r"QUK (\d|/) QUL (\d|/)(?: (%s))?" % DIRS, e["group"])
    assert m, e["group"]
    expect(e, seaState=num(m.group(1)) if m.group(1) != "/" else None,
           swell=num(m.group(2)) if m.group(2) != "/" else None, swellDirection=m.group(3))


def humidity(e):
    m = re.fullmatch(r"RH(\d{2,3})", e["group"])
    assert m and int(m.group(1)) <= 100, e["group"]
    expect(e, percent=int(m.group(1)))


def bird_hazard(e):
    m = re.fullmatch(r"BIRD HAZARD(?: RWY ?(\d\d[LCR]?(?:/\d\d[LCR]?)?)?)?", e["group"])
    assert m, e["group"]
    expect(e, runway=m.group(1))


REMARK_CHECKS = {"totalCloud": total_cloud, "temperatureExtremes": temperature_extreme,
                 "lightning": lightning, "phenomena": phenomenon, "estimatedOrMissing": data_state,
                 "snowOnGround": snow_on_ground, "pressureTendency": tendency,
                 "densityAltitude": density_altitude, "iceAccretion": ice,
                 "sensorNotAvailable": sensor, "precipitation": precipitation,
                 "schedule": schedule, "stationPressure": station_pressure,
                 "cloudBase": cloud_base, "ceiling": ceiling, "peakWind": peak_wind, "localWind": local_wind, "visibility": remark_visibility,
                 "terrain": terrain, "sea": sea_remark, "humidity": humidity,
                 "birdHazard": bird_hazard, "clouds": cloud, "altimeter": altimeter,
                 "rainfall": rainfall, "runwayState": runway_state}


def check_remarks(remarks, groups, where):
    """Checks the remarks' kinds; returns the groups used."""
    assert "RMK" in groups, where
    after = groups[groups.index("RMK") + 1:]
    used = Counter()
    for key, value in remarks.items():
        entries = value if isinstance(value, list) else [value]
        if key == "cloudLayers":
            remark_clouds(entries)
        elif key == "weatherEvents":
            weather_events(entries)
        elif key == "colourState":
            check_colours(entries, used)
            continue
        else:
            for e in entries:
                REMARK_CHECKS[key](e)
        seen = set()
        for e in entries:
            parts = e["group"].split()
            assert any(after[i:i + len(parts)] == parts for i in range(len(after))), \
                "%s is not a group of the remarks of %s" % (e["group"], where)
            # Entries of one group (the layers of SC1SC4) use it once.
            if key in ("cloudLayers", "weatherEvents") and e["group"] in seen:
                continue
            seen.add(e["group"])
            for part in parts:
                used[part] += 1
    return used


def check_colours(entries, used):
    """A group gives one entry per colour state in it, in order."""
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


def check_kinds(obj, groups, where):
    """Checks the kinds of the observation or of a trend; returns the groups used."""
    used = Counter()
    for key, value in obj.items():
        if key in ("groups", "type", "from", "till", "at", "cavok", "nsw", "verticalVisibilityFt",
                   "trends", "remarks"):
            continue
        if key == "sky":
            assert value in ("NSC", "NCD", "SKC", "CLR"), value
            assert value in groups, (value, groups)
            used[value] += 1
            continue
        entries = value if isinstance(value, list) else [value]
        if key == "colourState":
            check_colours(entries, used)
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
            if "remarks" in extended:
                used.update(check_remarks(extended["remarks"], groups, obj["input"]))
            listed = Counter(obj.get("notDecoded", []))
            everywhere = Counter(groups)
            for group, count in used.items():
                if group in listed and used[group] + listed[group] > everywhere[group]:
                    raise AssertionError("%s both decoded and not decoded" % group)
        except (AssertionError, KeyError, TypeError, ValueError) as error:
            sys.exit("%s\n  in %s" % (error, obj["input"]))
        for key in extended:
            checked[key] += 1
        for key in extended.get("remarks", {}):
            checked["remarks." + key] += 1
print("reports with a second record checked, by kind:",
      ", ".join("%s %d" % item for item in sorted(checked.items())))
