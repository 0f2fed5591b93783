#!/usr/bin/env bash
# Installs what building, running and testing the station needs (Debian or
# Ubuntu). Does nothing when everything is already there.
set -euo pipefail

# clang-format is pinned: each version formats some lines its own way.
packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev googletest
          libbenchmark-dev libcli11-dev libsodium-dev libx11-dev fonts-liberation xvfb xauth clang-format-14
          clang-tidy-14 locales libssl-dev poppler-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

# A German locale, so the test that the files' dates stay English whatever
# the locale has one to run under.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8"
  $sudo_cmd sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
  $sudo_cmd locale-gen >/dev/null
fi
