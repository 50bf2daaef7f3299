#!/usr/bin/env bash
# The whole test run: installs what is missing, builds both presets, runs the
# native unit tests, then the same unit tests under Wine in a temporary
# prefix that is removed afterwards. Ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

echo "== Windows build and tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows

. scripts/wine-env.sh
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/orvane-wine.XXXXXX")
export WINEPREFIX
trap 'wine_prefix_remove "$WINEPREFIX"' EXIT
wine_prefix_create "$WINEPREFIX"
ctest --preset windows -j2
