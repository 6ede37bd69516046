#!/usr/bin/env bash
# Runs one of the program's fuzzers (the tests' brevant_fuzzer targets, built with clang
# into build/fuzzers/) over its committed seeds.
#
#   tools/fuzz.sh NAME [SECONDS] [LIBFUZZER OPTIONS...]
#       builds the fuzzer NAME (record_files_fuzzer, wave_file_fuzzer, rig_replies_fuzzer,
#       spot_lines_fuzzer, agw_frames_fuzzer, telnet_lines_fuzzer; ls build/fuzzers) and
#       runs it for SECONDS (600 unless given). The seeds stay as they are: what the run
#       learns goes to fuzz-artifacts/NAME/corpus, and an input that crashes it, leaks or
#       hangs is written to fuzz-artifacts/NAME/ (crash-..., leak-..., timeout-...). Replay
#       one with build/fuzzers/NAME FILE; once the fault is mended, copy the file into the
#       fuzzer's seed folder so every later run tries it again.
#
#   tools/fuzz.sh --check FUZZER SEEDS SCRATCH RUNS
#       what each ctest fuzz.NAME does: RUNS inputs grown from the seeds
#       (every seed first), failing on any crash, sanitizer report, leak or hang.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

# A run that finds a fault ends with its status; libFuzzer writes the input it failed on.
fuzz_options=(-timeout=25 -rss_limit_mb=4096 -print_final_stats=1)
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen

if [ "${1:-}" = --check ]; then
  [ $# -eq 5 ] || { echo "usage: $0 --check FUZZER SEEDS SCRATCH RUNS" >&2; exit 2; }
  fuzzer=$2 seeds=$3 scratch=$4 runs=$5
  rm -rf "$scratch"
  mkdir -p "$scratch/grown"
  # -runs counts the seeds too; the grown inputs go to a folder of their own, never into
  # the committed seeds.
  exec "$fuzzer" "${fuzz_options[@]}" -runs="$runs" -seed=1 \
    -artifact_prefix="$scratch/" "$scratch/grown" "$seeds"
fi

[ $# -ge 1 ] || { sed -n '2,15p' "$0" >&2; exit 2; }
name=$1
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))
build=$here/${BREVANT_BUILD_DIR:-build}
[ -f "$build/build.ninja" ] || "$here/tools/build.sh" -DBREVANT_WERROR=ON
cmake --build "$build" --target "$name"
seeds=$(cat "$build/fuzzers/$name.corpus")
out=$here/fuzz-artifacts/$name
mkdir -p "$out/corpus"
exec "$build/fuzzers/$name" "${fuzz_options[@]}" -max_total_time="$seconds" -artifact_prefix="$out/" \
  "$@" "$out/corpus" "$seeds"
