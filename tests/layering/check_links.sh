#!/usr/bin/env bash
# Checks that no folder library calls into a higher one: each static library given, lowest
# first, may use the symbols of the libraries before it, never one defined only by a
# library after it. A static library links whatever the final program brings, so such a
# call may link by chance; this finds it. Prints every offending symbol and fails when
# there is one.
#
#   tests/layering/check_links.sh LIBRARY.a...
set -euo pipefail

for library in "$@"; do
    if [ ! -f "$library" ]; then
        echo "links: no library $library" >&2
        exit 2
    fi
done

faults=$(
    rank=0
    for library in "$@"; do
        name=$(basename "$library" .a)
        name=${name#lib}
        # Strong definitions only: inline functions and templates (weak) are made wherever
        # they are used.
        nm -g -P --defined-only "$library" | awk -v rank="$rank" -v name="$name" \
            '$2 ~ /^[TDBRGS]$/ { print "D", rank, name, $1 }'
        nm -g -P --undefined-only "$library" | awk -v rank="$rank" -v name="$name" \
            'NF >= 2 && $1 !~ /:$/ { print "U", rank, name, $1 }'
        rank=$((rank + 1))
    done | awk '
        $1 == "D" { if (!($4 in rank)) { rank[$4] = $2; owner[$4] = $3 } next }
        { users[++n] = $0 }
        END {
            for (i = 1; i <= n; ++i) {
                split(users[i], f, " ")
                if ((f[4] in rank) && rank[f[4]] > f[2])
                    print f[3] " uses " f[4] " of " owner[f[4]]
            }
        }' | sort -u
)

if [ -n "$faults" ]; then
    c++filt <<<"$faults" | sed 's/^/links: /'
    echo "links: $(wc -l <<<"$faults") call(s) into a higher folder; see docs/DESIGN.md"
    exit 1
fi
echo "links: no library calls into a higher one"
