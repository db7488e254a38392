#!/usr/bin/env bash
# Builds the Debian package tracklore_VERSION_ARCH.deb in the top folder: installs what is
# missing, builds the programs, the plug-in and the files of dist/ in build/ (with the
# build type of scripts/build.sh, so a tested build is reused), and packs them with CPack.
# Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j2 --target tracklore tracklore-cli tracklore-print PL_Ondine MPEGDLL tracklore_dist_files
rm -rf build/package
cpack --config build/CPackConfig.cmake >build/cpack.log 2>&1 || { cat build/cpack.log >&2; exit 1; }
deb=$(find build/package -maxdepth 1 -name 'tracklore_*.deb' -print -quit)
[ -n "$deb" ] || { cat build/cpack.log >&2; echo "CPack made no package" >&2; exit 1; }
mv -f "$deb" .
echo "built $(basename "$deb")"
