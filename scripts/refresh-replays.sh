#!/usr/bin/env bash
# Re-makes the regression replays in tests/replays/ and the list of their
# final state hashes the suite checks (tests/replays/hashes.txt). Run it after
# a change that alters play on purpose (or the replay format), then look at
# the runs (--replay FILE --window) before committing them.
#   scripts/refresh-replays.sh [BUILD_DIR]      default: build
# The runs:
#   game_over_continue.pqr  its input script (game_over_continue.txt): two game
#                           overs, a continue between them, the second declined
#   stage1_clear.pqr        the planning pilot clears stage 1 at power 2,3
#   campaign_stage2.pqr     the planning pilot in the campaign, from stage 1
#                           cleared into stage 2, ended by a 410 s time limit
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
game="$build/pelloquinade"
data="$build/data"
dir="$root/tests/replays"
[ -x "$game" ] || { echo "no game at $game: build first" >&2; exit 1; }

record() {  # NAME OPTION...
    local name="$1"
    shift
    echo "recording $name" >&2
    "$game" --headless --data "$data" --record "$dir/$name" "$@" >/dev/null
}
record game_over_continue.pqr --time-limit 0 --input "$dir/game_over_continue.txt"
record stage1_clear.pqr --autopilot --power 2,3
record campaign_stage2.pqr --autopilot --campaign --time-limit 410

{
    echo "# Final state hashes of the regression replays (scripts/refresh-replays.sh writes this)."
    for f in game_over_continue.pqr stage1_clear.pqr campaign_stage2.pqr; do
        line="$("$game" --headless --data "$data" --replay "$dir/$f")"
        case "$line" in
            *"(as recorded)"*) ;;
            *) echo "$f does not replay as recorded: $line" >&2; exit 1 ;;
        esac
        hash="$(echo "$line" | sed -n 's/^replay final state hash \([0-9a-f]*\) .*/\1/p')"
        echo "$f $hash"
    done
} >"$dir/hashes.txt.new"
mv "$dir/hashes.txt.new" "$dir/hashes.txt"
cat "$dir/hashes.txt"
