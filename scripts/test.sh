#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: the unit and end-to-end
# tests under CTest, then a short run of every fuzz target under libFuzzer. Arguments go to
# CMake's configure step (as for scripts/build.sh), e.g. -DTRACKLORE_WERROR=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh "$@"
ctest --test-dir build --output-on-failure -j2
# Tests of what a user may not do (write a read-only file, list a locked folder) are skipped
# for the superuser; when we are root, run the unit test programs (CTest label "unit") once
# more as an ordinary user. The programs use their absolute paths, so nobody must be able to
# reach the build folder from /: a clone inside a private folder cannot be tested so.
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
    build=$(pwd -P)/build
    # shellcheck disable=SC2016  # $1 is expanded by the inner shell
    if ! runuser -u nobody -- sh -c 'cd "$1" && test -x bin/core_tests' sh "$build" 2>/dev/null; then
        echo "not running the unit tests as user nobody: nobody cannot reach $build"
    else
        # The programs behind the tests labelled "unit" (the include check is a script).
        programs=$(ctest --test-dir build -N -V -L unit |
            sed -n 's|^.*Test command: \([^ ]*\).*|\1|p' | xargs -n1 basename | sort -u)
        for program in $programs; do
            [ -x "$build/bin/$program" ] || continue
            echo "running $program as user nobody"
            runuser -u nobody -- env LANG=C.UTF-8 "$build/bin/$program" --gtest_brief=1
        done
    fi
fi
scripts/fuzz.sh "${TRACKLORE_FUZZ_SECONDS:-20}"
