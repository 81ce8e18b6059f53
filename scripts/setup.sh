#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and the machine lacks. Quick when
# everything is there already. Run as root on Debian 12.
set -euo pipefail

packages=(cmake make g++ pkg-config qt6-base-dev libgtest-dev libgmock-dev nlohmann-json3-dev
  libbenchmark-dev fonts-liberation2 fontconfig desktop-file-utils appstream libxml2-utils dpkg-dev
  clang-14 libclang-rt-14-dev clang-format-14 libboost-dev libz80ex-dev)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
