#!/usr/bin/env bash
# Contact sheets: flies each stage of the whole game headless with the
# planning pilot and writes a grid of its frames at scale 1 (one every
# EVERY presented frames, about four seconds) as a PNG per stage and
# character, to judge the craft, its shots, the enemy bullets and the options
# against every stage's scenery. A report for the eye, not a test.
#   scripts/contact-sheets.sh [OUT_DIR [BUILD_DIR]]   default: /tmp/pello-contact, build
#   PELLO_SHEET_STAGES      stages (default "1 2 3 4 5")
#   PELLO_SHEET_CHARACTERS  characters (default "0")
#   PELLO_SHEET_EVERY       presented frames between shots (default 256)
#   PELLO_SHEET_ARGS        more game options (default "--power 2,3": three options)
# Needs ImageMagick's montage for the grid; without it the frames stay as BMP.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-/tmp/pello-contact}"
build="${2:-$root/build}"
game="$build/pelloquinade"
[ -x "$game" ] || { echo "no game at $game: build first" >&2; exit 1; }
stages="${PELLO_SHEET_STAGES:-1 2 3 4 5}"
characters="${PELLO_SHEET_CHARACTERS:-0}"
every="${PELLO_SHEET_EVERY:-256}"
args="${PELLO_SHEET_ARGS:---power 2,3}"
mkdir -p "$out"

# Play frames each stage takes the planning pilot, a little over: the run
# stops there instead of flying on into the next stage.
declare -A length=([1]=15000 [2]=14800 [3]=8300 [4]=20500 [5]=12200)

sheet() {  # STAGE CHARACTER
    local s="$1" c="$2" dir="$out/frames_stage$1_char$2"
    rm -rf "$dir"
    mkdir -p "$dir"
    # shellcheck disable=SC2086  # the extra options split into words
    "$game" --headless --data "$build/data" --campaign --stage "$s" --character "$c" $args --autopilot \
        --frames "${length[$s]:-20000}" --dump-frames "1-1000000:$every" --dump-dir "$dir" >/dev/null 2>&1 || true
    if command -v montage >/dev/null; then
        montage "$dir"/*.bmp -tile 8x -geometry +2+2 -background gray15 "$out/stage${s}_char${c}.png"
        echo "$out/stage${s}_char${c}.png"
    else
        echo "$dir (no montage: frames left as BMP)"
    fi
}

jobs=0
for s in $stages; do
    for c in $characters; do
        sheet "$s" "$c" &
        jobs=$((jobs + 1))
        if [ "$jobs" -ge 2 ]; then
            wait -n || true
            jobs=$((jobs - 1))
        fi
    done
done
wait
