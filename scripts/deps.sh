#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are there.
set -euo pipefail
want=(cmake ninja-build g++ pkg-config qt6-base-dev libcurl4-openssl-dev libcpp-httplib-dev
      libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth ripgrep)
want+=("$@")
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
