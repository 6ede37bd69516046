#!/usr/bin/env python3
"""Build data/arrlpre2.txt: call-sign prefixes from AD1C's cty.dat.

Input: cty.dat as shipped by Debian's hamradio-files package
(/usr/share/hamradio-files/cty.dat, MIT licence, Jim Reisert AD1C).

Output, one record per prefix, sorted by prefix in plain character-code order:
    "<prefix>","<country>","<continent>",<longitude>,<latitude>,<cq>,<itu>,<utc offset>
Longitude keeps cty.dat's sign (positive west); the UTC offset is cty.dat's
value as written there.  Zones and offsets are the entity's, not a prefix's own
override.

Handling (see tools/data/README.md):
  * exact-call entries (those starting with "=") are skipped;
  * per-prefix overrides (n) [n] <lat/lon> {CC} ~tz~ are stripped;
  * a prefix with any character other than A-Z, 0-9 and "/" is dropped;
  * entities whose primary prefix starts with "*" (WAE/WAP-only entities) are
    skipped; a prefix that only such an entity lists is kept under its DXCC
    parent when the parent is obvious, i.e. the DXCC entity that the prefix
    would resolve to without it (longest matching prefix) is the one whose
    primary prefix begins the special entity's primary prefix; otherwise it is
    dropped.  Both cases are reported;
  * entity names are cty.dat's, except that the entities with primary prefix
    K, VE, KL and KH6 are named exactly USA, Canada, Alaska and Hawaii;
  * a prefix listed by two entities stays with the first one (file order) and
    is reported.

Usage: make_arrlpre2.py --cty /usr/share/hamradio-files/cty.dat --out data/arrlpre2.txt
Standard library only.
"""

import argparse
import os
import re
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import recordfmt  # noqa: E402

MAX_ROWS = 10000
CONTINENTS = {"NA", "SA", "EU", "AF", "AS", "OC", "AN"}

# Entity names the logger looks up by name, keyed by cty.dat primary prefix.
FIXED_NAMES = {"K": "USA", "VE": "Canada", "KL": "Alaska", "KH6": "Hawaii"}
REQUIRED_PREFIXES = ["KG4"]  # Guantanamo Bay: a KG4 call is not a US call

OVERRIDE_RE = re.compile(r"\(\d+\)|\[\d+\]|<[^<>]*>|\{[A-Za-z]{2}\}|~[^~]*~")
VALID_PREFIX_RE = re.compile(r"^[A-Z0-9/]+$")
NUMBER_RE = re.compile(r"^[+-]?(\d+(\.\d*)?|\.\d+)$")


class Entity:
    def __init__(self, name, cq, itu, cont, lat, lon, utc, primary, tokens, line):
        self.name = name
        self.cq = cq
        self.itu = itu
        self.cont = cont
        self.lat = lat
        self.lon = lon
        self.utc = utc
        self.primary = primary
        self.tokens = tokens
        self.line = line

    @property
    def special(self):
        return self.primary.startswith("*")


def number(text, what, entity_name):
    text = text.strip()
    if not NUMBER_RE.match(text):
        raise recordfmt.TableError("cty.dat: %s of %s is not a number: %r"
                                   % (what, entity_name, text))
    return recordfmt.number_value(text)


def parse_cty(path):
    with open(path, encoding="latin-1") as f:
        text = f.read()
    entities = []
    line_no = 1
    for chunk in text.split(";"):
        start_line = line_no + chunk[: len(chunk) - len(chunk.lstrip())].count("\n")
        line_no += chunk.count("\n")
        if not chunk.strip():
            continue
        fields = chunk.split(":", 8)
        if len(fields) != 9:
            raise recordfmt.TableError("cty.dat line %d: entity header without 8 fields"
                                       % start_line)
        name, cq, itu, cont, lat, lon, utc, primary, rest = (x.strip() for x in fields)
        name = " ".join(name.split())
        tokens = [t.strip() for t in rest.replace("\n", " ").split(",") if t.strip()]
        if cont not in CONTINENTS:
            raise recordfmt.TableError("cty.dat line %d: %s has continent %r"
                                       % (start_line, name, cont))
        entities.append(Entity(
            name=name,
            cq=number(cq, "CQ zone", name),
            itu=number(itu, "ITU zone", name),
            cont=cont,
            lat=number(lat, "latitude", name),
            lon=number(lon, "longitude", name),
            utc=number(utc, "UTC offset", name),
            primary=primary,
            tokens=tokens,
            line=start_line,
        ))
    return entities


def prefixes_of(entity, dropped):
    """Plain prefixes of an entity, overrides stripped, bad ones collected."""
    out = []
    for tok in entity.tokens:
        if tok.startswith("="):
            continue
        prefix = OVERRIDE_RE.sub("", tok).strip()
        if not VALID_PREFIX_RE.match(prefix):
            dropped.append((tok, entity.name))
            continue
        if prefix not in out:
            out.append(prefix)
    return out


def longest_match(prefix, owner):
    """The owner of the longest listed prefix that begins prefix, or None."""
    for n in range(len(prefix), 0, -1):
        if prefix[:n] in owner:
            return owner[prefix[:n]]
    return None


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--cty", default="/usr/share/hamradio-files/cty.dat")
    ap.add_argument("--out", required=True)
    args = ap.parse_args()

    entities = parse_cty(args.cty)
    print("arrlpre2: %d entities read from %s" % (len(entities), args.cty))

    # Names fixed for the logger's own use.
    for primary, wanted in FIXED_NAMES.items():
        found = [e for e in entities if e.primary == primary]
        if len(found) != 1:
            recordfmt.fail("cty.dat: expected one entity with primary prefix %s, found %d"
                           % (primary, len(found)))
        if found[0].name != wanted:
            print("arrlpre2: renamed %r -> %r" % (found[0].name, wanted))
            found[0].name = wanted
    names = [e.name for e in entities if not e.special]
    for wanted in FIXED_NAMES.values():
        if names.count(wanted) != 1:
            recordfmt.fail("entity name %r occurs %d times" % (wanted, names.count(wanted)))

    dropped = []
    owner = {}          # prefix -> entity
    duplicates = []
    for e in entities:
        if e.special:
            continue
        for p in prefixes_of(e, dropped):
            if p in owner:
                duplicates.append((p, owner[p].name, e.name))
                continue
            owner[p] = e

    # Prefixes that only a skipped WAE/WAP entity lists.
    for e in entities:
        if not e.special:
            continue
        own = prefixes_of(e, dropped)
        print("arrlpre2: skipped special entity %s (%s), %d prefixes"
              % (e.primary, e.name, len(own)))
        bare = e.primary.lstrip("*")
        for p in own:
            if p in owner:
                continue
            parent = longest_match(p, owner)
            if parent is not None and bare.startswith(parent.primary):
                owner[p] = parent
                print("arrlpre2:   %s kept under DXCC parent %s (%s)"
                      % (p, parent.primary, parent.name))
            else:
                print("arrlpre2:   %s dropped: no obvious DXCC parent" % p)

    for tok, name in dropped:
        print("arrlpre2: dropped prefix %r of %s: characters other than A-Z, 0-9, /"
              % (tok, name))
    for p, first, second in duplicates:
        print("arrlpre2: duplicate prefix %s: kept %s, ignored %s" % (p, first, second))

    for p in REQUIRED_PREFIXES:
        if p not in owner:
            recordfmt.fail("no row for required prefix %s" % p)

    # A prefix whose longest shorter listed prefix belongs to the same entity adds
    # nothing to a longest-prefix lookup: every call it begins gets the same answer
    # without it. Dropping those rows keeps each first-letter block short.
    redundant = [p for p in owner
                 if p not in REQUIRED_PREFIXES and longest_match(p[:-1], owner) is owner[p]]
    for p in redundant:
        del owner[p]
    print("arrlpre2: %d prefixes left out: a shorter prefix of the same entity covers them"
          % len(redundant))

    rows = sorted(owner)  # plain character-code order: "/" < digits < letters
    if len(rows) > MAX_ROWS:
        recordfmt.fail("%d prefixes, more than %d" % (len(rows), MAX_ROWS))

    lines = []
    for p in rows:
        e = owner[p]
        lines.append(recordfmt.format_record([
            ("t", p), ("t", e.name), ("t", e.cont),
            ("n", e.lon), ("n", e.lat), ("n", e.cq), ("n", e.itu), ("n", e.utc),
        ]))
    recordfmt.write_table(args.out, lines)
    used = {owner[p].name for p in rows}
    for e in entities:
        if not e.special and e.name not in used:
            print("arrlpre2: no prefix row for %s (%s): cty.dat lists only exact calls"
                  % (e.primary, e.name))
    print("arrlpre2: wrote %d prefix records (%d entities) to %s"
          % (len(lines), len(used), args.out))
    for p in REQUIRED_PREFIXES:
        print("arrlpre2: %s -> %s" % (p, owner[p].name))


if __name__ == "__main__":
    try:
        main()
    except recordfmt.TableError as e:
        recordfmt.fail(str(e))
