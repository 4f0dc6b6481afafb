#!/bin/sh
# Remakes docs/arm-3d.png: the default arm in the 3D view at a pose that shows every joint, with
# the path of a sweep of its tool point and the axes at the origin, drawn on an Xvfb of its own
# by Mesa's software OpenGL.
#   tools/arm3d/make.sh [build folder]     (default: build beside this script's checkout)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build}

cmake --build "$build" --target kestrel-arm3d-picture -j2
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tools/arm3d/kestrel-arm3d-picture" "$root/docs/arm-3d.png"
