#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz) and runs each on its seed corpus
# under tests/fuzz/corpus: without an argument a fixed number of runs, as the
# test run does; with a number of seconds, each target for that long. New
# inputs go to a temporary corpus that is removed afterwards; an input that
# breaks a target is kept in build/fuzz/artifacts/ and its log is printed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Every run writes and deletes a few files: memory is far quicker than a
# disk that syncs each write. The targets' own temporary folders go inside
# the work folder, so that a run that breaks leaves none behind.
base="${TMPDIR:-/tmp}"
if [ -d /dev/shm ] && [ -w /dev/shm ]; then base=/dev/shm; fi
work=$(mktemp -d "$base/orvane-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp"
export TMPDIR="$work/tmp"
mkdir -p build/fuzz/artifacts

declare -A runs=([container]=5000 [settings]=2000)
for target in container settings; do
  if [ -n "$seconds" ]; then
    limit=(-max_total_time="$seconds")
  else
    limit=(-runs="${runs[$target]}" -seed=1)
  fi
  mkdir -p "$work/$target"
  log="$work/$target.log"
  if ! "build/fuzz/tests/fuzz/${target}_fuzzer" "$work/$target" "tests/fuzz/corpus/$target" "${limit[@]}" \
      -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1 >"$log" 2>&1; then
    cat "$log"
    echo "fuzz: $target broke; the input is in build/fuzz/artifacts/" >&2
    exit 1
  fi
  echo "fuzz: $target: $(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$') runs, nothing broke"
done
