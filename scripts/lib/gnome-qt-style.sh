# shellcheck shell=bash
# Qt draws its own grey Fusion style unless a style of the desktop is installed. On a GNOME session,
# install_gnome_qt_style installs Debian's Qt 6 port of the Adwaita style, which Ondravell then uses, so
# its windows look like the desktop's. Nothing here fails the caller: without it, Ondravell keeps Fusion.
# Needs is_gnome_session from gnome-tray-host.sh.

ADWAITA_QT_PACKAGE="adwaita-qt6"

install_gnome_qt_style() {
    is_gnome_session || return 0
    dpkg-query -W -f='${Status}' "$ADWAITA_QT_PACKAGE" 2>/dev/null | grep -q "install ok installed" && return 0
    echo "Installing $ADWAITA_QT_PACKAGE so that Ondravell's windows follow the GNOME look"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    if ! $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "$ADWAITA_QT_PACKAGE" >/dev/null; then
        echo "Could not install $ADWAITA_QT_PACKAGE: Ondravell's windows keep Qt's own style" >&2
    fi
    return 0
}
