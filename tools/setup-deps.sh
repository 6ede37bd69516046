#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev
          libgl-dev libgtest-dev libgmock-dev libbenchmark-dev locales
          # sound: the program's player process (brevant-player) hands the wave files to the
          # sound server (PulseAudio, or PipeWire in its place) through libpulse's simple API
          # (libpulse-dev to build, libpulse0 to run). The sound tests start a private
          # pulseaudio with a null output and look at its streams with pactl (pulseaudio-utils).
          libpulse-dev pulseaudio pulseaudio-utils
          # the end-to-end tests: a virtual X display, a window manager, X key events, screenshots
          xvfb openbox xdotool x11-utils imagemagick
          # the real-peer radio test: hamlib's TS-2000 emulator on a pseudo-terminal pair
          libhamlib-utils socat
          # the real packet engine the packet-engine link is tried against
          direwolf
          # the fuzzers: clang with its sanitizers and libFuzzer (libclang_rt.fuzzer, in the
          # compiler-rt package clang itself does not bring)
          clang libclang-rt-dev)
# A desktop whose sound server is PipeWire keeps it: a second server would fight it for the
# user's socket. The sound tests then need pulseaudio installed by hand.
if dpkg-query -W -f='${Status}' pipewire-pulse 2>/dev/null | grep -q "install ok installed"; then
  for i in "${!packages[@]}"; do
    [ "${packages[i]}" != pulseaudio ] || unset 'packages[i]'
  done
  echo "PipeWire serves sound here: pulseaudio, which the sound tests use, is not installed." >&2
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node runs the ADIF reader the export is checked with. Looked for as commands: a Node.js
# from elsewhere that brings its own npm is used as it is.
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
