#!/usr/bin/env bash
# Configures (once) and builds everything into build/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$here/build/build.ninja" ]; then
  cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$here/build" -j"$(nproc)"
