#!/usr/bin/env bash
# Configures and builds everything into build/. Arguments are CMake settings
# (-DNAME=VALUE); the build folder is configured once, and again whenever settings are
# given.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$here/build/build.ninja" ] || [ $# -gt 0 ]; then
  launcher=()
  # ccache, when present, makes rebuilds in several checkouts of the tree cheap.
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
fi
cmake --build "$here/build" -j"${BREVANT_JOBS:-$(nproc)}"
