#!/usr/bin/env bash
# A change made half a second before the program gets SIGTERM (what a session end sends), SIGINT or
# SIGHUP reaches the cloud folder: the program quits through its event loop and pushes first. Needs a
# display and a session bus of its own (xvfb-run and dbus-run-session), as scripts/test gives it.
#   quit-signal-pushes-last-change.sh <the ondravell program>
set -euo pipefail
APP="$1"

scratch="$(mktemp -d)"
app=""
cleanup() {
    [ -n "$app" ] && kill -KILL "$app" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
    XDG_STATE_HOME="$scratch/state" ONDRAVELL_CONTAINER="$scratch/container" \
    ONDRAVELL_CLOUD_DIR="$scratch/cloud" GSETTINGS_BACKEND=keyfile
support="$ONDRAVELL_CONTAINER/Library/Application Support"
sync_file="$ONDRAVELL_CLOUD_DIR/Ondravell/Ondravell-sync.json"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/ondravell" "$support" "$ONDRAVELL_CLOUD_DIR"
printf '[General]\niCloudSyncEnabled=true\nhasCompletedOnboarding=true\n' >"$XDG_CONFIG_HOME/ondravell/ondravell.ini"

# Readiness bound for a program starting under Xvfb, in tenths of a second; not a speed requirement.
wait_for() {  # wait_for <command...>
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
has_size() { grep -q "\"maxCopyFileSizeMB\":$1[,}]" "$sync_file" 2>/dev/null; }
ended() { ! kill -0 "$app" 2>/dev/null; }

failures=0
size=600
for signal in TERM INT HUP; do
    size=$((size + 1))
    rm -f "$sync_file"
    "$APP" >>"$scratch/app.log" 2>&1 &
    app=$!
    # The first push at start-up writes the file; the watches are set by then.
    if ! wait_for test -s "$sync_file"; then
        echo "FAILED: the program never wrote the sync file" >&2
        cat "$scratch/app.log" >&2
        exit 1
    fi
    # The settings page's write: a new file renamed over the old one.
    printf '{"maxCopyFileSizeMB":%d}' "$size" >"$support/settings.tmp"
    mv "$support/settings.tmp" "$support/settings.v1.json"
    sleep 0.5
    kill "-$signal" "$app"
    wait_for ended || true
    wait "$app" 2>/dev/null || true
    app=""
    if has_size "$size"; then
        echo "ok: SIG$signal after a change pushes it"
    else
        echo "FAILED: SIG$signal after a change pushes it; the sync file holds:" >&2
        cat "$sync_file" >&2 || true
        failures=$((failures + 1))
    fi
done
exit "$failures"
