#!/usr/bin/env bash
# Sets up, builds everything (into build/) and runs every test.
#   PELLO_BUILD_DIR    build folder (default build/)
#   PELLO_CMAKE_ARGS   extra configure arguments, e.g. -DPELLO_SANITIZE=ON
#   PELLO_TEST_FILTER  a ctest -R pattern to run only some tests
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELLO_BUILD_DIR:-$root/build}"
jobs="$(nproc)"

"$root/scripts/setup.sh"
# shellcheck disable=SC2086  # the extra arguments are meant to split
cmake -S "$root" -B "$build" ${PELLO_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$jobs"
ctest --test-dir "$build" --output-on-failure -j"$jobs" ${PELLO_TEST_FILTER:+-R "$PELLO_TEST_FILTER"}
