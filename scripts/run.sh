#!/usr/bin/env bash
# Installs what is missing, builds the desktop application (only it: tests and benchmarks
# are left to scripts/build.sh) and starts it. Arguments go to the program: the first one
# names a catalogue file to open.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target tracklore
exec build/bin/tracklore "$@"
