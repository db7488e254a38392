#!/usr/bin/env bash
# Installs what is missing, builds, and starts the Tracklore desktop application.
# Arguments go to the program: the first one names a catalogue file to open.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/bin/tracklore "$@"
