#!/usr/bin/env bash
# Sets up, builds the game (into build/, configured as scripts/test.sh
# configures it, so neither recompiles what the other built), generates the
# data and starts the whole game (its title menu: start, practice, options,
# high scores). Arguments go to the game, e.g.
# scripts/play.sh --window --scale 3
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELLO_BUILD_DIR:-$root/build}"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target pelloquinade gamedata
exec "$build/pelloquinade" --campaign "$@"
