#!/usr/bin/env bash
# Runs a command inside a headless GNOME Wayland session of its own:
#
#   headless-session.sh [--shell] [--keep] -- COMMAND [ARGUMENTS...]
#
# The session has a private session bus (the accessibility bus is started on demand from it), a
# scratch HOME with its own XDG folders, its own XDG_RUNTIME_DIR, and either headless mutter (the
# default) or headless gnome-shell (--shell, with a private system bus beside it), both on a virtual
# 1280x800 monitor with XWayland. COMMAND sees WAYLAND_DISPLAY, DISPLAY, XAUTHORITY and
# XDG_SESSION_TYPE=wayland as a desktop session would set them, and ONDRAVELL_SESSION_ROOT, a folder it
# may fill (removed afterwards unless --keep). The compositor's log is $ONDRAVELL_SESSION_ROOT/compositor.log.
#
# The headless seat has no keyboard until a virtual one exists, and without one no window gets the
# focus: a test creates one through mutter's remote-desktop bus API before it relies on focus.
#
# Exit status: COMMAND's; 77 when the compositor is not installed; 1 when it does not start.
set -euo pipefail

compositor=mutter
keep=0
while [ $# -gt 0 ]; do
    case "$1" in
        --shell) compositor=gnome-shell ;;
        --keep) keep=1 ;;
        --) shift; break ;;
        *) echo "usage: $0 [--shell] [--keep] -- COMMAND [ARGUMENTS...]" >&2; exit 2 ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "usage: $0 [--shell] [--keep] -- COMMAND [ARGUMENTS...]" >&2; exit 2; }

if ! command -v "$compositor" >/dev/null || ! command -v Xwayland >/dev/null; then
    echo "$compositor or Xwayland is not installed; skipping" >&2
    exit 77
fi

# Inside the private session bus: start the compositor, wait for it, run the command.
if [ "${ONDRAVELL_SESSION_INNER:-}" != 1 ]; then
    root=$(mktemp -d "${TMPDIR:-/tmp}/ondravell-wayland-XXXXXX")
    mkdir -p "$root/home/.config" "$root/home/.cache" "$root/home/.local/share" "$root/home/.local/state"
    mkdir -m 700 "$root/runtime"
    # XWayland refuses to start when the shared socket folder is not world-writable and sticky.
    mkdir -p /tmp/.X11-unix 2>/dev/null || true
    chmod 1777 /tmp/.X11-unix 2>/dev/null || true
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u XAUTHORITY -u DBUS_SESSION_BUS_ADDRESS -u QT_QPA_PLATFORM \
        -u GDK_BACKEND -u DBUS_SYSTEM_BUS_ADDRESS -u NO_AT_BRIDGE \
        HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_CACHE_HOME="$root/home/.cache" \
        XDG_DATA_HOME="$root/home/.local/share" XDG_STATE_HOME="$root/home/.local/state" \
        XDG_RUNTIME_DIR="$root/runtime" GTK_USE_PORTAL=0 GSETTINGS_BACKEND=dconf \
        ONDRAVELL_SESSION_ROOT="$root" ONDRAVELL_SESSION_INNER=1 \
        dbus-run-session -- bash "$0" $([ "$compositor" = gnome-shell ] && echo --shell) -- "$@" || status=$?
    if [ "$keep" = 1 ]; then
        echo "session folder kept: $root" >&2
    else
        # A daemon the session activated (Nautilus's file indexer) may still be writing its cache as it
        # notices the bus is gone: what it leaves costs a folder in /tmp, never the test's result.
        rm -rf "$root" 2>/dev/null || { sleep 1; rm -rf "$root" || echo "session folder left: $root" >&2; }
    fi
    exit "$status"
fi

root="$ONDRAVELL_SESSION_ROOT"
log="$root/compositor.log"
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

arguments=(--headless --wayland --virtual-monitor 1280x800 --wayland-display=wl-test)
if [ "$compositor" = gnome-shell ]; then
    # The shell asks logind on the system bus when the machine has seats; give it a bus of its own.
    dbus-daemon --session --fork --print-pid --address="unix:path=$XDG_RUNTIME_DIR/system_bus" \
        >"$root/system-bus.pid"
    pids+=("$(cat "$root/system-bus.pid")")
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/system_bus"
    # A pointer pushed into the top-left corner would otherwise open the overview.
    gsettings set org.gnome.desktop.interface enable-hot-corners false
fi
"$compositor" "${arguments[@]}" >"$log" 2>&1 &
pids+=("$!")

# Readiness: the Wayland socket, the X display's number in the log, and its authority file.
display=""
for _ in $(seq 1 300); do
    if ! kill -0 "${pids[-1]}" 2>/dev/null; then
        echo "$compositor exited during start-up:" >&2
        cat "$log" >&2
        exit 1
    fi
    if [ -S "$XDG_RUNTIME_DIR/wl-test" ] && [ -z "$display" ]; then
        display=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$log" | head -n 1)
    fi
    if [ -n "$display" ] && compgen -G "$XDG_RUNTIME_DIR/.mutter-Xwaylandauth.*" >/dev/null; then
        break
    fi
    sleep 0.1
done
if [ -z "$display" ]; then
    echo "$compositor did not offer a Wayland socket and an X display in 30 s:" >&2
    cat "$log" >&2
    exit 1
fi
export WAYLAND_DISPLAY=wl-test DISPLAY="$display" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
XAUTHORITY=$(compgen -G "$XDG_RUNTIME_DIR/.mutter-Xwaylandauth.*" | head -n 1)
export XAUTHORITY
# The X server starts on the first connection; wait until it answers.
for _ in $(seq 1 300); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
if [ "$compositor" = gnome-shell ]; then
    for _ in $(seq 1 300); do
        gdbus introspect --session --dest org.gnome.Shell --object-path /org/gnome/Shell >/dev/null 2>&1 && break
        sleep 0.1
    done
fi

status=0
"$@" || status=$?
exit "$status"
