#!/usr/bin/env bash
# Measures the selection toolbar as a user meets it, in a private X display and session bus, with a
# text field in another X client:
#   - mouse-up to bar on screen, without the fixed 50 ms read delay (selection-bar-latency);
#   - the program's CPU time while the mouse moves without pause for a while, with the toolbar armed
#     and with it off (raw button monitors: motion must cost nothing).
# Usage: bench/App/selection-toolbar.sh [build folder] [seconds of motion]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${1:-$ROOT/build/main}"
SECONDS_OF_MOTION="${2:-20}"

if [ -z "${ONDRAVELL_BENCH_INSIDE:-}" ]; then
    ONDRAVELL_BENCH_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" \
        dbus-run-session -- bash "$0" "$BUILD" "$SECONDS_OF_MOTION"
fi

work="$(mktemp -d)"
trap 'kill "${app:-}" "${client:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
export ONDRAVELL_CONTAINER="$work/container" XDG_CONFIG_HOME="$work/config" GSETTINGS_BACKEND=memory
settings="$ONDRAVELL_CONTAINER/Library/Application Support/settings.v1.json"
mkdir -p "$(dirname "$settings")"

"$BUILD/tests/App/ondravell-text-field-client" "hello world selection test" >"$work/client.log" 2>&1 &
client=$!

start_app() { # $1: whether the toolbar is on
    echo "{\"selectionEnabled\": $1, \"selectionTriggerAuto\": true}" >"$settings"
    "$BUILD/App/ondravell" >"$work/app.log" 2>&1 &
    app=$!
    sleep 2
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }

motion_cpu() { # prints the program's CPU milliseconds over the motion
    local before after end
    before=$(cpu_ticks)
    end=$(($(date +%s) + SECONDS_OF_MOTION))
    while [ "$(date +%s)" -lt "$end" ]; do
        for x in $(seq 700 40 1200); do xdotool mousemove "$x" 500; done
    done
    after=$(cpu_ticks)
    echo $(((after - before) * 1000 / $(getconf CLK_TCK)))
}

start_app true
"$BUILD/bench/App/selection-bar-latency" 20 70 230 330 232
armed=$(motion_cpu)
kill "$app"; wait "$app" 2>/dev/null || true
start_app false
off=$(motion_cpu)
echo "CPU over ${SECONDS_OF_MOTION} s of mouse motion: armed ${armed} ms, toolbar off ${off} ms"
