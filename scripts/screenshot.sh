#!/usr/bin/env bash
# Pictures the main window: runs the program on a virtual X display, opens
# examples/sample.html, searches it and writes docs/linkrake-window.png.
# Usage: scripts/screenshot.sh [PICTURE.png]
set -euo pipefail
cd "$(dirname "$0")/.."
picture="${1:-docs/linkrake-window.png}"
build="${LINKRAKE_SHOT_BUILD:-build-screenshot}"

cmake -S . -B "$build" -G Ninja -DLINKRAKE_TEST_DIRS=app >/dev/null
cmake --build "$build" -j2 --target linkrake_window_shot

# Settings and the temporary file go to a folder of their own, not the user's.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$(dirname "$picture")"
XDG_CONFIG_HOME="$scratch" TMPDIR="$scratch" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build/tests/app/linkrake_window_shot" "$PWD/examples/sample.html" "$picture"
echo "Wrote $picture"
