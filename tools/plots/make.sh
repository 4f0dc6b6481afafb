#!/bin/sh
# Remakes docs/timed-moves.png, the README's before-and-after picture of timed moves, offscreen.
#   tools/plots/make.sh [build folder]     (default: build/ in the source tree)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build}

cmake -S "$root" -B "$build" -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" --target kestrel-plots -j2
mkdir -p "$root/docs"
QT_QPA_PLATFORM=offscreen "$build/tools/plots/kestrel-plots" "$root/docs/timed-moves.png"
echo "Wrote $root/docs/timed-moves.png"
