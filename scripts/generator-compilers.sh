#!/usr/bin/env bash
# Builds the data generator with clang as well and checks that it writes the
# same bytes as the data folder the default compiler's generator wrote: the
# data must not depend on which compiler built the tool (an order the language
# leaves open, such as that of a call's arguments, shows up here).
#   scripts/generator-compilers.sh [DATA_DIR]   (default: build/data)
#   PELLO_CLANG_GEN_BUILD_DIR   build folder for the clang generator (default build-clang-gen/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
data="${1:-$root/build/data}"
build="${PELLO_CLANG_GEN_BUILD_DIR:-$root/build-clang-gen}"
if [ ! -d "$data" ]; then
    echo "generator-compilers.sh: no data folder $data (build first)" >&2
    exit 2
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DPELLO_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j"${PELLO_GEN_JOBS:-$(nproc)}" --target assetgen
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
"$build/tools/assetgen/assetgen" "$out" --quiet
if diff -rq --exclude=.stamp "$data" "$out"; then
    echo "generator-compilers.sh: clang's generator wrote the same $(find "$out" -type f | wc -l) files byte for byte"
else
    echo "generator-compilers.sh: the generator writes different data when built with clang (files above)" >&2
    exit 1
fi
