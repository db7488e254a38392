#!/usr/bin/env bash
# Checks which folders include which (the order is written down in docs/DESIGN.md): a file
# may include headers of its own folder, of lower folders and the foundation headers; only
# `*_qt` files and app/ may include Qt. Prints every offending line and fails when there is one.
#
#   tests/layering/check_includes.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}"

# Lowest first. A folder may include the folders before it (and its own), never those after.
# engine/ and plugin/ are the player plug-in, a program of their own: below everything, so
# they can include nothing of the catalogue.
order=(engine plugin platform streams core media search playback ui cli app)

# Headers that include only the standard library and that every folder may include.
foundation=" core/format.h core/messages.h core/text_encoding.h core/text_scan.h streams/stream_errors.h "

# Qt helpers of ui/ that the Qt dialogs of lower folders share.
shared_qt=" ui/dialog_util_qt.h ui/small_dialogs_qt.h ui/window_sizes_qt.h "

# Known exceptions "file -> included header", each to go when its file is mended. None now;
# an entry is a debt, written down with the reason.
known=()

rank() {
    local i
    for i in "${!order[@]}"; do
        if [ "${order[$i]}" = "$1" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

is_known() {
    local entry
    for entry in "${known[@]}"; do
        [ "$entry" = "$1" ] && return 0
    done
    return 1
}

faults=0
fault() {
    if is_known "$1"; then return; fi
    echo "layering: $1 ($2)"
    faults=$((faults + 1))
}

for folder in "${order[@]}"; do
    own=$(rank "$folder")
    while IFS= read -r file; do
        qt_file=0
        [[ $file == *_qt.* ]] && qt_file=1
        while IFS= read -r header; do
            if [[ $header == \<Q* ]]; then
                if [ $qt_file -eq 0 ] && [ "$folder" != app ]; then
                    fault "$file -> Qt" "Qt outside a _qt file"
                fi
                continue
            fi
            [[ $header == \"*/* ]] || continue
            header=${header//\"/}
            [[ $foundation == *" $header "* ]] && continue
            target=$(rank "${header%%/*}")
            [ "$target" -lt 0 ] && continue
            if [ $qt_file -eq 1 ] && [[ $shared_qt == *" $header "* ]]; then
                continue
            fi
            if [ "$target" -gt "$own" ]; then
                fault "$file -> $header" "$folder/ is below ${header%%/*}/"
            fi
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*\).*/\1/p' "$file")
    done < <(find "$folder" -name '*.h' -o -name '*.cpp' | sort)
done

# The foundation headers themselves include the standard library only.
for header in $foundation; do
    if grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$header"; then
        echo "layering: $header includes a project header"
        faults=$((faults + 1))
    fi
done

if [ $faults -gt 0 ]; then
    echo "layering: $faults forbidden include(s); see docs/DESIGN.md"
    exit 1
fi
echo "layering: every include keeps the folder order"
