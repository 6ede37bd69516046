#!/usr/bin/env bash
# Configures and builds everything into build/ (or the folder BREVANT_BUILD_DIR names,
# relative to the tree), or only the targets BREVANT_TARGETS names (separated by blanks)
# and what they need. Arguments are CMake settings (-DNAME=VALUE); the build folder is
# configured once, and again whenever settings are given.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/${BREVANT_BUILD_DIR:-build}
if [ ! -f "$build/build.ninja" ] || [ $# -gt 0 ]; then
  launcher=()
  # ccache, when present, makes rebuilds in several checkouts of the tree cheap.
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
fi
targets=()
for target in ${BREVANT_TARGETS:-}; do
  targets+=(--target "$target")
done
cmake --build "$build" -j"${BREVANT_JOBS:-$(nproc)}" "${targets[@]}"
