#!/bin/sh
# Installs every Debian package needed to build, run and test Velmorandine.
# Idempotent: when everything is present it prints nothing and returns at once.
set -eu

PACKAGES="
  build-essential cmake pkg-config python3
  googletest libgtest-dev libgmock-dev
  libsdl2-dev libsdl2-mixer-dev
  libcairo2-dev libpango1.0-dev libglib2.0-dev libfontconfig-dev
  libsodium-dev
  xvfb xauth
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# The way a user installs them, recommended packages included (xvfb brings
# the X core fonts with it): the machine ends up like a user's desktop.
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq $missing >/dev/null
