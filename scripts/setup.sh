#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and `make run` need,
# and only when one is missing: a machine that has them all is left alone and
# this returns at once. Never prompts (CI has no input).
set -euo pipefail

packages=(
    make cmake ninja-build g++ ccache lld python3
    googletest zlib1g-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
    wine64 xvfb xauth
    libdbd-xbase-perl python3-dbf python3-openpyxl
    cups printer-driver-cups-pdf poppler-utils
)

is_installed() {
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

missing=()
for package in "${packages[@]}"; do
    is_installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null; then
    echo "error: missing packages (${missing[*]}) and no apt-get to install them: this setup expects Debian 12" >&2
    exit 1
fi
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null || ! sudo -n true 2>/dev/null; then
        echo "error: missing packages (${missing[*]}); install them as root: apt-get install ${missing[*]}" >&2
        exit 1
    fi
    sudo=(sudo -n)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
# Recommends would pull Wine's 32-bit side and a GL stack, none of which the
# tests use.
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
