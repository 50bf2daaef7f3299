#!/usr/bin/env bash
# The whole test run: installs what is missing, builds both presets, runs the
# native unit tests and the fuzz targets briefly, then the same unit tests and the end-to-end tests under
# Wine in a temporary prefix that is removed afterwards. Ends with CTest's
# summary.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

echo "== fuzz targets, a fixed number of runs each"
scripts/fuzz.sh

echo "== Windows build and tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows

. scripts/wine-env.sh
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/orvane-wine.XXXXXX")
export WINEPREFIX
trap 'wine_prefix_remove "$WINEPREFIX"' EXIT
wine_prefix_create "$WINEPREFIX"
# The end-to-end tests draw windows: a virtual screen for them. Each leaves
# a screenshot of the dialogs it opened.
rm -rf build/windows/e2e-screenshots
echo "== screenshots of the end-to-end tests: build/windows/e2e-screenshots/"
# Now and then Wine itself dies while a test process ends, after every one
# of its tests has passed. A test that fails is therefore run up to twice
# more; a real failure fails every time.
wine_under_xvfb ctest --preset windows -j2 --repeat until-pass:3
