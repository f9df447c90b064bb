#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, where missing.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config git
    libgtest-dev libgmock-dev
    libblkid-dev libssl-dev
    qt6-base-dev openssl
    libfuse3-dev fuse3
    util-linux fdisk dosfstools e2fsprogs
    xvfb xauth
    dpkg-dev librsvg2-bin desktop-file-utils appstream
    mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine64 googletest
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
