# shellcheck shell=bash
# Stock GNOME Shell shows no tray icons. On a GNOME session, enable_gnome_tray_host installs the
# AppIndicator extension (Debian's gnome-shell-extension-appindicator) and enables it for the user, so
# Ondravell's icon has somewhere to appear. Nothing here fails the caller: without the extension,
# Ondravell still runs, and launching it again opens its settings window.

APPINDICATOR_PACKAGE="gnome-shell-extension-appindicator"
APPINDICATOR_UUID="ubuntu-appindicators@ubuntu.com"

is_gnome_session() {
    case ":${XDG_CURRENT_DESKTOP:-}:" in
        *:GNOME:* | *:GNOME-Classic:* | *:gnome:*) return 0 ;;
    esac
    return 1
}

# Runs a command as the desktop's user: the one who ran sudo, when this runs under sudo.
as_desktop_user() {
    if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ]; then
        sudo -u "$SUDO_USER" --preserve-env=DBUS_SESSION_BUS_ADDRESS,XDG_RUNTIME_DIR,DISPLAY,WAYLAND_DISPLAY "$@"
    else
        "$@"
    fi
}

# The enabled-extensions list with the extension (the AppIndicator one unless named) added, for a
# Shell that does not know it yet.
add_to_enabled_list() {
    local uuid="${1:-$APPINDICATOR_UUID}" current
    current="$(as_desktop_user gsettings get org.gnome.shell enabled-extensions 2>/dev/null)" || return 1
    case "$current" in
        *"'$uuid'"*) return 0 ;;
        "@as []" | "[]") current="['$uuid']" ;;
        *) current="${current%]}, '$uuid']" ;;
    esac
    as_desktop_user gsettings set org.gnome.shell enabled-extensions "$current" 2>/dev/null
}

enable_gnome_tray_host() {
    is_gnome_session || return 0
    if ! dpkg-query -W -f='${Status}' "$APPINDICATOR_PACKAGE" 2>/dev/null | grep -q "install ok installed"; then
        echo "GNOME has no tray of its own; installing $APPINDICATOR_PACKAGE for Ondravell's icon"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -q >/dev/null 2>&1 || true
        if ! $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
            "$APPINDICATOR_PACKAGE" >/dev/null; then
            echo "Could not install $APPINDICATOR_PACKAGE: Ondravell runs without a tray icon;" \
                "launch it again to open its settings." >&2
            return 0
        fi
    fi
    if as_desktop_user gnome-extensions enable "$APPINDICATOR_UUID" >/dev/null 2>&1; then
        echo "Enabled the GNOME AppIndicator extension"
    elif add_to_enabled_list; then
        # A Shell started before the install only finds the extension at its next start.
        echo "Enabled the GNOME AppIndicator extension; it shows after you log out and in again"
    else
        echo "Could not enable the GNOME AppIndicator extension; enable it yourself with:" \
            "gnome-extensions enable $APPINDICATOR_UUID" >&2
        return 0
    fi
    if [ "$(as_desktop_user gsettings get org.gnome.shell disable-user-extensions 2>/dev/null)" = "true" ]; then
        echo "Note: GNOME's extensions are switched off as a whole (disable-user-extensions);" \
            "switch them on for the tray icon to show." >&2
    fi
    return 0
}
