#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: the unit and end-to-end
# tests under CTest, then a short run of every fuzz target under libFuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2
# Tests of what a user may not do (write a read-only file, list a locked folder) are skipped
# for the superuser; when we are root, run the unit tests once more as an ordinary user.
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null &&
    runuser -u nobody -- test -x build/bin/core_tests 2>/dev/null; then
    for program in core_tests media_tests platform_tests search_tests streams_tests ui_tests \
        playback_engine_tests playback_tests; do
        echo "running $program as user nobody"
        runuser -u nobody -- env LANG=C.UTF-8 build/bin/$program --gtest_brief=1
    done
fi
scripts/fuzz.sh "${TRACKLORE_FUZZ_SECONDS:-20}"
