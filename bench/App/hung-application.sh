#!/usr/bin/env bash
# The selection toolbar beside applications on the accessibility bus that answer slowly or never, in a
# private X display (no window manager: the drags give the keyboard to their window themselves) and
# session bus:
#   - a GTK 3 application stopped with SIGSTOP (a hung one) and another showing a tree view of
#     ROWS rows (a busy one) are on the bus while the user selects, 20 times each, in an xterm (not on
#     the bus) and in a Qt window (on the bus): mouse-up to bar on screen, without the 50 ms read delay;
#   - how much the tree view's application grew (RSS) while the program asked about the focus;
#   - the accessibility helper's CPU time in each quarter second after the tree view's window closed;
#   - the helper's RSS before and after WINDOWS GTK 3 windows came and went (one application opening
#     and closing them, each focused), and after WINDOWS / 10 applications of one window each.
# Usage: bench/App/hung-application.sh [build folder] [rows] [windows]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${1:-$ROOT/build/main}"
ROWS="${2:-100000}"
WINDOWS="${3:-2000}"

if [ -z "${ONDRAVELL_BENCH_INSIDE:-}" ]; then
    ONDRAVELL_BENCH_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" \
        dbus-run-session -- bash "$0" "$BUILD" "$ROWS" "$WINDOWS"
fi

clients="$ROOT/bench/App/accessibility-clients.py"
# The system's own Python, which has GTK's bindings (python3-gi), whatever else is first on PATH.
python=/usr/bin/python3
work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill -CONT "$pid" 2>/dev/null || true
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
export ONDRAVELL_CONTAINER="$work/container" XDG_CONFIG_HOME="$work/config" GSETTINGS_BACKEND=memory
settings="$ONDRAVELL_CONTAINER/Library/Application Support/settings.v1.json"
mkdir -p "$(dirname "$settings")"
echo '{"selectionEnabled": true, "selectionTriggerAuto": true, "selectionActionIDs": ["copyText"]}' >"$settings"

# Starts a program in the background, its output in $work/<name>.log; waits for "ready" when asked.
start() { # name, wait for ready (yes/no), command...
    local name=$1 ready=$2
    shift 2
    "$@" >"$work/$name.log" 2>&1 &
    pids+=($!)
    started=$!
    if [ "$ready" = yes ]; then
        for _ in $(seq 1 600); do
            grep -q ready "$work/$name.log" && return 0
            sleep 0.1
        done
        echo "$name never got ready" >&2
        exit 1
    fi
}

rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{print int(($14 + $15) * 1000 / hz)}' "/proc/$1/stat"; }

start hung yes "$python" "$clients" field
hung=$started
start tree yes "$python" "$clients" tree "$ROWS"
tree=$started
kill -STOP "$hung"

start program no "$BUILD/App/ondravell"
program=$started
sleep 3
helper=$(pgrep -P "$program" -f ondravell-accessibility || true)
if [ -z "$helper" ]; then
    echo "the program started no accessibility helper" >&2
    exit 1
fi

start xterm no xterm -T xterm-bench -fn fixed -geometry 80x5+0+0 -e sh -c 'echo hello world selection test; exec sleep 100000'
start qt yes env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$BUILD/tests/App/ondravell-text-field-client" "hello world selection test"
sleep 2

tree_before=$(rss_kib "$tree")
echo "xterm (not on the bus), a hung and a busy ($ROWS rows) application on the bus:"
"$BUILD/bench/App/selection-bar-latency" 20 2 8 130 9 xterm-bench || true
echo "Qt window (on the bus), the same applications beside it:"
"$BUILD/bench/App/selection-bar-latency" 20 70 230 330 232 text-field-client || true
tree_after=$(rss_kib "$tree")
echo "tree view's application: RSS $tree_before KiB before the selections, $tree_after KiB after ($(((tree_after - tree_before) / 1024)) MiB more)"

kill "$tree"
closed_cpu=$(cpu_ms "$helper")
quarters=""
for _ in 1 2 3 4 5 6 7 8; do
    sleep 0.25
    now=$(cpu_ms "$helper")
    quarters="$quarters $((now - closed_cpu))"
    closed_cpu=$now
done
echo "helper CPU ms in each quarter second after the tree view's window closed:$quarters"

kill -CONT "$hung"
helper_before=$(rss_kib "$helper")
start churn yes "$python" "$clients" churn "$WINDOWS"
churn=$started
wait "$churn" || true
sleep 1
helper_windows=$(rss_kib "$helper")
for _ in $(seq 1 $((WINDOWS / 10))); do
    start one yes "$python" "$clients" churn 1
    wait "$started" || true
done
sleep 1
helper_after=$(rss_kib "$helper")
echo "helper RSS: $helper_before KiB before, $helper_windows KiB after $WINDOWS windows of one application" \
    "($((helper_windows - helper_before)) KiB more), $helper_after KiB after $((WINDOWS / 10)) applications more" \
    "($((helper_after - helper_windows)) KiB more)"
