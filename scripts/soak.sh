#!/usr/bin/env bash
# Soak: plays the game headless on random input for a number of play frames
# while sampling the process's memory, and fails if the game does not end
# cleanly after them.
#   scripts/soak.sh [FRAMES [GAME OPTION...]]      default 100000 frames
#   e.g. scripts/soak.sh 1000000
#        PELLO_SOAK_GAME=build-asan/pelloquinade scripts/soak.sh 10000 --character 3
#   PELLO_SOAK_GAME     the game (default build/pelloquinade)
#   PELLO_SOAK_SEED     seed of the random input (default 1)
#   PELLO_SOAK_SAMPLE   seconds between memory samples (default 2)
# The input holds each random word for 1 to 40 reads and often presses the
# first button alone, which confirms the title, the selection and the
# continue screen, so the run keeps playing rather than waiting on a screen.
# It never sends up or down alone: on the title that would pick a quitting
# item. Prints the frames played, the time taken and the resident memory
# (first sample, peak, last) in kilobytes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
frames="${1:-100000}"
shift || true
game="${PELLO_SOAK_GAME:-$root/build/pelloquinade}"
seed="${PELLO_SOAK_SEED:-1}"
every="${PELLO_SOAK_SAMPLE:-2}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
script="$work/input.txt"
# Screens take reads too; twice the frames in reads is plenty.
awk -v seed="$seed" -v reads="$((frames * 2))" 'BEGIN {
    srand(seed);
    while (total < reads) {
        if (rand() < 0.25) { word = 16 } else { do { word = int(rand() * 64) } while (word == 1 || word == 2) }
        n = 1 + int(rand() * 40);
        printf "%d x%d\n", word, n;
        if (rand() < 0.5) print "0 x2";       # a release, so the next press counts as new
        total += n + 2;
    }
}' >"$script"

start=$(date +%s)
"$game" --headless --mute --time-limit 0 --input "$script" --frames "$frames" "$@" 2>"$work/stderr" &
pid=$!
first="" peak=0 last=0
while kill -0 "$pid" 2>/dev/null; do
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
    if [ -n "$rss" ]; then
        [ -z "$first" ] && first=$rss
        [ "$rss" -gt "$peak" ] && peak=$rss
        last=$rss
    fi
    sleep "$every"
done
rc=0
wait "$pid" || rc=$?
elapsed=$(( $(date +%s) - start ))
tail -n 3 "$work/stderr"
printf 'soak: %s play frames, exit code %d, %d s, resident memory first %s kB, peak %s kB, last %s kB\n' \
    "$frames" "$rc" "$elapsed" "${first:-?}" "$peak" "$last"
if grep -q "ERROR: AddressSanitizer\|runtime error:\|LeakSanitizer" "$work/stderr"; then
    echo "soak: sanitizer report:" >&2
    grep -m 20 "ERROR\|runtime error\|SUMMARY\|#[0-9] " "$work/stderr" >&2
    exit 1
fi
exit "$rc"
