#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds into build/, then starts Plimo or runs every test.
#   scripts/setup.sh run    build and start the program
#   scripts/setup.sh test   build and run the whole test suite under ctest
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-run}

packages=(cmake ninja-build clang-14 libclang-rt-14-dev
          qt6-base-dev libqt6sql6-sqlite qt6-qpa-plugins libgl-dev
          libgtest-dev googletest libbenchmark-dev
          fonts-liberation2 xvfb xauth x11-utils sqlite3
          qt6-translations-l10n desktop-file-utils appstream ccache git dpkg-dev file)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

# ccache lets a second clone (the CI's fresh-clone check) reuse the first one's objects: paths
# inside the clone are hashed relative to it.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "${launcher[@]}"
cmake --build build

case "$mode" in
run) exec ./build/plimo ;;
test) cd build && ctest --output-on-failure --timeout 600 ;;
*) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
