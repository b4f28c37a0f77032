#!/usr/bin/env python3
"""The tool's Navamsa and Vimshottari periods against a separate computation
in exact rational arithmetic (fractions) and Python's datetime.

Runs the tool once in batch mode over births drawn from a fixed seed (both
position sources, years 1800 to 2399, polar and southern places, the summer
box), then recomputes from each chart's own sidereal longitudes and birth
instant: the D9 sign of every body and the Navamsa's Torvi Lagna, the lord
of each period and sub-period, and every boundary as an ISO 8601 UT text.
The first start may differ by one second (the balance is rounded once, here
from the exact fraction, there from a double); every later boundary must
sit exactly where the exact arithmetic puts it from that start.

Usage: dasha_differential.py SELMARIND_CHART [COUNT]
"""
import json
import random
import subprocess
import sys
from datetime import datetime, timedelta
from fractions import Fraction
from math import floor

LORDS = ["Ketu", "Venus", "Sun", "Moon", "Mars", "Rahu", "Jupiter", "Saturn", "Mercury"]
YEARS = [7, 20, 6, 10, 7, 18, 16, 19, 17]
YEAR_SECONDS = 31557600  # 365.25 days
SIGNS = ["Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"]
SIGN_LORDS = ["Mars", "Venus", "Mercury", "Moon", "Sun", "Mercury",
              "Venus", "Mars", "Jupiter", "Saturn", "Saturn", "Jupiter"]
BODIES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"]
EPOCH = datetime(1899, 12, 30)


def births(count, zones, seed=24):
    rng = random.Random(seed)
    rows = ["name,date,time,zone,lat,lon,dst,positions"]
    for i in range(count):
        precise = i % 2 == 1
        first, last = (1800, 2399) if precise else (1901, 2050)
        year = rng.randint(first, last)
        if i % 10 == 0:
            year = rng.randint(2038, last)  # past the 32-bit seconds
        month, day = rng.randint(1, 12), rng.randint(1, 28)
        lat = "89N59" if i % 25 == 0 else "%d%s%d" % (rng.randint(0, 70), rng.choice("NS"),
                                                       rng.randint(0, 59))
        lon = "%d%s%d" % (rng.randint(0, 179), rng.choice("EW"), rng.randint(0, 59))
        zone = rng.randint(0, 70)
        # The box is refused on a zone that already includes the summer hour.
        dst = 0 if any(w in zones[zone] for w in ("Daylight", "Summer", "War")) else rng.randint(0, 1)
        rows.append("R,%04d-%02d-%02d,%d:%02d:%02d,%d,%s,%s,%d,%s" % (
            year, month, day, rng.randint(0, 23), rng.randint(0, 59), rng.randint(0, 59),
            zone, lat, lon, dst,
            "precise" if precise else "classic"))
    return "\n".join(rows) + "\n"


def iso(seconds):
    return (EPOCH + timedelta(seconds=seconds)).strftime("%Y-%m-%dT%H:%M:%SZ")


def serial(text):
    return int((datetime.strptime(text, "%Y-%m-%dT%H:%M:%SZ") - EPOCH).total_seconds())


def check_navamsa(chart):
    longitudes = chart["SiderealLongitude"]
    navamsa = chart["navamsa"]
    signs = {}
    for body in BODIES:
        sign = floor(Fraction(longitudes[body]) % 360 * 9 / 30) % 12
        signs[body] = sign
        if navamsa[body] != SIGNS[sign]:
            return "D9 of %s at %r: %s, expected %s" % (body, longitudes[body], navamsa[body],
                                                      SIGNS[sign])
    lord = SIGN_LORDS[signs["Asc"]]
    if navamsa["TorviLagnaSign"] != SIGNS[signs[lord]]:
        return "Navamsa Torvi Lagna %s, expected %s" % (navamsa["TorviLagnaSign"],
                                                        SIGNS[signs[lord]])
    return None


def check_dasha(chart):
    moon = Fraction(chart["SiderealLongitude"]["Moon"]) % 360
    birth = serial(chart["BirthUniversal"].replace(" ", "T") + "Z")
    mansions = moon * 27 / 360
    k = floor(mansions)
    first = k % 9
    elapsed = (mansions - k) * YEARS[first] * YEAR_SECONDS
    periods = chart["dasha"]
    if len(periods) != 9:
        return "%d periods" % len(periods)
    start = serial(periods[0]["start"])
    if abs(Fraction(birth - start) - elapsed) > 1:
        return "first start %s, birth %s, elapsed %s s expected" % (
            periods[0]["start"], chart["BirthUniversal"], float(elapsed))
    at = start
    for p, period in enumerate(periods):
        slot = (first + p) % 9
        if period["lord"] != LORDS[slot] or period["start"] != iso(at):
            return "period %d: %s %s, expected %s %s" % (p, period["lord"], period["start"],
                                                         LORDS[slot], iso(at))
        sub_at = at
        for s, sub in enumerate(period["sub"]):
            sub_slot = (slot + s) % 9
            length = Fraction(YEARS[slot] * YEARS[sub_slot] * YEAR_SECONDS, 120)
            if length.denominator != 1:
                return "sub-period of a fraction of a second"
            if (sub["lord"], sub["start"], sub["end"]) != (
                    LORDS[sub_slot], iso(sub_at), iso(sub_at + int(length))):
                return "period %d sub %d: %r" % (p, s, sub)
            sub_at += int(length)
        at += YEARS[slot] * YEAR_SECONDS
        if period["end"] != iso(at) or sub_at != at or len(period["sub"]) != 9:
            return "period %d ends %s, expected %s" % (p, period["end"], iso(at))
    return None


def main():
    tool = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 500
    zones = subprocess.run([tool, "--list-zones"], capture_output=True, check=True)
    zones = [line[4:] for line in zones.stdout.decode().splitlines()]
    run = subprocess.run([tool, "--batch", "-", "--dasha"], input=births(count, zones).encode(),
                         capture_output=True, check=False)
    lines = run.stdout.decode().splitlines()
    failures = 0
    if len(lines) != count:
        print("expected %d lines, got %d: %s" % (count, len(lines), run.stderr.decode()))
        failures += 1
    for line in lines:
        row = json.loads(line)
        fault = row.get("error") or check_navamsa(row["chart"]) or check_dasha(row["chart"])
        if fault:
            failures += 1
            print("line %d: %s" % (row["line"], fault))
    print("%d passed, %d failed" % (len(lines) - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
