#!/usr/bin/env bash
# Redraw the county map window's picture and label table:
#   data/pictures/countymap.png  516 x 452, every Texas county one closed area
#   data/pictures/countymap.txt  one label rectangle per county, county2.txt order
# from the US Census county boundaries in the npm package us-atlas, projected by
# county_shapes.mjs and drawn by make_county_map.py.  Reads data/county2.txt for
# the names, so run make_tables.sh first when the county list changes.
#
# Installs what is missing (python3, nodejs, npm through apt; the pinned npm
# packages into a temporary folder outside the repository).  Safe to run any
# number of times: the same inputs give byte-identical files.
#
# Environment:
#   TABLES_NPM_DIR  reuse this folder for the npm packages (see common.sh)

set -euo pipefail
export PYTHONDONTWRITEBYTECODE=1  # keep __pycache__ out of the repository

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"

# The picture's size and the free margin around the state, in pixels.
width=516
height=452
margin=2

# Pinned so that a re-run gives the same bytes.
npm_packages=(
  us-atlas@3.0.1
  topojson-client@3.1.0
  d3-geo@3.1.2
)

. "$here/common.sh"

install_tools
use_npm_packages

say "county outlines"
shapes="$npm_dir/county-shapes.json"
node "$here/county_shapes.mjs" "$modules" "$width" "$height" "$margin" > "$shapes"

say "data/pictures/countymap.png, data/pictures/countymap.txt"
mkdir -p "$repo/data/pictures"
python3 "$here/make_county_map.py" --shapes "$shapes" --counties "$repo/data/county2.txt" \
  --picture "$repo/data/pictures/countymap.png" --labels "$repo/data/pictures/countymap.txt"
rm -f -- "$shapes"
say "done"
