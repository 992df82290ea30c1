#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
set -euo pipefail
packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin qt6-svg-dev libgl-dev
  libsqlite3-dev sqlite3 libcurl4-openssl-dev libgumbo-dev nlohmann-json3-dev libx11-dev
  zlib1g-dev libdeflate-dev libbrotli-dev libzstd-dev libssl-dev libsecret-1-dev
  libgtest-dev libgmock-dev libbenchmark-dev sd
  clang-14 libclang-rt-14-dev
  xvfb xauth python3 python3-pyftpdlib wget
  gnome-keyring dbus-daemon
  firefox-esr chromium
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
