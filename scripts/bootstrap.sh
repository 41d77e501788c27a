#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and scripts/run.sh need (the npm
# package that lints the workflows is installed by scripts/workflow-lint.sh).
# Safe to run again: when everything is there it does nothing, not even apt-get update.
set -euo pipefail

packages=(
    cmake ninja-build g++
    clang-14 libclang-rt-14-dev clang-tidy clang-format
    googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64
    xvfb xauth imagemagick x11-utils xserver-xephyr
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed'; then
        missing+=("$package")
    fi
done
# Node.js and npm may come from elsewhere than Debian, with npm inside the nodejs package: what
# counts is that the commands are there.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    missing+=(nodejs npm)
fi
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
