#!/usr/bin/env bash
# Runs one Windows program under Wine in the prefix named by WINEPREFIX.
# CTest uses it as the cross-compiling emulator.
set -euo pipefail
if [ -z "${WINEPREFIX:-}" ]; then
  echo "wine-run.sh: WINEPREFIX is not set (the test command creates a temporary prefix)" >&2
  exit 2
fi
. "$(dirname "$0")/wine-env.sh"
exec timeout "${ORVANE_WINE_TIMEOUT:-300}" "$WINE64" "$@"
