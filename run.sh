#!/usr/bin/env bash
# Builds Linkrake and starts it. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/src/app/Linkrake ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/src/app/Linkrake "$@"
fi
[ -x build/src/app/Linkrake ] && echo "No display found: showing the links of examples/sample.html with linkrake-cli instead." >&2
exec build/src/cli/linkrake-cli examples/sample.html
