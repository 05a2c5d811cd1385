# Shared by scripts/run and scripts/test: the repository root and the dependency installer.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Installs every package of scripts/packages.txt that is missing (needs root, or sudo).
install_dependencies() {
    local wanted missing=()
    wanted=$(grep -v -e '^#' -e '^[[:space:]]*$' "$ROOT/scripts/packages.txt")
    for pkg in $wanted; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null; then sudo="sudo"; else
            echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
            return 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# configure_build <build folder> [cmake options...]
configure_build() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
}
