#!/usr/bin/env bash
# A second scripts/run replaces the Ondravell the first one started: the old process leaves the bus,
# and the program that then owns the bus name is the second run's install; a name held by any other
# program stops the run, which kills nothing. Needs a display and a session bus of its own (xvfb-run
# and dbus-run-session), as scripts/test gives it.
#   run-replaces-running-app.sh <configured build folder>
set -euo pipefail
BUILD_DIR="$(cd "$1" && pwd)"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/scripts/lib/start-app.sh"

scratch="$(mktemp -d)"
cleanup() {
    local pid
    pid="$(owner_pid)"
    [ -n "$pid" ] && is_our_ondravell "$pid" && kill -TERM "$pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
    XDG_STATE_HOME="$scratch/state" ONDRAVELL_CONTAINER="$scratch/container" \
    ONDRAVELL_BUILD_DIR="$BUILD_DIR" ONDRAVELL_NAUTILUS_EXTENSION_DIR="$scratch/extensions"
unset XDG_CURRENT_DESKTOP
mkdir -p "$HOME"

failures=0
check() {  # check <description> <command...>
    local what="$1"
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what" >&2
        failures=$((failures + 1))
    fi
}

# The pid of the program owning the bus name, once it has taken it.
wait_for_owner() {
    for _ in $(seq 100); do
        name_has_owner && owner_pid && return 0
        sleep 0.1
    done
    return 1
}

installed_exe() {  # installed_exe <pid>: the program the process runs, as a path
    local exe
    exe="$(readlink "/proc/$1/exe")"
    echo "${exe% (deleted)}"
}

check "gdbus's reply is read whole" [ "$(echo '(uint32 10985,)' | parse_pid_reply)" = 10985 ]
check "any other reply gives no pid" [ -z "$(echo 'Error: no such name 32' | parse_pid_reply)" ]

ONDRAVELL_PREFIX="$scratch/first" "$ROOT/scripts/run" >"$scratch/first.log" 2>&1 || cat "$scratch/first.log" >&2
first="$(wait_for_owner || true)"
check "the first run's program owns the bus name" [ -n "$first" ]
check "it is the first install" [ "$(installed_exe "${first:-0}")" = "$scratch/first/bin/ondravell" ]
# The icon theme's cache covers the installed icon and is newer than every folder there, so that a program
# asking the theme for an icon reads the cache instead of looking into each folder.
icons="$scratch/first/share/icons/hicolor"
check "the icon theme's cache covers the installed icon" \
    bash -c "grep -qa ondravell-symbolic '$icons/icon-theme.cache' && [ -z \"\$(find '$icons' -type d -newer '$icons/icon-theme.cache')\" ]"

ONDRAVELL_PREFIX="$scratch/second" "$ROOT/scripts/run" >"$scratch/second.log" 2>&1 || cat "$scratch/second.log" >&2
second="$(wait_for_owner || true)"
check "the second run's program owns the bus name" [ -n "$second" ]
check "it is the second install" [ "$(installed_exe "${second:-0}")" = "$scratch/second/bin/ondravell" ]
check "the first program is gone" bash -c "! readlink /proc/${first:-0}/exe >/dev/null 2>&1"
check "the second run said what it replaced" grep -q "Replacing the running Ondravell (pid $first)" "$scratch/second.log"

# A bus name held by another program: the run stops and kills nothing.
kill -TERM "${second:-0}" 2>/dev/null || true
wait_until_name_is_free || true
mkdir -p "$scratch/other"
cp "$scratch/second/bin/ondravell" "$scratch/other/other-program"
setsid "$scratch/other/other-program" >/dev/null 2>&1 </dev/null &
other=$!
wait_for_owner >/dev/null || true
check "another program holds the bus name" [ "$(owner_pid)" = "$other" ]
check "a run then stops" bash -c "! ONDRAVELL_PREFIX='$scratch/third' '$ROOT/scripts/run' >'$scratch/third.log' 2>&1"
check "and leaves that program running" kill -0 "$other"
kill -TERM "$other" 2>/dev/null || true

if [ "$failures" -ne 0 ]; then
    cat "$scratch/second.log" >&2
    exit 1
fi
echo "All checks passed."
