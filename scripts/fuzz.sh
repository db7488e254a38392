#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer into build-fuzz/ and runs them, one after
# the other, each for the given number of seconds on a scratch copy of its seed corpus, with
# inputs of up to 1 MiB.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS defaults to 20; without targets every target runs. `scripts/fuzz.sh --list` names
# the targets. Each run gets a scratch folder of its own as TMPDIR (the targets' files on disk
# go there), removed afterwards however the run ended.
set -euo pipefail
cd "$(dirname "$0")/.."
# The build folder is configured first: the targets are the fuzz smoke tests it registers
# (CTest label "fuzz-smoke"), each named after its target.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTRACKLORE_FUZZ=ON -DTRACKLORE_BUILD_GUI=OFF \
    -DTRACKLORE_BUILD_TESTS=ON -DTRACKLORE_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
all=$(ctest --test-dir build-fuzz -N -L fuzz-smoke | sed -n 's/^ *Test *#[0-9]*: \(.*\)_smoke$/\1/p')
names=$(tr '\n' ' ' <<<"$all")
if [ "${1:-}" = "--list" ]; then
    echo "$all"
    exit 0
fi
seconds=${1:-20}
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
    echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (targets: $names)" >&2
    exit 2
fi
shift $(($# > 0 ? 1 : 0))
targets=${*:-$all}
for target in $targets; do
    if ! grep -qx "$target" <<<"$all"; then
        echo "fuzz: no target $target (targets: $names)" >&2
        exit 2
    fi
done
max_len=$((1024 * 1024))

# shellcheck disable=SC2086
cmake --build build-fuzz -j2 --target $targets

scratch=""
trap 'rm -rf "$scratch"' EXIT
for target in $targets; do
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/tracklore_fuzz_run.XXXXXX")
    mkdir "$scratch/corpus" "$scratch/tmp"
    cp -r "tests/fuzz/corpus/$target/." "$scratch/corpus/" 2>/dev/null || true
    echo "fuzzing $target for ${seconds}s"
    # -timeout: one input running a minute is a fault (such as work growing with the square of
    # the input), not a slow machine.
    TMPDIR="$scratch/tmp" build-fuzz/bin/"$target" -max_total_time="$seconds" \
        -max_len="$max_len" -timeout=60 -print_final_stats=1 "$scratch/corpus" \
        2>build-fuzz/"$target".log || { tail -n 60 build-fuzz/"$target".log; exit 1; }
    grep -E 'stat::number_of_executed_units' build-fuzz/"$target".log || true
    rm -rf "$scratch"
done
echo "fuzz: $(wc -w <<<"$targets") passed, 0 failed"
