#!/usr/bin/env bash
# Measures the tray application as a user meets it, in a private X display with a tray (trayer) and a
# private session bus:
#   - start-up: from the launch until its icon is embedded in the tray, for each of
#     ONDRAVELL_BENCH_STARTS fresh processes (default 9), each with the folders of a user who has
#     just been through the welcome window, as every start at login meets them; with the median and
#     each one's resident memory 1 s after its launch (goals: under 80 ms, 32 MiB);
#   - resident memory once the last one idles;
#   - CPU time and thread wake-ups over 60 s of idling after a toast came and went (must be 0:
#     nothing polls).
# Usage: bench/App/startup-and-idle.sh [path/to/ondravell] [idle seconds]
# Needs xvfb, dbus, trayer and x11-utils, which the scripts install (scripts/packages.txt).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
APP="${1:-$ROOT/build/main/App/ondravell}"
IDLE="${2:-60}"

if [ -z "${ONDRAVELL_BENCH_INSIDE:-}" ]; then
    ONDRAVELL_BENCH_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x800x24" \
        dbus-run-session -- bash "$0" "$APP" "$IDLE"
fi

work="$(mktemp -d)"
trap 'kill "${app:-}" "${tray:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
export ONDRAVELL_CONTAINER="$work/container" XDG_CONFIG_HOME="$work/config" GSETTINGS_BACKEND=memory

trayer --edge top --align right --widthtype request --height 28 >/dev/null 2>&1 &
tray=$!
panel=""
for _ in $(seq 200); do
    panel="$(xwininfo -root -tree 2>/dev/null | awk '/"panel": \("panel" "trayer"\)/ {print $1; exit}')"
    [ -n "$panel" ] && break
    sleep 0.05
done
[ -n "$panel" ] || { echo "trayer did not start" >&2; exit 1; }

# Launches the program afresh for a new user and waits until its icon is in the tray; `ms` holds the
# milliseconds that took. Returns 1 s after the launch.
launch() {
    rm -rf "$work/container" "$work/config"
    mkdir -p "$work/config/ondravell"
    printf '[General]\nhasCompletedOnboarding=true\n' >"$work/config/ondravell/ondravell.ini"
    local start shown
    start=$(date +%s%N)
    "$APP" >"$work/app.log" 2>&1 &
    app=$!
    until xwininfo -id "$panel" -tree 2>/dev/null | grep -q '"ondravell"'; do
        sleep 0.002
    done
    shown=$(date +%s%N)
    ms=$(((shown - start) / 1000000))
    sleep "$(awk -v s="$start" -v n="$(date +%s%N)" 'BEGIN {d = 1 - (n - s) / 1e9; print (d > 0 ? d : 0)}')"
}

starts="${ONDRAVELL_BENCH_STARTS:-9}"
times=()
for i in $(seq "$starts"); do
    launch
    times+=("$ms")
    echo "start $i: tray icon after $ms ms, resident memory 1 s after launch: $(awk '/VmRSS/ {printf "%.1f MiB", $2 / 1024}' "/proc/$app/status")"
    if [ "$i" -lt "$starts" ]; then
        kill "$app"
        wait "$app" 2>/dev/null || true
        until ! xwininfo -id "$panel" -tree 2>/dev/null | grep -q '"ondravell"'; do sleep 0.01; done
    fi
done
echo "start-up to tray icon shown, median of $starts: $(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}') ms"

# One toast, so that its timers have run and gone before the idle measurement.
mkdir -p "$ONDRAVELL_CONTAINER"
printf '{"message":"基准测试","symbol":"checkmark.circle.fill"}' >"$ONDRAVELL_CONTAINER/pending-toast.json"
gdbus emit --session --object-path /K3WQ9ZD7TM/dev/ondravell --signal K3WQ9ZD7TM.dev.ondravell.showToast >/dev/null
# The toast goes after 2 s; Qt's font cache trims itself a few times, at most 30 s, after text was drawn.
sleep 40

cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
# Wake-ups of every thread of the program: each poll that returns is one voluntary switch.
wakeups() { cat /proc/"$app"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
echo "resident memory when idle: $(awk '/VmRSS/ {print $2, $3}' "/proc/$app/status")"
before=$(cpu_ticks)
woke=$(wakeups)
sleep "$IDLE"
after=$(cpu_ticks)
echo "CPU over ${IDLE} s idle: $((after - before)) ticks of 1/$(getconf CLK_TCK) s"
echo "thread wake-ups over ${IDLE} s idle: $(($(wakeups) - woke))"
