#!/usr/bin/env bash
# Builds the tests with ThreadSanitizer and runs the sound tests against a real
# SDL audio device thread (the dummy driver), so races between the game thread,
# the stream workers and the mixing callback are reported.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TSAN_BUILD_DIR:-build-tsan}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DPELLO_TSAN=ON -DPELLO_BENCH=OFF >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target pello_tests
# Some kernels randomise mappings more than TSan's shadow layout allows; run
# without address randomisation where setarch can do that.
run=()
if setarch "$(uname -m)" -R true 2>/dev/null; then run=(setarch "$(uname -m)" -R); fi
# FluidSynth loads soundfonts with OpenMP, whose runtime TSan cannot see into.
OMP_NUM_THREADS=1 SDL_AUDIODRIVER=dummy TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}" \
    "${run[@]}" "$build/tests/pello_tests" --gtest_filter='Sound*'
