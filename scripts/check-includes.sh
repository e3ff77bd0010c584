#!/usr/bin/env bash
# Only the platform layer may include SDL or FluidSynth headers.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bad="$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL2?/|SDL[_a-z0-9]*\.h|fluidsynth)' \
        --include='*.cpp' --include='*.h' --include='*.hpp' --include='*.cc' \
        src tests bench tools 2>/dev/null | grep -v '^src/platform/' || true)"
if [ -n "$bad" ]; then
    echo "check-includes: SDL or FluidSynth headers outside src/platform/:" >&2
    echo "$bad" >&2
    exit 1
fi
echo "check-includes: only src/platform/ includes SDL or FluidSynth headers"
