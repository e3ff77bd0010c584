#!/usr/bin/env bash
# Plays a session under Xvfb with SDL's disk audio driver and reports what
# came out of the mixer: the whole capture and each 5-second stretch through
# `sox stat`. Needs the player tools (scripts/setup.sh --player-tools).
#   scripts/listen.sh [OUT.raw] [PLAY_FRAMES]
# The game is driven with xdotool: through the title and the selection, then
# firing while weaving up and down. Extra game options: PELLO_GAME_ARGS.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELLO_BUILD_DIR:-$root/build}"
out="$(realpath -m "${1:-/tmp/pello-listen.raw}")"
frames="${2:-2600}"
game="$build/pelloquinade"
[ -x "$game" ] || { echo "listen.sh: build the game first ($game)" >&2; exit 1; }

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
sleep 1
export DISPLAY="$display"

rm -f "$out"
# shellcheck disable=SC2086  # extra options are meant to split
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out" \
    "$game" --window --frames "$frames" ${PELLO_GAME_ARGS:-} >"$out.log" 2>&1 &
pid=$!
start=$(date +%s.%N)
mark() { printf '%6.1f s  %s\n' "$(echo "$(date +%s.%N) - $start" | bc)" "$1"; }

window=""
for _ in $(seq 50); do
    window=$(xdotool search --name Pelloquinade 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "listen.sh: no game window" >&2; kill "$pid"; exit 1; }
xdotool windowfocus "$window" 2>/dev/null || true
mark "window up"

press() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; }
sleep 6; mark "title: Z"; press z
sleep 3; mark "selection: Z (greeting)"; press z
sleep 4; mark "stage: fire and weave"
xdotool keydown z
while kill -0 "$pid" 2>/dev/null; do
    xdotool keydown Up; sleep 0.7; xdotool keyup Up
    xdotool keydown Down; sleep 0.7; xdotool keyup Down
done
xdotool keyup z 2>/dev/null || true
mark "game ended"
wait "$pid" || true

bytes=$(stat -c %s "$out")
echo "capture: $out, $bytes bytes, $(echo "scale=1; $bytes / 176400" | bc) s of 44100 Hz 16-bit stereo"
sox -t raw -r 44100 -e signed -b 16 -c 2 "$out" -n stat 2>&1 | grep -E 'Length|Maximum amplitude|Minimum amplitude|RMS     amplitude'
echo "per 5 s: start, RMS amplitude, maximum amplitude"
len=$(echo "$bytes / 176400" | bc)
for ((t = 0; t < len; t += 5)); do
    stats=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$out" -n trim "$t" 5 stat 2>&1)
    printf '%4d s  %s  %s\n' "$t" "$(grep 'RMS     amplitude' <<<"$stats" | awk '{print $3}')" \
        "$(grep 'Maximum amplitude' <<<"$stats" | awk '{print $3}')"
done
