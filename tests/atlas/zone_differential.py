#!/usr/bin/env python3
"""Compares the program's zone resolution with Python's zoneinfo.

Both read the same system tz database; zoneinfo is an implementation of its
own (the standard library's), so any difference is a fault on one side.

For every zone zoneinfo lists, at every transition (one second before, at
it and one second after) and at random instants from 1800 to 2399 (one in
every year after 2037), the UTC offset and the daylight-saving flag must
agree. Daylight saving is computed here from zoneinfo's offsets alone: an
offset is daylight saving when it is ahead of the smallest offset the zone
used at any instant of the same local calendar year. Then, for a sample of
transitions, wall-clock times around each are resolved and compared with
zoneinfo's fold semantics: fold=0 gives the offset before the change, fold=1
the one after; equal offsets mean the time happened once, a smaller one
before means the clocks skipped it, a larger one that they repeated it.

    zone_differential.py PROBE [--seed N] [--only TEXT]

PROBE is the zone_probe program. Exits 1 with the differences on any.
"""
import argparse
import datetime as dt
import random
import struct
import subprocess
import sys
import zoneinfo

EPOCH = dt.datetime(1970, 1, 1, tzinfo=dt.timezone.utc)
FIRST_YEAR, LAST_YEAR = 1800, 2399
WEEK = 7 * 86400


def utc_seconds(year, month=1, day=1):
    return int((dt.datetime(year, month, day, tzinfo=dt.timezone.utc) - EPOCH).total_seconds())


RANGE_START = utc_seconds(FIRST_YEAR) - 86400
RANGE_END = utc_seconds(LAST_YEAR + 1) + 86400


def offset_at(zone, seconds):
    return int((EPOCH + dt.timedelta(seconds=seconds)).astimezone(zone).utcoffset().total_seconds())


def local_year(seconds):
    return (EPOCH + dt.timedelta(seconds=seconds)).year


def explicit_transitions(path):
    """The transition instants written in a TZif file (its 64-bit part)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"TZif":
        raise ValueError(path + " is no zone file")
    counts = struct.unpack(">6l", data[20:44])
    isut, isstd, leap, time, types, chars = counts
    if data[4:5] == b"\0":
        return list(struct.unpack(">%dl" % time, data[44:44 + 4 * time]))
    skip = 44 + time * 5 + types * 6 + chars + leap * 8 + isstd + isut
    isut, isstd, leap, time, types, chars = struct.unpack(">6l", data[skip + 20:skip + 44])
    start = skip + 44
    return list(struct.unpack(">%dq" % time, data[start:start + 8 * time]))


def rule_transitions(zone, after):
    """Transitions the file's closing rule makes after `after`, to 2400.

    Found from zoneinfo's offsets: weekly samples, then bisection to the
    second. Every rule of the database keeps each offset for over a week.
    """
    probes = range(utc_seconds(2390), utc_seconds(2391), WEEK)
    if len({offset_at(zone, t) for t in probes}) == 1:
        return []
    found = []
    t = after + 1
    before = offset_at(zone, t)
    while t < RANGE_END:
        nxt = t + WEEK
        now = offset_at(zone, nxt)
        if now != before:
            lo, hi = t, nxt  # offset(lo) == before, offset(hi) != before
            while hi - lo > 1:
                mid = (lo + hi) // 2
                if offset_at(zone, mid) == before:
                    lo = mid
                else:
                    hi = mid
            found.append(hi)
            before = offset_at(zone, hi)
            t = hi
            continue
        t = nxt
    return found


class Zone:
    def __init__(self, name):
        self.name = name
        self.zone = zoneinfo.ZoneInfo(name)
        explicit = explicit_transitions(zoneinfo.TZPATH[0] + "/" + name)
        last = explicit[-1] if explicit else RANGE_START
        self.transitions = sorted(set(explicit) | set(rule_transitions(self.zone, max(last, RANGE_START))))
        self.smallest = self._smallest_offsets()

    def _smallest_offsets(self):
        """Smallest offset of each local year, from spans of one offset."""
        smallest = {}
        bounds = [t for t in self.transitions if RANGE_START - WEEK < t < RANGE_END + WEEK]
        starts = [RANGE_START - WEEK] + bounds
        ends = bounds + [RANGE_END + WEEK]
        for a, b in zip(starts, ends):
            off = offset_at(self.zone, a)
            for year in range(local_year(a + off), local_year(b - 1 + off) + 1):
                smallest[year] = min(smallest.get(year, off), off)
        return smallest

    def expect_instant(self, seconds):
        off = offset_at(self.zone, seconds)
        return "%d %d" % (off, 1 if off > self.smallest[local_year(seconds + off)] else 0)

    def expect_local(self, wall):
        offsets = [int(wall.replace(tzinfo=self.zone, fold=f).utcoffset().total_seconds())
                   for f in (0, 1)]
        flags = [1 if o > self.smallest[wall.year] else 0 for o in offsets]
        if offsets[0] == offsets[1]:
            return "U %d %d" % (offsets[0], flags[0])
        kind = "N" if offsets[0] < offsets[1] else "A"
        return "%s %d %d %d %d" % (kind, offsets[0], flags[0], offsets[1], flags[1])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("probe")
    parser.add_argument("--seed", type=int, default=20261209)
    parser.add_argument("--only", default="", help="only the zones whose name holds TEXT")
    args = parser.parse_args()
    rng = random.Random(args.seed)

    questions, expected = [], []
    names = sorted(n for n in zoneinfo.available_timezones() if args.only in n)
    transitions_seen = 0
    for name in names:
        zone = Zone(name)
        instants = set()
        for t in zone.transitions:
            if RANGE_START + 86400 <= t < RANGE_END - 86400:
                instants.update((t - 1, t, t + 1))
                transitions_seen += 1
        for year in range(2038, LAST_YEAR + 1):
            instants.add(rng.randrange(utc_seconds(year), utc_seconds(year + 1)))
        for _ in range(40):
            instants.add(rng.randrange(utc_seconds(FIRST_YEAR) + 86400, utc_seconds(2038)))
        for t in sorted(instants):
            questions.append("I %s %d" % (name, t))
            expected.append(zone.expect_instant(t))

        # Wall-clock times around a sample of transitions, with gaps and overlaps.
        inside = [t for t in zone.transitions if RANGE_START + 86400 <= t < RANGE_END - 86400]
        sample = rng.sample(inside, min(4, len(inside)))
        sample += [t for t in inside if t > utc_seconds(2038)][:2]
        for t in sample:
            before, after = offset_at(zone.zone, t - 1), offset_at(zone.zone, t)
            low, high = min(before, after), max(before, after)
            for local in {t + low - 1, t + low, t + (low + high) // 2, t + high - 1, t + high}:
                wall = (EPOCH + dt.timedelta(seconds=local)).replace(tzinfo=None)
                questions.append("L %s %d %d %d %d %d %d" % (
                    name, wall.year, wall.month, wall.day, wall.hour, wall.minute, wall.second))
                expected.append(zone.expect_local(wall))

    run = subprocess.run([args.probe], input="\n".join(questions) + "\n", capture_output=True,
                         text=True, check=False)
    if run.returncode != 0:
        print("probe failed: " + run.stderr, file=sys.stderr)
        return 1
    answers = run.stdout.splitlines()
    if len(answers) != len(questions):
        print("probe gave %d answers to %d questions" % (len(answers), len(questions)),
              file=sys.stderr)
        return 1
    differences = [(q, e, a) for q, e, a in zip(questions, expected, answers) if e != a]
    for q, e, a in differences[:40]:
        print("DIFF %s: zoneinfo %s, ours %s" % (q, e, a), file=sys.stderr)
    print("%d zones, %d transitions, %d questions, %d differences (seed %d)" % (
        len(names), transitions_seen, len(questions), len(differences), args.seed))
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
