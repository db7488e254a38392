#!/usr/bin/env bash
# Installs every Debian package Tracklore needs to build, test and run. Safe to run again:
# only missing packages are installed. Needs root (or sudo).
set -euo pipefail

packages=(
    # compilers and build tools
    build-essential cmake ninja-build pkg-config git clang-format
    # libraries
    libicu-dev libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libmpg123-dev libblkid-dev
    # sound output of the player engine (libout123's output modules)
    mpg123
    # fuzzing (libFuzzer and sanitizers for clang)
    clang libclang-rt-14-dev
    # making real MP3 files in tests
    ffmpeg lame id3v2 eyed3 python3-mutagen
    # the desktop application under a virtual display (screenshots, headless runs)
    xvfb xauth fonts-dejavu-core x11-apps imagemagick
    # the Debian package and its checks (dpkg-shlibdeps, lintian, the desktop and AppStream
    # files, the MIME type and its handler, the manual pages)
    dpkg-dev lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin man-db
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
