#!/usr/bin/env bash
# Redraws the logo window's two pictures:
#   data/pictures/logo.png  and  data/pictures/logo-second.png
# Compiles make_pictures.cpp against Qt 6 Gui in a temporary folder, runs it
# without a display (offscreen platform) and removes the binary again.
# Safe to run any number of times; the same machine gives the same pictures.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
cxx="${CXX:-g++}"

if pkg-config --exists Qt6Gui 2>/dev/null; then
  read -r -a qt_flags <<<"$(pkg-config --cflags --libs Qt6Gui)"
else
  # Debian's qt6-base-dev without the pkg-config files.
  arch="$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)"
  inc="/usr/include/$arch/qt6"
  if [ ! -d "$inc/QtGui" ]; then
    echo "make_pictures.sh: Qt 6 Gui headers not found (install qt6-base-dev)" >&2
    exit 1
  fi
  qt_flags=(-I"$inc" -I"$inc/QtCore" -I"$inc/QtGui" -DQT_CORE_LIB -DQT_GUI_LIB
            -L"/usr/lib/$arch" -lQt6Gui -lQt6Core)
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/make_pictures.XXXXXX")"
trap 'rm -rf "$work"' EXIT

"$cxx" -std=c++20 -O1 -fPIC -o "$work/make_pictures" "$here/make_pictures.cpp" "${qt_flags[@]}"

# A private runtime folder keeps Qt quiet when none is set.
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work}" "$work/make_pictures" "$repo"
