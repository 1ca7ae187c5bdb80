#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j 2
program=build/release/app/tarvex-uncertainty

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "The program is built, but there is no display to show it on (neither DISPLAY nor WAYLAND_DISPLAY is set)."
    echo "To try it on a virtual display:  xvfb-run -a $program"
    exit 0
fi
exec "$program"
