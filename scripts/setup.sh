#!/usr/bin/env bash
# Installs what building, running and testing the station needs (Debian or
# Ubuntu). Does nothing when everything is already there.
set -euo pipefail

# clang-format is pinned: each version formats some lines its own way.
packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev libgmock-dev googletest
          libbenchmark-dev libcli11-dev libsodium-dev libx11-dev fonts-liberation xvfb xauth clang-format-14)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
echo "Installing: ${missing[*]}"
$sudo_cmd apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
