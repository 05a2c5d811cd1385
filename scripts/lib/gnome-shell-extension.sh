# shellcheck shell=bash
# Ondravell's own GNOME Shell extension (Extensions/GnomeShell): in a Wayland session it gives the
# program global hot keys, the focused window, the pointer and copy and paste keys. On a GNOME session,
# enable_ondravell_shell_extension copies it into the desktop user's extension folder and enables it.
# A Wayland Shell finds a newly installed extension only at its next start, so the first install takes
# effect after logging out and in once. Nothing here fails the caller: without the extension the hot
# keys go through the desktop's custom shortcuts. Needs gnome-tray-host.sh (is_gnome_session,
# as_desktop_user, add_to_enabled_list) sourced first.

ONDRAVELL_SHELL_UUID="ondravell@ondravell.dev"

enable_ondravell_shell_extension() {
    is_gnome_session || return 0
    local source="$ROOT/Extensions/GnomeShell/$ONDRAVELL_SHELL_UUID"
    local home
    home=$(as_desktop_user sh -c 'echo "${XDG_DATA_HOME:-$HOME/.local/share}"')
    local target="$home/gnome-shell/extensions/$ONDRAVELL_SHELL_UUID"
    local fresh=1
    [ -d "$target" ] && fresh=0
    if ! as_desktop_user mkdir -p "$target" || ! as_desktop_user cp "$source"/* "$target"/; then
        echo "Could not install Ondravell's GNOME Shell extension into $target" >&2
        return 0
    fi
    if as_desktop_user gnome-extensions enable "$ONDRAVELL_SHELL_UUID" >/dev/null 2>&1; then
        if [ "$fresh" = 1 ] && [ "${XDG_SESSION_TYPE:-}" = wayland ]; then
            echo "Installed Ondravell's GNOME Shell extension; it starts after you log out and in once"
        else
            echo "Enabled Ondravell's GNOME Shell extension"
        fi
    elif add_to_enabled_list "$ONDRAVELL_SHELL_UUID"; then
        [ "$fresh" = 1 ] && echo "Installed Ondravell's GNOME Shell extension; it starts after you log out and in once"
    else
        echo "Could not enable Ondravell's GNOME Shell extension; enable it yourself with:" \
            "gnome-extensions enable $ONDRAVELL_SHELL_UUID" >&2
    fi
    return 0
}
