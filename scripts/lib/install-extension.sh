#!/usr/bin/env bash
# Installs the built Nautilus module into Nautilus's extension folder (needs root; sudo is used when
# present) when it differs from the one installed, and then restarts a running Nautilus so that it loads
# the module, opening again the folders its windows showed.
#   BUILD_DIR=<build folder> bash scripts/lib/install-extension.sh
# or, sourced: install_extension <build folder>
# The argument may also be the module file itself (the application's welcome window installs it so).
# ONDRAVELL_NAUTILUS_MODULE names the module file directly instead; ONDRAVELL_NAUTILUS_EXTENSION_DIR
# another extension folder (tests).

install_extension() {
    local build_dir="${1:-${BUILD_DIR:-}}"
    local module="${ONDRAVELL_NAUTILUS_MODULE:-$build_dir/Extensions/FinderSync/libondravell-nautilus.so}"
    [ -f "$build_dir" ] && module="$build_dir"
    if [ ! -f "$module" ]; then
        echo "install-extension: no module at $module (build first)" >&2
        return 1
    fi
    local dir="${ONDRAVELL_NAUTILUS_EXTENSION_DIR:-}"
    [ -n "$dir" ] || dir=$(pkg-config --variable=extensiondir libnautilus-extension-4 2>/dev/null || true)
    if [ -z "$dir" ]; then
        echo "install-extension: libnautilus-extension-4 is not installed (Debian: libnautilus-extension-dev)" >&2
        return 1
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ] && ! { mkdir -p "$dir" 2>/dev/null && [ -w "$dir" ]; }; then
        if command -v sudo >/dev/null; then sudo="sudo"; else
            echo "install-extension: installing into $dir needs root" >&2
            return 1
        fi
    fi
    local installed="$dir/libondravell-nautilus.so"
    if cmp -s "$module" "$installed"; then
        echo "The Nautilus module in $dir is up to date"
        return 0
    fi
    $sudo install -d -m 0755 "$dir"
    $sudo install -m 0644 "$module" "$installed"
    echo "Installed the Nautilus module into $dir"
    restart_nautilus
}

# Runs a command as the user whose Nautilus it is (under sudo, the user who ran sudo), on that user's
# session bus.
as_nautilus_user() {
    local user="${SUDO_USER:-$(id -un)}"
    if [ "$user" = "$(id -un)" ]; then
        "$@"
    else
        local uid
        uid="$(id -u "$user")"
        sudo -u "$user" DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-unix:path=/run/user/$uid/bus}" \
            DISPLAY="${DISPLAY:-}" WAYLAND_DISPLAY="${WAYLAND_DISPLAY:-}" "$@"
    fi
}

# The folders of Nautilus's open windows and tabs, one URI a line, from the OpenWindowsWithLocations
# property it publishes on the session bus.
nautilus_open_locations() {
    as_nautilus_user gdbus call --session --dest org.freedesktop.FileManager1 \
        --object-path /org/freedesktop/FileManager1 --method org.freedesktop.DBus.Properties.Get \
        org.freedesktop.FileManager1 OpenWindowsWithLocations 2>/dev/null |
        grep -oE "'[a-z][a-z0-9+.-]*://[^']*'|\"[a-z][a-z0-9+.-]*://[^\"]*\"" | sed -e 's/^.//' -e 's/.$//' || true
}

# A running Nautilus keeps the modules it loaded at start: it is asked to quit, so that it loads the new
# module, and the folders its windows showed are opened again.
restart_nautilus() {
    local user="${SUDO_USER:-$(id -un)}"
    pgrep -u "$user" -x nautilus >/dev/null 2>&1 || return 0
    local locations
    locations="$(nautilus_open_locations)"
    as_nautilus_user nautilus -q >/dev/null 2>&1 || true
    local waited=0
    while pgrep -u "$user" -x nautilus >/dev/null 2>&1 && [ "$waited" -lt 50 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    if [ -z "$locations" ]; then
        echo "Asked the running Nautilus to quit; the next Nautilus window has the Ondravell items"
        return 0
    fi
    # ShowFolders starts Nautilus again through the bus and opens one window for each folder.
    local list="" uri
    while IFS= read -r uri; do
        [ -n "$uri" ] || continue
        uri="${uri//\'/%27}"
        list="${list:+$list, }'$uri'"
    done <<<"$locations"
    if as_nautilus_user gdbus call --session --dest org.freedesktop.FileManager1 \
        --object-path /org/freedesktop/FileManager1 --method org.freedesktop.FileManager1.ShowFolders \
        "[$list]" "" >/dev/null 2>&1; then
        echo "Restarted Nautilus with the Ondravell items and opened its folders again"
    else
        echo "Asked the running Nautilus to quit; the next Nautilus window has the Ondravell items"
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    install_extension "$@"
fi
