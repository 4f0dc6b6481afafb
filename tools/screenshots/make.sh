#!/bin/sh
# Remakes the help topics' pictures (resources/help/shot-*.jpg) from Kestrel's own windows,
# rendered offscreen, and the game controller's (resources/help/pad.jpg and the README's
# docs/pad.png) from the program's table of the pad; then grabs the help window on every topic
# into a review folder so that text and pictures can be looked at together.
#   tools/screenshots/make.sh [build folder]     (default: build-shots beside the source tree)
# SHOTS_REVIEW_DIR sets the review folder (default: a new folder under /tmp).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$(dirname "$root")/build-shots}
review=${SHOTS_REVIEW_DIR:-$(mktemp -d /tmp/kestrel-help-review.XXXXXX)}

cmake -S "$root" -B "$build" -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" --target kestrel-shots -j2
export QT_QPA_PLATFORM=offscreen
"$build/tools/screenshots/kestrel-shots" "$root/resources/help"
"$build/tools/screenshots/kestrel-shots" --readme "$root/docs"
echo "Review pictures of the help window: $review"
"$build/tools/screenshots/kestrel-shots" --review "$root/resources/help" "$review"
