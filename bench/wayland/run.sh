#!/usr/bin/env bash
# bench/wayland/run.sh [--shell] <build folder> [rounds] [KiB]: the selection toolbar's Wayland figures,
# in a headless mutter session of their own, or in headless gnome-shell with the program's Shell extension.
set -euo pipefail
session=()
if [ "${1:-}" = --shell ]; then
    session=(--shell)
    shift
fi
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
export XDG_DATA_DIRS="$build/shell-extension-data:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
exec bash "$here/../../tests/wayland/headless-session.sh" "${session[@]}" -- "$build/bench/wayland/WaylandSelectionBench" \
    "$build/App/ondravell" "$build/tests/App/ondravell-gtk-text-field-client" "${2:-20}" "${3:-100}"
