#!/bin/sh
# Installs every Debian package that building, running and testing Velmora needs.
# Idempotent: only packages that are missing are installed; sudo is used when not root.
set -e

PACKAGES="
cmake
g++
make
pkg-config
qt6-base-dev
qt6-base-dev-tools
libgl-dev
libsimpleini-dev
libjpeg62-turbo-dev
libsdl2-dev
libsdl2-mixer-dev
qt6-speech-dev
qt6-speech-flite-plugin
qt6-websockets-dev
libqrencode-dev
libgtest-dev
libgmock-dev
librapidcheck-dev
poppler-utils
locales
libbenchmark-dev
xdg-utils
fonts-liberation2
fonts-dejavu-core
fonts-wine
xvfb
xauth
imagemagick
clang
libclang-rt-14-dev
desktop-file-utils
xdotool
chromium-headless-shell
dpkg-dev
file
binutils
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    echo "install-deps: all packages present"
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi

echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
