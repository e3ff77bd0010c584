#!/usr/bin/env bash
# Soak: plays the game headless on random input for a number of play frames,
# cycling through the stages (one game per stage, an equal share of the
# frames each), while sampling each game's memory from its first play frame
# on; fails if a game does not end cleanly or a sanitizer reports.
#   scripts/soak.sh [FRAMES [GAME OPTION...]]      default 100000 frames
#   e.g. scripts/soak.sh 1000000
#        PELLO_SOAK_GAME=build-asan/pelloquinade scripts/soak.sh 10000 --character 3
#   PELLO_SOAK_GAME     the game (default build/pelloquinade)
#   PELLO_SOAK_SEED     seed of the random input (default 1)
#   PELLO_SOAK_SAMPLE   seconds between memory samples (default 2)
#   PELLO_SOAK_STAGES   the stages to cycle through (default "1 2 3 4 5"; "" : as the options say)
#   PELLO_SOAK_PILOT    fly the autopilot instead of random input, through the
#                       campaign from each stage: "planner" or "human" (bosses
#                       are reached; each game ends after its one run)
# The input holds each random word for 1 to 40 reads and often presses the
# first button alone, which confirms the title, the selection and the
# continue screen, so the run keeps playing rather than waiting on a screen.
# It never sends up or down alone: on the title that would pick a quitting
# item. Prints, per game, the frames played, the time taken and the resident
# memory (at the first play frame, peak, last) in kilobytes. Under
# AddressSanitizer the freed-memory quarantine is kept small (unless
# ASAN_OPTIONS sets it), so the peak shows the game's memory, not the
# quarantine filling.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
frames="${1:-100000}"
shift || true
game="${PELLO_SOAK_GAME:-$root/build/pelloquinade}"
seed="${PELLO_SOAK_SEED:-1}"
every="${PELLO_SOAK_SAMPLE:-2}"
read -r -a stages <<<"${PELLO_SOAK_STAGES-1 2 3 4 5}"
[ ${#stages[@]} -eq 0 ] && stages=("")
case "${ASAN_OPTIONS:-}" in
    *quarantine_size_mb*) ;;
    *) export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16" ;;
esac

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

# Headless play repeats exactly: a short probe with the same input counts the
# frames presented up to the first play frame (its last line on stderr says),
# and each game dumps that frame;
# its memory is sampled from the moment the dump appears.
first_play_frame() {
    "$game" --headless --mute --time-limit 0 --frames 1 "$@" 2>&1 >/dev/null |
        sed -n 's/.* \([0-9][0-9]*\) frames presented.*/\1/p' | tail -n 1
}

failed=0
share=$(( frames / ${#stages[@]} ))
for stage in "${stages[@]}"; do
    opts=("$@")
    [ -n "$stage" ] && opts+=(--stage "$stage")
    case "${PELLO_SOAK_PILOT:-}" in
        "") opts+=(--input "$script") ;;
        planner) opts+=(--campaign --autopilot) ;;
        *) opts+=(--campaign --autopilot "$PELLO_SOAK_PILOT" --pilot-seed "$seed") ;;
    esac
    mark=$(first_play_frame "${opts[@]}")
    rm -rf "$work/probe" && mkdir -p "$work/probe"
    [ -n "$mark" ] || mark=1
    start=$(date +%s)
    "$game" --headless --mute --time-limit 0 --frames "$share" \
        --dump-frames "$mark" --dump-dir "$work/probe" "${opts[@]}" >/dev/null 2>"$work/stderr" &
    pid=$!
    first="" peak=0 last=0
    while kill -0 "$pid" 2>/dev/null; do
        rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
        if [ -n "$rss" ] && [ -n "$(ls "$work/probe")" ]; then
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
    printf 'soak: stage %s: %s play frames, exit code %d, %d s, resident memory from the first play frame %s kB, peak %s kB, last %s kB\n' \
        "${stage:-as given}" "$share" "$rc" "$elapsed" "${first:-?}" "$peak" "$last"
    if grep -q "ERROR: AddressSanitizer\|runtime error:\|LeakSanitizer" "$work/stderr"; then
        echo "soak: sanitizer report:" >&2
        grep -m 20 "ERROR\|runtime error\|SUMMARY\|#[0-9] " "$work/stderr" >&2
        failed=1
    fi
    [ "$rc" -eq 0 ] || failed=1
done
exit "$failed"
