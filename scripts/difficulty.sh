#!/usr/bin/env bash
# Difficulty, measured: flies stages 1-5 headless with the human-like pilot
# (SEEDS seeds for each of three characters) and with the planning pilot
# (once per character), and prints a table per stage: clear rate, lives lost
# (median and worst), frames until the boss came, how long its fight took,
# and where the human-like pilot lost its lives (1000-frame ranges) and to
# what (bullet, enemy, wall). A report, not a test.
#   scripts/difficulty.sh [SEEDS [BUILD_DIR]]      default: 20 seeds, build
#   PELLO_DIFF_STAGES   stages (default "1 2 3 4 5")
#   PELLO_DIFF_HUMAN    the human-like pilot's characters (default "0 4 8")
#   PELLO_DIFF_PLANNER  the planning pilot's characters (default "0 1 2 3 4 5 6 7 8 9")
#   PELLO_DIFF_JOBS     runs at a time (default 2)
#   PELLO_DIFF_ARGS     more game options for every run, e.g. "--power 2,3"
#                       to start each stage with shot level 2 and 3 options
# Each run is one stage alone (--stage N) from the run's start: 5 lives, shot
# level 0, no options; a game over ends it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seeds="${1:-20}"
build="${2:-$root/build}"
game="$build/pelloquinade"
[ -x "$game" ] || { echo "no game at $game: build first" >&2; exit 1; }
command -v python3 >/dev/null || { echo "difficulty.sh needs python3 for its table" >&2; exit 1; }
stages="${PELLO_DIFF_STAGES:-1 2 3 4 5}"
human="${PELLO_DIFF_HUMAN:-0 4 8}"
planner="${PELLO_DIFF_PLANNER:-0 1 2 3 4 5 6 7 8 9}"
jobs="${PELLO_DIFF_JOBS:-2}"
export PELLO_DIFF_ARGS="${PELLO_DIFF_ARGS:-}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for s in $stages; do
    for c in $planner; do echo "planner $s $c 0"; done
    for c in $human; do
        for ((seed = 1; seed <= seeds; seed++)); do echo "human $s $c $seed"; done
    done
done >"$work/runs"
echo "$(wc -l <"$work/runs") runs, $jobs at a time" >&2

export game build work
fly() {  # KIND STAGE CHARACTER SEED
    local extra=()
    [ "$1" = human ] && extra=(human --pilot-seed "$4")
    # shellcheck disable=SC2086  # the extra options split into words
    "$game" --headless --data "$build/data" --stage "$2" --character "$3" $PELLO_DIFF_ARGS --autopilot "${extra[@]}" 2>/dev/null |
        sed -n "s/^pilot: /$1 $4 /p" >"$work/$1_$2_$3_$4.txt"
}
export -f fly
xargs -P "$jobs" -L 1 bash -c 'fly "$@"' _ <"$work/runs"

python3 - "$work" <<'PY'
import re, statistics, sys, collections
pat = re.compile(r"(\w+) (\d+) stage (\d+) character (\d+) (cleared|game over|left) after (\d+) frames, lives lost (\d+), "
                 r"barrier hits (\d+), boss at (-?\d+), boss fight (-?\d+), losses:(.*)")
runs = collections.defaultdict(list)
import glob
lines = [l for f in sorted(glob.glob(sys.argv[1] + '/*.txt')) for l in open(f)]
for line in lines:
    m = pat.match(line.strip())
    if not m: continue
    kind, seed, stage, ch, end, frames, lost, bar, boss, fight, losses = m.groups()
    ls = [] if losses.strip() == "none" else [(int(a), b) for a, b in (x.split(":") for x in losses.split())]
    runs[int(stage)].append(dict(kind=kind, ch=int(ch), cleared=end == "cleared", frames=int(frames), lost=int(lost),
                                 boss=int(boss), fight=int(fight), losses=ls))
def med(v): return "-" if not v else str(int(statistics.median(v)))
for stage in sorted(runs):
    print(f"\nStage {stage}")
    print(f"  {'pilot':8} {'char':>5} {'runs':>5} {'clear':>6} {'lost med':>9} {'worst':>6} {'to boss':>8} {'boss fight':>11}")
    groups = collections.OrderedDict()
    for r in sorted(runs[stage], key=lambda r: (r["kind"] != "human", r["ch"])):
        groups.setdefault((r["kind"], r["ch"]), []).append(r)
    hum = [r for r in runs[stage] if r["kind"] == "human"]
    if hum: groups[("human", "all")] = hum
    for (kind, ch), rs in groups.items():
        clear = 100 * sum(r["cleared"] for r in rs) // len(rs)
        print(f"  {kind:8} {ch!s:>5} {len(rs):>5} {clear:>5}% {med([r['lost'] for r in rs]):>9} "
              f"{max(r['lost'] for r in rs):>6} {med([r['boss'] for r in rs if r['boss'] >= 0]):>8} "
              f"{med([r['fight'] for r in rs if r['cleared']]):>11}")
    where = collections.defaultdict(collections.Counter)
    for r in hum:
        for f, cause in r["losses"]: where[f // 1000][cause] += 1
    if where:
        print("  human-like pilot, lives lost by frame range:")
        for k in sorted(where):
            c = where[k]
            print(f"    {k*1000:>5}-{k*1000+999:<5} {sum(c.values()):>4}  " + ", ".join(f"{n} {w}" for w, n in c.most_common()))
PY
