#!/usr/bin/env bash
# bench/wayland/run.sh <build folder> [rounds] [KiB]: the selection toolbar's Wayland figures, in a
# headless mutter session of their own.
set -euo pipefail
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
exec bash "$here/../../tests/wayland/headless-session.sh" -- "$build/bench/wayland/WaylandSelectionBench" \
    "$build/App/ondravell" "$build/tests/App/ondravell-gtk-text-field-client" "${2:-20}" "${3:-100}"
