#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs (only those missing), then
# configures and builds into ./build. Shared by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

# The one list of what the build, the tests and the benchmarks need.
PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
          libgtest-dev libgmock-dev zlib1g-dev libdeflate-dev libxxhash-dev shared-mime-info hicolor-icon-theme
          adwaita-icon-theme fonts-dejavu-core fonts-liberation2 xvfb xauth xdotool xclip
          jdupes rdfind fdupes clang libclang-rt-14-dev ccache tzdata gdu ncdu libqt6sql6-sqlite libqt6sql6-psql postgresql
          libqt6svg6 librsvg2-bin desktop-file-utils appstream
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n btrfs-progs xfsprogs)
if [ "${1:-}" = "--print-packages" ]; then
    printf '%s\n' "${PACKAGES[@]}"
    exit 0
fi
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

. scripts/ccache-env.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" >/dev/null
cmake --build build -j"$(nproc)"
