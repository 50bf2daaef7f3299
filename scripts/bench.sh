#!/usr/bin/env bash
# The container benchmark, natively and for the Windows build under Wine
# (see tests/bench/README.md). Not part of the tests. Everything it writes
# goes to one temporary folder (or under $ORVANE_BENCH_DIR), removed at the end.
#   scripts/bench.sh [repetitions]
set -euo pipefail
cd "$(dirname "$0")/.."
reps=${1:-5}

scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target store_bench
cmake --preset windows >/dev/null
cmake --build --preset windows --target store_bench

work=$(mktemp -d "${ORVANE_BENCH_DIR:-${TMPDIR:-/tmp}}/orvane-bench.XXXXXX")
. scripts/wine-env.sh
export WINEPREFIX=$work/wineprefix
trap 'WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

echo "== native: the container against cp -r and tar"
build/native/tests/bench/store_bench --dir "$work/native" --reps "$reps"

echo "== Windows build under Wine: the container against CopyFileW"
wine_prefix_create "$WINEPREFIX"
"$WINE64" build/windows/tests/bench/store_bench.exe --dir "Z:$work/wine" --reps "$reps" --keep | tr -d '\r' | tee "$work/wine.txt"
echo "== the same files copied by the host's cp -r"
build/native/tests/bench/store_bench --dir "$work/wine" --reps "$reps" --baselines-only | tee "$work/host.txt"

# wall_ms FILE NAME: the median wall time a run printed for NAME.
wall_ms() { sed -n "s/^time: $2: wall \([0-9.]*\) ms.*/\1/p" "$1"; }
for op in pack unpack; do
  awk -v a="$(wall_ms "$work/wine.txt" "$op")" -v b="$(wall_ms "$work/host.txt" "cp -r")" -v op="$op" \
    'BEGIN { printf "ratio: %s under Wine / host cp -r: wall %.2f\n", op, a / b }'
done
