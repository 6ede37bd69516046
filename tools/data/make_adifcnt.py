#!/usr/bin/env python3
"""Build data/ADIFCnt.txt: the DXCC entity number of each country, for the ADIF export.

Inputs, both from Debian's hamradio-files package (MIT licence, Jim Reisert AD1C):
  * cty.csv, whose third column is the entity's DXCC number;
  * cty.dat, read with the same parser and renaming as make_arrlpre2.py, so that every
    country is spelled exactly as data/arrlpre2.txt spells it ("USA", "Canada",
    "Alaska", "Hawaii", "Juan de Nova, Europa" ...).
The two files are joined on the entity's primary prefix (cty.csv's first column).

Output, one record per DXCC entity, sorted by name:
    "<country>",<dxcc number>

Entities whose primary prefix starts with "*" (WAE/WAP-only, not DXCC) are left out.
The script stops when the join is not one to one, when a number is not a DXCC number
(1 to 999), when a name occurs twice, or when a country of the prefix table given
with --prefixes has no row.

Usage: make_adifcnt.py --cty-csv cty.csv --cty cty.dat --prefixes data/arrlpre2.txt
                       --out data/ADIFCnt.txt
Standard library only.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_arrlpre2  # noqa: E402
import recordfmt  # noqa: E402

MAX_ROWS = 1000  # the logger holds no more


def read_cty_csv(path):
    """Primary prefix -> DXCC number."""
    numbers = {}
    with open(path, encoding="latin-1") as f:
        for line_no, line in enumerate(f, 1):
            line = line.strip()
            if not line:
                continue
            fields = line.split(",")
            # The name may in principle hold a comma; the eight fields after it never do.
            if len(fields) < 10:
                raise recordfmt.TableError("cty.csv line %d: fewer than 10 fields" % line_no)
            primary, number = fields[0].strip(), fields[-8].strip()
            if not number.isdigit() or not 1 <= int(number) <= 999:
                raise recordfmt.TableError("cty.csv line %d: %s has DXCC number %r"
                                           % (line_no, primary, number))
            if primary in numbers:
                raise recordfmt.TableError("cty.csv line %d: primary prefix %s twice"
                                           % (line_no, primary))
            numbers[primary] = int(number)
    return numbers


def prefix_table_countries(path):
    """The countries data/arrlpre2.txt names (its second value)."""
    countries = set()
    with open(path, encoding="latin-1") as f:
        for line_no, line in enumerate(f, 1):
            parts = line.rstrip("\r\n").split('"')
            if len(parts) < 5:
                raise recordfmt.TableError("%s line %d: no country" % (path, line_no))
            countries.add(parts[3])
    return countries


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--cty-csv", default="/usr/share/hamradio-files/cty.csv")
    ap.add_argument("--cty", default="/usr/share/hamradio-files/cty.dat")
    ap.add_argument("--prefixes", required=True, help="data/arrlpre2.txt to check against")
    ap.add_argument("--out", required=True)
    args = ap.parse_args()

    numbers = read_cty_csv(args.cty_csv)
    entities = make_arrlpre2.parse_cty(args.cty)
    for e in entities:
        e.name = make_arrlpre2.FIXED_NAMES.get(e.primary, e.name)

    rows = {}
    for e in entities:
        if e.primary not in numbers:
            recordfmt.fail("cty.csv has no entity with primary prefix %s (%s)" % (e.primary, e.name))
        if e.special:
            print("adifcnt: left out %s (%s): not a DXCC entity" % (e.primary, e.name))
            continue
        if e.name in rows:
            recordfmt.fail("entity name %r occurs twice" % e.name)
        rows[e.name] = numbers[e.primary]
    unjoined = set(numbers) - {e.primary for e in entities}
    if unjoined:
        recordfmt.fail("cty.dat has no entity for primary prefixes %s" % " ".join(sorted(unjoined)))

    missing = sorted(prefix_table_countries(args.prefixes) - set(rows))
    if missing:
        recordfmt.fail("no DXCC number for the prefix table's countries %s" % ", ".join(missing))
    if len(rows) > MAX_ROWS:
        recordfmt.fail("%d rows, more than %d" % (len(rows), MAX_ROWS))

    names = sorted(rows, key=lambda n: (n.lower(), n))
    lines = [recordfmt.format_record([("t", n), ("n", rows[n])]) for n in names]
    recordfmt.write_table(args.out, lines)
    for n in make_arrlpre2.FIXED_NAMES.values():
        print("adifcnt: %s -> %d" % (n, rows[n]))
    print("adifcnt: wrote %d countries to %s" % (len(lines), args.out))


if __name__ == "__main__":
    try:
        main()
    except recordfmt.TableError as e:
        recordfmt.fail(str(e))
