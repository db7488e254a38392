#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer into build-fuzz/ and runs each for the
# given number of seconds (default 20) on a scratch copy of its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTRACKLORE_FUZZ=ON -DTRACKLORE_BUILD_GUI=OFF \
    -DTRACKLORE_BUILD_TESTS=ON -DTRACKLORE_BUILD_BENCHMARKS=OFF >/dev/null
targets=$(sed -n 's/^tracklore_add_fuzz_target(\([a-z0-9_]*\) .*/\1/p' tests/fuzz/CMakeLists.txt)
# shellcheck disable=SC2086
cmake --build build-fuzz -j2 --target $targets
for target in $targets; do
    corpus=$(mktemp -d)
    cp -r "tests/fuzz/corpus/$target/." "$corpus/" 2>/dev/null || true
    echo "fuzzing $target for ${seconds}s"
    build-fuzz/bin/"$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" \
        2>build-fuzz/"$target".log || { tail -n 60 build-fuzz/"$target".log; exit 1; }
    grep -E 'stat::number_of_executed_units' build-fuzz/"$target".log || true
    rm -rf "$corpus"
done
echo "fuzz: $(echo $targets | wc -w) passed, 0 failed"
