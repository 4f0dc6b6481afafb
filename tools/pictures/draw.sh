#!/bin/sh
# Regenerates every picture in resources/pictures/, the help banner and the application icon
# (resources/icons/hicolor/, 16 to 256 pixels), from draw_pictures.cpp.
# Needs Qt 6 (qt6-base-dev), CMake and ImageMagick.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${PICTURES_BUILD_DIR:-/tmp/pictures-build}
out="$root/resources/pictures"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

cmake -S "$here" -B "$build" >/dev/null
cmake --build "$build" >/dev/null
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$build/draw_pictures" "$out" "$stage" "$root/resources/icons/hicolor"

# Picture buttons: GIF with a small palette; no dithering, which would only
# scatter noise over such tiny flat pictograms.
for name in rec stop run pause back; do
    convert "$stage/$name.png" +dither -colors 64 "$out/$name.gif"
done

# Icons: palette ICO files, transparency in the one-bit mask.
convert "$stage/home.png" +dither -colors 16 "$out/home.ico"
convert "$stage/velmora.png" +dither -colors 16 "$out/velmora.ico"
convert "$stage/kestrel.png" +dither -colors 256 "$out/kestrel.ico"

# Photos: full-resolution colour keeps yellow lettering on black clean.
for name in logo splash about author; do
    convert "$stage/$name.png" -strip -sampling-factor 1x1 -quality 95 "$out/$name.jpg"
done
# The help window's banner is read from the help folder at run time, not stored in the program.
convert "$stage/vm.png" -strip -sampling-factor 1x1 -quality 95 "$root/resources/help/vm.jpg"

cd "$out"
identify rec.gif stop.gif run.gif pause.gif back.gif home.ico kestrel.ico velmora.ico \
    logo.jpg splash.jpg about.jpg author.jpg ../help/vm.jpg ../icons/hicolor/*/apps/kestrel.png
