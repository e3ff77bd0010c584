#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer), seeds each from the generated data and runs
# each for the given time. Fails when a target finds a crash, a leak, a stall
# or undefined behaviour; the input that did it is kept in BUILD/fuzz-crashes/.
#   scripts/fuzz.sh [SECONDS [TARGET...]]     default: 30 seconds, every target
#   PELLO_FUZZ_BUILD_DIR   build folder (default build-fuzz/)
#   PELLO_FUZZ_JOBS        build jobs (default: the processor count)
#   PELLO_FUZZ_DATA        a generated data folder to seed from (default: the
#                          fuzz build generates its own)
# Targets: fuzz_bitmap fuzz_indexed_bitmap fuzz_wave fuzz_stage fuzz_input_script
# fuzz_replay fuzz_settings, and any other tests/fuzz/fuzz_*.cpp. What each run finds new is kept in
# BUILD/fuzz-corpus/TARGET and fed to the next run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELLO_FUZZ_BUILD_DIR:-$root/build-fuzz}"
# Absolute, since each target runs from inside the build folder.
mkdir -p "$build"
build="$(cd "$build" && pwd)"
seconds="${1:-30}"
shift || true

"$root/scripts/setup.sh" --fuzz-tools
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLO_FUZZ=ON >/dev/null
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for src in "$root"/tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
data="${PELLO_FUZZ_DATA:-$build/data}"
export PELLO_FUZZ_DATA="$data"
build_targets=("${targets[@]}")
[ "$data" = "$build/data" ] && build_targets+=(gamedata)
cmake --build "$build" -j"${PELLO_FUZZ_JOBS:-$(nproc)}" --target "${build_targets[@]}"

# Seeds, made afresh from the generated data on every run.
seeds="$build/fuzz-seeds"
rm -rf "$seeds"
mkdir -p "$seeds"/{fuzz_bitmap,fuzz_indexed_bitmap,fuzz_wave,fuzz_stage,fuzz_input_script,fuzz_replay}
for f in "$data"/*.bmp; do
    # 8-bit sheets go to the sheet reader, the rest (all under 300 KB) to the decoder.
    if [ "$(od -An -tu2 -j28 -N2 "$f" | tr -d ' ')" = 8 ]; then
        cp "$f" "$seeds/fuzz_indexed_bitmap/"
    elif [ "$(stat -c %s "$f")" -lt 300000 ]; then
        cp "$f" "$seeds/fuzz_bitmap/"
    fi
done
cp "$data"/se/se-1.wav "$data"/se/cs-1.wav "$seeds/fuzz_wave/"
cp "$(ls "$data"/wav/*.wav | head -n 1)" "$seeds/fuzz_wave/"
# Stage inputs: a header (stage - 1, where on the timeline play starts in
# 256ths, pilot, character) before each stage file, from its start, middle
# and boss.
for s in 1 2 3 4 5; do
    [ -f "$data/men$s.dat" ] || continue
    for at in 0 128 250; do
        header="$(printf '\\x%02x' $((s - 1)) "$at" $((at % 7)) $((s + at % 3)))"
        # shellcheck disable=SC2059  # the header is escapes for printf to turn into bytes
        { printf "$header"; cat "$data/men$s.dat"; } >"$seeds/fuzz_stage/men${s}_$at"
    done
done
cp "$root"/scripts/*.txt "$seeds/fuzz_input_script/"
cp "$root"/tests/replays/*.pqr "$seeds/fuzz_replay/" 2>/dev/null || true
# Any further target seeds itself from tests/fuzz/seeds/TARGET when that exists.
for t in "${targets[@]}"; do
    mkdir -p "$seeds/$t"
    [ -d "$root/tests/fuzz/seeds/$t" ] && cp -r "$root/tests/fuzz/seeds/$t/." "$seeds/$t/"
done

failed=()
for t in "${targets[@]}"; do
    corpus="$build/fuzz-corpus/$t"
    crashes="$build/fuzz-crashes"
    mkdir -p "$corpus" "$crashes"
    echo "=== $t for ${seconds}s"
    log="$build/fuzz-$t.log"
    # -timeout: one input taking 30 s counts as a stall (a stage input plays 600 whole frames,
    # a replay input up to 3000 reads, seconds under the sanitizers); -rss_limit_mb: as a runaway
    # allocation.
    if (cd "$build" && ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=0" \
            UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
            "$build/tests/fuzz/$t" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=1024 \
            -print_final_stats=1 -artifact_prefix="$crashes/$t-" "$corpus" "$seeds/$t" >"$log" 2>&1); then
        grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|cov: .* ft:" "$log" | tail -n 3
    else
        echo "$t FAILED (log: $log)"
        grep -E "ERROR|SUMMARY|runtime error" "$log" | head -n 5 || true
        failed+=("$t")
    fi
done
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz.sh: findings in ${failed[*]}; inputs in $build/fuzz-crashes/" >&2
    exit 1
fi
