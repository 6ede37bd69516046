#!/usr/bin/env python3
"""Draw the county map picture and its label table from projected outlines.

Input: the JSON of county_shapes.mjs (Texas counties in picture pixels) and
data/county2.txt (the names, in the order of the map window's labels).

Output:
  * a 516 x 452 PNG, 8-bit RGB, no anti-aliasing: every county is one
    4-connected area of COUNTY_COLOUR, closed by lines of BORDER_COLOUR; the
    land outside the state and the sea are OUTSIDE_COLOUR, also closed off by
    border lines.  A flood fill that starts inside a county therefore fills
    exactly that county.
  * the label table, one record per county in county2.txt order:
        "<Name>",<left>,<top>,<width>,<height>
    the name as county2.txt spells it (without the state prefix) and the
    largest upright rectangle of the county's area, in picture pixels.  Its
    centre, taken to the nearest pixel as the map window takes it, is a pixel
    of the county's area.

How the picture is made:
  1. Each pixel whose centre lies inside a county outline (even-odd rule,
     half-open scanline spans) belongs to that county.  Neighbouring counties
     share their border's numbers exactly, so no pixel belongs to two.
  2. A pixel becomes a border pixel when its right or lower neighbour belongs
     to another county or to the outside.  Any two 4-neighbours of different
     owners then have a border pixel between them.
  3. Parts of a county cut off from its main area (the barrier islands of the
     Gulf coast, slivers the rasterising leaves) are drawn in the border colour,
     so each county stays one area.

The script stops when a county has no usable area, when a label's centre is
not inside its county, or when a name of county2.txt has no outline.

Usage: make_county_map.py --shapes shapes.json --counties data/county2.txt
                          --picture out.png --labels out.txt
Standard library only.
"""

import argparse
import json
import math
import os
import struct
import sys
import zlib

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import recordfmt  # noqa: E402

BORDER_COLOUR = (0, 0, 0)
COUNTY_COLOUR = (255, 255, 255)   # a component of 255: never one of the map's random colours
OUTSIDE_COLOUR = (192, 200, 208)
OUTSIDE = 0
BORDER = -1
TEXAS_PREFIX = "TX"


def read_county_names(path):
    """Names of data/county2.txt in file order, without the state prefix."""
    names = []
    with open(path, "rb") as f:
        for line in f.read().decode("latin-1").split("\r\n"):
            if not line:
                continue
            first = line.split(",")[0]
            if not (first.startswith('"') and first.endswith('"')):
                recordfmt.fail("%s: unexpected record %r" % (path, line))
            name = first[1:-1]
            if not name.startswith(TEXAS_PREFIX):
                recordfmt.fail("%s: %r is not a Texas county" % (path, name))
            names.append(name[len(TEXAS_PREFIX):])
    return names


def canonical_edges(rings):
    """Each ring segment with y0 < y1 (horizontal ones dropped), endpoints in a
    fixed order so that both counties of a shared border compute the same
    crossings."""
    edges = []
    for ring in rings:
        for (xa, ya), (xb, yb) in zip(ring, ring[1:] + ring[:1]):
            if ya == yb:
                continue
            if ya > yb:
                xa, ya, xb, yb = xb, yb, xa, ya
            edges.append((xa, ya, xb, yb))
    return edges


def rasterise(counties, width, height):
    owner = [OUTSIDE] * (width * height)
    overlaps = 0
    for number, rings in enumerate(counties, start=1):
        edges = canonical_edges(rings)
        if not edges:
            continue
        top = max(0, math.ceil(min(e[1] for e in edges) - 0.5))
        bottom = min(height - 1, math.ceil(max(e[3] for e in edges) - 0.5))
        for y in range(top, bottom + 1):
            yc = y + 0.5
            xs = sorted(xa + (yc - ya) * (xb - xa) / (yb - ya)
                        for xa, ya, xb, yb in edges if ya <= yc < yb)
            for a, b in zip(xs[0::2], xs[1::2]):
                first = max(0, math.ceil(a - 0.5))
                last = min(width, math.ceil(b - 0.5))
                row = y * width
                for x in range(first, last):
                    if owner[row + x] not in (OUTSIDE, number):
                        overlaps += 1
                    owner[row + x] = number
    return owner, overlaps


def mark_borders(owner, width, height):
    area = list(owner)
    for y in range(height):
        for x in range(width):
            p = y * width + x
            here = owner[p]
            right = owner[p + 1] if x + 1 < width else here
            below = owner[p + width] if y + 1 < height else here
            if right != here or below != here:
                area[p] = BORDER
    return area


def components(area, width, height, number):
    """4-connected components of the county's area pixels, largest first."""
    seen = set()
    found = []
    for start, value in enumerate(area):
        if value != number or start in seen:
            continue
        stack = [start]
        seen.add(start)
        pixels = []
        while stack:
            p = stack.pop()
            pixels.append(p)
            x, y = p % width, p // width
            for q, ok in ((p - 1, x > 0), (p + 1, x + 1 < width),
                          (p - width, y > 0), (p + width, y + 1 < height)):
                if ok and q not in seen and area[q] == number:
                    seen.add(q)
                    stack.append(q)
        found.append(pixels)
    found.sort(key=len, reverse=True)
    return found


def largest_rectangle(pixels, width):
    """(left, top, w, h) of the largest upright rectangle made only of the given
    pixels, at least 2 x 2 when the area allows; ties go to the squarer one."""
    inside = set(pixels)
    xs = [p % width for p in pixels]
    ys = [p // width for p in pixels]
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    heights = [0] * (x1 - x0 + 2)
    best = None
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            heights[x - x0] = heights[x - x0] + 1 if y * width + x in inside else 0
        stack = []  # (start column, height)
        for i, h in enumerate(heights):
            start = i
            while stack and stack[-1][1] >= h:
                start, sh = stack.pop()
                w = i - start
                if w >= 2 and sh >= 2:
                    key = (w * sh, -abs(w - sh))
                    if best is None or key > best[0]:
                        best = (key, (x0 + start, y - sh + 1, w, sh))
            stack.append((start, h))
    return best[1] if best else None


def label_centre(left, top, w, h):
    """The centre as the map window takes it: half the size added, to the
    nearest pixel (a half rounds up)."""
    return math.floor(left + w / 2 + 0.5), math.floor(top + h / 2 + 0.5)


def png_bytes(rgb_rows, width, height):
    raw = b"".join(b"\x00" + row for row in rgb_rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def write_atomically(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.chmod(tmp, 0o644)
    os.replace(tmp, path)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--shapes", required=True)
    ap.add_argument("--counties", required=True)
    ap.add_argument("--picture", required=True)
    ap.add_argument("--labels", required=True)
    args = ap.parse_args()

    with open(args.shapes, encoding="utf-8") as f:
        shapes = json.load(f)
    width, height = shapes["width"], shapes["height"]
    by_name = {}
    for c in shapes["counties"]:
        by_name[recordfmt.to_ascii(c["name"]).replace(" County", "")] = c["rings"]
    names = read_county_names(args.counties)
    missing = [n for n in names if n not in by_name]
    if missing or len(names) != len(by_name):
        recordfmt.fail("county2.txt and the outlines disagree; no outline for %s" % missing)

    owner, overlaps = rasterise([by_name[n] for n in names], width, height)
    if overlaps:
        print("county map: %d pixels claimed by two counties (the later one kept)" % overlaps)
    area = mark_borders(owner, width, height)

    labels = []
    for number, name in enumerate(names, start=1):
        parts = components(area, width, height, number)
        if not parts or len(parts[0]) < 4:
            recordfmt.fail("%s has no usable area on the map" % name)
        for cut_off in parts[1:]:
            for p in cut_off:
                area[p] = BORDER
        if len(parts) > 1:
            print("county map: %s: %d cut-off pixels drawn as border"
                  % (name, sum(len(p) for p in parts[1:])))
        rect = largest_rectangle(parts[0], width)
        if rect is None:
            recordfmt.fail("%s has no room for a 2 x 2 label" % name)
        cx, cy = label_centre(*rect)
        if area[cy * width + cx] != number:
            recordfmt.fail("the label centre of %s is outside the county" % name)
        labels.append((name, rect))

    colour = {BORDER: BORDER_COLOUR, OUTSIDE: OUTSIDE_COLOUR}
    rows = []
    for y in range(height):
        row = bytearray()
        for value in area[y * width:(y + 1) * width]:
            row += bytes(colour.get(value, COUNTY_COLOUR))
        rows.append(bytes(row))
    write_atomically(args.picture, png_bytes(rows, width, height))

    lines = [recordfmt.format_record([("t", name)] + [("n", str(v)) for v in rect])
             for name, rect in labels]
    recordfmt.write_table(args.labels, lines)
    smallest = min(labels, key=lambda item: item[1][2] * item[1][3])
    print("county map: %d x %d picture, %d labels; smallest label %s %d x %d"
          % (width, height, len(labels), smallest[0], smallest[1][2], smallest[1][3]))


if __name__ == "__main__":
    try:
        main()
    except recordfmt.TableError as e:
        recordfmt.fail(str(e))
