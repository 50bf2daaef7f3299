#!/usr/bin/env bash
# The demo: builds the Windows program and the stand-in host, lays out a demo
# installation in build/demo (the stand-in host with three pets: "default"
# in place, the plain pet "ぽすけ" and the encrypted pet "ひみつ", password
# "demo1234"), registers it as the host's installation in a Wine prefix of
# its own, and runs Orvane.exe there. On a display the program is yours to
# try; without one, a walk through the first-run setup, the main window and
# both pets' sessions is saved as screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Orvane Velmora demo_walk

demo=$PWD/build/demo
helper=$PWD/build/windows/demo/demo_walk.exe
. scripts/wine-env.sh
export WINEPREFIX=$demo/wineprefix

# A fresh installation every time; the prefix is kept for the next run, its
# processes are not.
wine_prefix_end "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true' EXIT
rm -rf "$demo/program" "$demo/ヴェルモラ" "$demo/screenshots"
mkdir -p "$demo"
# A prefix left by an earlier 32-bit build cannot run the 64-bit program.
grep -qs '^#arch=win64' "$WINEPREFIX/system.reg" || { rm -rf "$WINEPREFIX"; wine_prefix_create "$WINEPREFIX"; }
timeout 120 "$WINE64" "$helper" prepare "$demo"
timeout 60 wineserver -w

if [ -n "${DISPLAY:-}" ]; then
  echo "Orvane runs on your display. The encrypted pet's password is demo1234."
  echo "The demo installation is $demo/ヴェルモラ; the program ends when you close it."
  timeout 8h "$WINE64" "$demo/program/Orvane.exe" || true
else
  wine_under_xvfb timeout 300 "$WINE64" "$helper" walk "$demo" || { echo "The demo walk failed." >&2; exit 1; }
  echo "The demo's screenshots are in $demo/screenshots"
fi
