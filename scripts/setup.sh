#!/usr/bin/env bash
# Installs what building, running and testing Korvane needs on Debian or
# Ubuntu, and nothing that is already there. Uses sudo when not root.
# Further packages that only one script needs (clang, librsvg2-bin) are
# named as arguments:  scripts/setup.sh clang
set -euo pipefail

# Qt Charts' CMake package needs Qt OpenGL's, which qt6-charts-dev does
# not bring in: hence libqt6opengl6-dev.
packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool imagemagick x11-utils
    fonts-liberation fonts-dejavu-core
    python3 poppler-utils
    desktop-file-utils appstream
    ngspice
    desktop-file-utils appstream shared-mime-info
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
