#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: the unit and end-to-end
# tests under CTest, then a short run of every fuzz target under libFuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2
scripts/fuzz.sh "${TRACKLORE_FUZZ_SECONDS:-20}"
