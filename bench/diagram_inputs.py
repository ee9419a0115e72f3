#!/usr/bin/python3
"""Times building the presentations of all 12,965 prime knots up to 13 crossings from their PD codes
and from their braids (those within the braid limits), through the quarvel Python module.

usage: PYTHONPATH=build/python bench/diagram_inputs.py [ROUNDS]   (prints medians per knot)
"""
import csv
import pathlib
import statistics
import sys
import time

import quarvel

ROOT = pathlib.Path(__file__).resolve().parent.parent


def knots():
    with (ROOT / "data" / "knots13.csv").open(newline="") as f:
        return list(csv.DictReader(f))


def seconds_per_knot(build, codes):
    start = time.process_time()
    for code in codes:
        build(code)
    return (time.process_time() - start) / len(codes)


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    rows = knots()
    pds = [row["pd"] for row in rows]
    braids = [row["braid"] for row in rows if row["braid"].count(",") < 47]
    for label, build, codes in (("PD code", quarvel.from_pd, pds), ("braid", quarvel.from_braid, braids)):
        times = [seconds_per_knot(build, codes) for _ in range(rounds)]
        print(f"{label}: {len(codes)} knots, median {statistics.median(times) * 1e6:.1f} us per knot "
              f"(processor time, {rounds} rounds)")


if __name__ == "__main__":
    main()
