#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and scripts/run.sh need.
# Safe to run again: when everything is there it does nothing, not even apt-get update.
set -euo pipefail

packages=(
    cmake ninja-build g++
    clang-14 libclang-rt-14-dev
    googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64
    xvfb xauth imagemagick x11-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed'; then
        missing+=("$package")
    fi
done
if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

echo "bootstrap: installing ${missing[*]}" >&2
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y "${missing[@]}"
