# Shared by scripts/run and scripts/test: installs what the build needs and
# configures and builds the program. Safe to run again and again.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(cmake g++ ninja-build pkg-config qt6-base-dev libqt6sql6-sqlite libgl-dev libsqlite3-dev
          libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-liberation2 poppler-utils xdg-utils)

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        local SUDO=""
        [ "$(id -u)" -eq 0 ] || SUDO="sudo"
        echo "Installing: ${missing[*]}"
        $SUDO apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# configure_and_build BUILD_DIR [extra cmake args...]
configure_and_build() {
    local dir="$1"; shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}
