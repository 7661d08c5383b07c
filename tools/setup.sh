#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12; does nothing when all is there.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang
  g++-mingw-w64-i686 mingw-w64-i686-dev
  googletest libgtest-dev libbenchmark-dev liblua5.4-dev
  wine wine32:i386 xvfb xauth
  nsis imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages (${missing[*]}) and not root: install them or run as root" >&2
  exit 1
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq || { echo "setup: apt-get update failed" >&2; exit 1; }
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
  { echo "setup: apt-get install failed for: ${missing[*]}" >&2; exit 1; }
