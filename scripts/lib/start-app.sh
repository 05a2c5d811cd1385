#!/usr/bin/env bash
# Starts the tray application in the user's desktop session, replacing an instance that already runs
# (so a fresh install takes effect). Called by scripts/run after the build and install:
#   BUILD_DIR=<build folder> PREFIX=<install prefix> bash scripts/lib/start-app.sh
# The program's output goes to $XDG_STATE_HOME/ondravell/ondravell.log.
set -euo pipefail

PREFIX="${PREFIX:-/usr/local}"
APP="$PREFIX/bin/ondravell"
if [ ! -x "$APP" ] && [ -n "${BUILD_DIR:-}" ] && [ -x "$BUILD_DIR/App/ondravell" ]; then
    APP="$BUILD_DIR/App/ondravell"
fi
if [ ! -x "$APP" ]; then
    echo "ondravell is not installed at $PREFIX/bin and was not found in the build folder." >&2
    exit 1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No graphical session here: start Ondravell from your desktop session with: $APP"
    exit 0
fi
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ ! -S "${XDG_RUNTIME_DIR:-/nonexistent}/bus" ]; then
    echo "Warning: no session bus; the file manager's requests will not reach Ondravell." >&2
fi

BUS_NAME="K3WQ9ZD7TM.dev.ondravell.Ondravell"
running_pid() {
    command -v gdbus >/dev/null || return 0
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.GetConnectionUnixProcessID "$BUS_NAME" 2>/dev/null |
        grep -o '[0-9]\+' | head -n 1 || true
}

old_pid="$(running_pid)"
if [ -n "$old_pid" ]; then
    echo "Replacing the running Ondravell (pid $old_pid)"
    kill "$old_pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$old_pid" 2>/dev/null || break
        sleep 0.1
    done
fi

LOG="${XDG_STATE_HOME:-$HOME/.local/state}/ondravell/ondravell.log"
mkdir -p "$(dirname "$LOG")"
setsid "$APP" >>"$LOG" 2>&1 </dev/null &
echo "Ondravell started (pid $!); log: $LOG"
