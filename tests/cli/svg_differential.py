#!/usr/bin/env python3
"""The tool's SVG against its own JSON, read by Python's XML parser.

For each style and 200 births drawn from a fixed seed (precise positions
1800-2399 and classic 1901-2050, polar latitudes, non-ASCII and hostile place
names, with and without the points), runs selmarind-chart with --json and
--svg and checks that
  - every body's <text> lies in the <g class="cell"> whose data-sign is the
    sign of the body's JSON longitude and whose data-house counts from the
    sign of the ascendant's longitude, and nowhere else;
  - every <text> of a cell (its baseline start and its top) lies inside the
    cell's outline polygon;
  - the Torvi Lagna marker sits in the sign of the JSON's TorviLagnaSign, and
    with --points the twelve arudhas (AL, A2..A12) appear once each;
  - the cells run as the style has them: South Indian clockwise from Aries in
    the second cell of the top row, East Indian counter-clockwise from Aries
    at the top centre, North Indian houses counter-clockwise from house 1 at
    the top centre;
  - the <title> names the person and the style, and chart.style names it.
Usage: svg_differential.py TOOL
"""

import json
import math
import os
import random
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
BODIES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"]
# The two-letter names a crowded cell may use.
SHORT = {"Su": "Sun", "Mo": "Moon", "Me": "Mercury", "Ve": "Venus", "Ma": "Mars",
         "Ju": "Jupiter", "Sa": "Saturn", "Ra": "Rahu", "Ke": "Ketu"}
TITLES = {"south": "South Indian", "north": "North Indian", "east": "East Indian"}
PLACE_WORDS = ["Zürich", "São Paulo", "Reykjavík", "Tromsø", "Łódź", "東京", "Київ",
               "नई दिल्ली", "<b>&amp;\"x'", "Ny-Ålesund", "McMurdo"]
BIRTHS = 200


def body_of(text):
    name = text.split(" ")[0].split("(")[0]
    return SHORT.get(name, name)


def inside(polygon, x, y, tolerance=1e-3):
    """Whether (x, y) lies in the convex polygon (either orientation)."""
    sign = 0
    n = len(polygon)
    for i in range(n):
        (ax, ay), (bx, by) = polygon[i], polygon[(i + 1) % n]
        length = math.hypot(bx - ax, by - ay)
        cross = ((bx - ax) * (y - ay) - (by - ay) * (x - ax)) / length
        if abs(cross) <= tolerance:
            continue
        s = 1 if cross > 0 else -1
        if sign == 0:
            sign = s
        elif s != sign:
            return False
    return True


def centroid(polygon):
    return (sum(p[0] for p in polygon) / len(polygon), sum(p[1] for p in polygon) / len(polygon))


def random_birth(rng, index):
    precise = index % 2 == 0
    first, last = (1800, 2399) if precise else (1901, 2050)
    year = rng.randint(first, last)
    month = rng.randint(1, 12)
    day = rng.randint(1, 28)
    polar = rng.random() < 0.25
    lat = rng.randint(66, 89) if polar else rng.randint(0, 65)
    args = [
        "--name", "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(rng.randint(1, 12)))
        + " " + rng.choice(["KUMAR", "SMITH", "O"]),
        "--date", "%04d-%02d-%02d" % (year, month, day),
        "--time", "%d:%02d:%02d" % (rng.randint(0, 23), rng.randint(0, 59), rng.randint(0, 59)),
        "--zone", str(rng.randint(0, 70)),
        "--lat", "%d%s%d" % (lat, rng.choice("NS"), rng.randint(0, 59)),
        "--lon", "%d%s%d" % (rng.randint(0, 179), rng.choice("EW"), rng.randint(0, 59)),
        "--city", rng.choice(PLACE_WORDS),
        "--country", rng.choice(PLACE_WORDS),
        "--positions", "precise" if precise else "classic",
    ]
    return args


def angles_in_order(cells, key, count_clockwise, start):
    """Cells taken in `key` order 1..12 turn one way round the centre."""
    order = sorted(cells, key=lambda c: c[key])
    cx = sum(c["centre"][0] for c in cells) / 12
    cy = sum(c["centre"][1] for c in cells) / 12
    # Angles with y upwards, as on a page.
    angles = [math.degrees(math.atan2(cy - c["centre"][1], c["centre"][0] - cx)) for c in order]
    faults = []
    if abs(((angles[0] - start + 180) % 360) - 180) > 25:
        faults.append("%s 1 at %.0f degrees, not %d" % (key, angles[0], start))
    for a, b in zip(angles, angles[1:] + angles[:1]):
        turn = (b - a) % 360
        if count_clockwise:
            turn = 360 - turn
        if not 0 < turn < 90:
            faults.append("%s order turns the wrong way (%.0f to %.0f)" % (key, a, b))
            break
    return faults


def check(style, points, chart, svg_path, name):
    faults = []
    root = ET.parse(svg_path).getroot()
    title = root.find(SVG + "title")
    if title is None or name not in title.text or TITLES[style] not in title.text:
        faults.append("title %r lacks the name or the style" % (title.text if title is not None else None))
    if chart.get("style") != style:
        faults.append("chart.style is %r" % chart.get("style"))
    asc_sign = int(chart["AscendantSidereal"] // 30) % 12
    cells = []
    for g in root.iter(SVG + "g"):
        if g.get("class") != "cell":
            continue
        polygon = [tuple(float(v) for v in p.split(","))
                   for p in g.find(SVG + "polygon").get("points").split()]
        texts = []
        for t in g.findall(SVG + "text"):
            x, y, size = float(t.get("x")), float(t.get("y")), float(t.get("font-size"))
            texts.append((t.get("class"), t.text, x, y))
            if not (inside(polygon, x, y) and inside(polygon, x, y - size)):
                faults.append("%r at (%.1f, %.1f) outside sign %s" % (t.text, x, y, g.get("data-sign")))
        cells.append({"sign": int(g.get("data-sign")), "house": int(g.get("data-house")),
                      "texts": texts, "centre": centroid(polygon), "label": g.get("aria-label")})
    if sorted(c["sign"] for c in cells) != list(range(1, 13)):
        return faults + ["cells %r" % [c["sign"] for c in cells]]
    for c in cells:
        house = (c["sign"] - 1 - asc_sign) % 12 + 1
        if c["house"] != house:
            faults.append("sign %d has data-house %d, not %d" % (c["sign"], c["house"], house))
    for body in BODIES:
        lon = chart["SiderealLongitude"][body]
        sign = int(lon // 30) + 1
        holders = [c["sign"] for c in cells for t in c["texts"] if t[0] == "body" and body_of(t[1]) == body]
        want = [sign] if sign <= 12 else []
        if holders != want:
            faults.append("%s at %.6f drawn in signs %r, not %r" % (body, lon, holders, want))
    tl = [c["sign"] for c in cells for t in c["texts"] if t[0] == "marker" and t[1] == "TL"]
    if tl != [chart["TorviLagnaSign"]]:
        faults.append("TL in %r, not %d" % (tl, chart["TorviLagnaSign"]))
    arudhas = sorted(t[1] for c in cells for t in c["texts"] if t[0] == "point" and t[1][0] == "A")
    want = sorted(["AL"] + ["A%d" % h for h in range(2, 13)]) if points else []
    if arudhas != want:
        faults.append("arudhas %r" % arudhas)
    if style == "south":
        faults += angles_in_order(cells, "sign", True, 112)  # Aries: second cell of the top row
    elif style == "east":
        faults += angles_in_order(cells, "sign", False, 90)
    else:
        faults += angles_in_order(cells, "house", False, 90)
    return faults


def main():
    tool = sys.argv[1]
    rng = random.Random(20261209)
    births = [random_birth(rng, i) for i in range(BIRTHS)]
    failures = 0
    drawn = 0
    with tempfile.TemporaryDirectory() as folder:
        svg_path = os.path.join(folder, "chart.svg")
        for style in ("south", "north", "east"):
            for i, args in enumerate(births):
                points = i % 3 != 0
                command = [tool] + args + ["--json", "--svg", svg_path, "--style", style]
                if points:
                    command.append("--points")
                run = subprocess.run(command, capture_output=True, text=True)
                if run.returncode != 0:
                    failures += 1
                    print("FAIL %s: status %d %s" % (" ".join(command), run.returncode, run.stderr.strip()))
                    continue
                data = json.loads(run.stdout)
                faults = check(style, points, data["chart"], svg_path, data["form"]["lblName"])
                drawn += 1
                if faults:
                    failures += 1
                    print("FAIL %s\n  %s" % (" ".join(command), "\n  ".join(faults[:6])))
                os.remove(svg_path)
    print("%d drawings checked, %d failed" % (drawn, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
