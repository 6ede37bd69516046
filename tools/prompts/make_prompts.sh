#!/usr/bin/env bash
# Records the spoken field prompts into data/ as small wave files (mono, 8000 Hz, 8-bit),
# one per prompt name the program plays: the speech synthesiser says the text, sox trims
# the silence around it and lowers the rate. Runs from anywhere; installs espeak-ng and sox
# when they are missing. A re-run with the same packages gives the same bytes (no dither).
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)

missing=()
command -v espeak-ng >/dev/null || missing+=(espeak-ng)
command -v sox >/dev/null || missing+=(sox)
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# prompt name (the file's name without .wav) and what it says
prompts=(
  "Call|Call"
  "RstSnt|R S T sent"
  "RstRcvd|R S T received"
  "County|County"
  "SPC|State, province or country"
  "Dupe|Dupe"
  "NavEn|Voice navigation enabled"
  "NavDis|Voice navigation disabled"
)

tmp=$(mktemp -d "${TMPDIR:-/tmp}/make-prompts.XXXXXX")
trap 'rm -rf -- "$tmp"' EXIT
for entry in "${prompts[@]}"; do
  name=${entry%%|*}
  text=${entry#*|}
  espeak-ng -v en-us -s 165 -w "$tmp/$name.wav" "$text"
  sox -D "$tmp/$name.wav" -r 8000 -b 8 -c 1 -e unsigned-integer "$repo/data/$name.wav" \
    silence 1 0.02 1% reverse silence 1 0.02 1% reverse
  printf '%-8s %6d bytes  "%s"\n' "$name" "$(stat -c %s "$repo/data/$name.wav")" "$text"
done
