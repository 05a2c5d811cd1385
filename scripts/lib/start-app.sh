#!/usr/bin/env bash
# Starts the tray application in the user's desktop session, replacing an instance that already runs
# (so a fresh install takes effect). Called by scripts/run after the build and install:
#   BUILD_DIR=<build folder> PREFIX=<install prefix> bash scripts/lib/start-app.sh
# The program's output goes to $XDG_STATE_HOME/ondravell/ondravell.log.
set -euo pipefail

BUS_NAME="K3WQ9ZD7TM.dev.ondravell.Ondravell"
# How long a running Ondravell gets to leave the bus after being asked to quit, in tenths of a second.
QUIT_WAIT_TENTHS=50

# The pid in gdbus's reply to GetConnectionUnixProcessID, "(uint32 10985,)"; nothing for any other text.
parse_pid_reply() {
    sed -n 's/^[[:space:]]*(uint32 \([0-9][0-9]*\),)[[:space:]]*$/\1/p'
}

bus_call() {  # bus_call <method> <args...>: a call to the bus daemon itself
    local method="$1"
    shift
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method "org.freedesktop.DBus.$method" "$@" 2>/dev/null
}

name_has_owner() {
    [ "$(bus_call NameHasOwner "$BUS_NAME" || true)" = "(true,)" ]
}

owner_pid() {
    bus_call GetConnectionUnixProcessID "$BUS_NAME" | parse_pid_reply || true
}

# True when <pid> runs a program named ondravell and belongs to this user. A binary replaced by the
# install reads as "…/ondravell (deleted)".
is_our_ondravell() {
    local pid="$1" exe owner
    exe="$(readlink "/proc/$pid/exe" 2>/dev/null)" || return 1
    exe="${exe% (deleted)}"
    owner="$(stat -c %u "/proc/$pid" 2>/dev/null)" || return 1
    [ "$(basename "$exe")" = "ondravell" ] && [ "$owner" = "$(id -u)" ]
}

wait_until_name_is_free() {
    for _ in $(seq "$QUIT_WAIT_TENTHS"); do
        name_has_owner || return 0
        sleep 0.1
    done
    ! name_has_owner
}

# Asks the running Ondravell to quit and waits until it has left the bus. Fails, killing nothing, when
# the name belongs to anything else.
replace_running() {
    name_has_owner || return 0
    local pid
    pid="$(owner_pid)"
    if [ -z "$pid" ] || ! is_our_ondravell "$pid"; then
        echo "The bus name $BUS_NAME belongs to a process that is not your Ondravell (pid ${pid:-unknown});" \
            "quit it and run again." >&2
        return 1
    fi
    echo "Replacing the running Ondravell (pid $pid)"
    kill -TERM "$pid" 2>/dev/null || true
    if ! wait_until_name_is_free; then
        echo "Ondravell (pid $pid) did not quit; stopping it." >&2
        is_our_ondravell "$pid" && kill -KILL "$pid" 2>/dev/null
        wait_until_name_is_free || {
            echo "Ondravell (pid $pid) still holds $BUS_NAME." >&2
            return 1
        }
    fi
}

main() {
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

    if command -v gdbus >/dev/null; then
        replace_running || exit 1
    fi

    LOG="${XDG_STATE_HOME:-$HOME/.local/state}/ondravell/ondravell.log"
    mkdir -p "$(dirname "$LOG")"
    setsid "$APP" >>"$LOG" 2>&1 </dev/null &
    echo "Ondravell started (pid $!); log: $LOG"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    main "$@"
fi
