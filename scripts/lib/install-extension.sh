#!/usr/bin/env bash
# Installs the built Nautilus module into Nautilus's extension folder (needs root; sudo is used when
# present) and asks a running Nautilus to quit, so the next window it opens loads the module.
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
    $sudo install -d -m 0755 "$dir"
    $sudo install -m 0644 "$module" "$dir/libondravell-nautilus.so"
    echo "Installed the Nautilus module into $dir"

    # A running Nautilus keeps the modules it loaded at start; quitting it makes the next window
    # load ours. Only the invoking user's Nautilus is asked (under sudo, the user who ran sudo).
    local user="${SUDO_USER:-$(id -un)}"
    if pgrep -u "$user" -x nautilus >/dev/null 2>&1; then
        if [ "$user" = "$(id -un)" ]; then
            nautilus -q >/dev/null 2>&1 || true
        else
            sudo -u "$user" nautilus -q >/dev/null 2>&1 || true
        fi
        echo "Asked the running Nautilus to quit; the next Nautilus window has the Ondravell items"
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    install_extension "$@"
fi
