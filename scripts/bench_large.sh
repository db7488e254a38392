#!/usr/bin/env bash
# Builds the benchmarks in Release in build-bench/ and prints the table of a catalogue at the
# largest capacity, 1,048,576 records: each operation, its wall time (and CPU time), the
# target and whether the wall time is within it. Takes a few minutes; run it on a quiet
# machine, as wall time counts. Arguments go to CMake's configure step.
#   TRACKLORE_BENCH_JSON=DIR   keeps the benchmarks' JSON output in DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build="build-bench"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# g++ 12 at -O3 reports a false -Wrestrict inside std::string: no warnings as errors here.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRACKLORE_WERROR=OFF \
    "${launcher[@]}" "$@" >/dev/null
targets=(tracklore_bench)
grep -q '^TRACKLORE_BUILD_GUI:BOOL=ON' "$build/CMakeCache.txt" && targets+=(tracklore_gui_bench)
cmake --build "$build" -j2 --target "${targets[@]}"

if [ -n "${TRACKLORE_BENCH_JSON:-}" ]; then
    out=$TRACKLORE_BENCH_JSON
    mkdir -p "$out"
else
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$build/bin/tracklore_bench" --benchmark_filter='^BM_Million' \
    --benchmark_out="$out/core.json" --benchmark_out_format=json >/dev/null
json=("$out/core.json")
if [ -x "$build/bin/tracklore_gui_bench" ]; then
    "$build/bin/tracklore_gui_bench" --benchmark_filter='Million' \
        --benchmark_out="$out/gui.json" --benchmark_out_format=json >/dev/null
    json+=("$out/gui.json")
fi

python3 - "${json[@]}" <<'EOF'
import json
import sys

results = {}
for path in sys.argv[1:]:
    with open(path) as f:
        for run in json.load(f)["benchmarks"]:
            results[run["name"].split("/")[0]] = run

SCALE = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}  # to milliseconds
# Operation, benchmark, target in milliseconds (None: megabytes from the MB counter).
ROWS = [
    ("load a catalogue file", "BM_MillionLoad", 1200),
    ("save it (compress and write)", "BM_MillionSave", 2500),
    ("SortBy artist from identifier order", "BM_MillionSortByArtist", 1000),
    ("SortBy identifier, already in order", "BM_MillionSortByIdInOrder", 50),
    ("GetByID of a random identifier", "BM_MillionGetByID", 0.001),
    ("SelectByTemplate over all records", "BM_MillionSelectByTemplate", 150),
    ("expression query over all records", "BM_MillionQuery", 150),
    ("FullRebuild of the views, Qt models attached", "BM_QtFullRebuildMillion", 1500),
    ("List: one screen of texts (40 rows)", "BM_QtListScreenDataMillion", 16),
    ("List: scroll to a place and paint", "BM_QtListScrollMillion", 16),
    ("memory of the loaded catalogue", "BM_MillionMemory", None),
]


def show_time(ms):
    if ms < 0.01:
        return f"{ms * 1e6:.0f} ns"
    if ms < 10:
        return f"{ms * 1e3:.0f} µs" if ms < 1 else f"{ms:.2f} ms"
    return f"{ms:.0f} ms"


print(f"{'operation':46} {'measured':>10} {'(CPU)':>10} {'target':>10}  within")
failed = 0
for operation, name, target in ROWS:
    run = results.get(name)
    if run is None:
        print(f"{operation:46} {'-':>10} {'':>10} {'':>10}  not run")
        failed += 1
        continue
    if target is None:
        megabytes = run["MB"]
        within = megabytes <= 450
        measured, cpu, goal = f"{megabytes:.0f} MB", "", "450 MB"
    else:
        scale = SCALE[run["time_unit"]]
        wall = run["real_time"] * scale
        within = wall <= target
        measured, cpu, goal = show_time(wall), show_time(run["cpu_time"] * scale), show_time(target)
    failed += 0 if within else 1
    print(f"{operation:46} {measured:>10} {cpu:>10} {goal:>10}  {'yes' if within else 'no'}")
sys.exit(1 if failed else 0)
EOF
