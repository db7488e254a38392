#!/usr/bin/env bash
# tracklore-cli --capacity and TRACKLORE_CAPACITY: more records than the default capacity
# are refused with the way to raise it, and load once the capacity is raised.
# Usage: capacity_test.sh CLI SCRATCHDIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
unset TRACKLORE_CAPACITY

{
    echo "$header"
    awk 'BEGIN { for (i = 1; i <= 32770; i++) printf "%d;CD;/%d.mp3;1024;A;T;;;;Pop;1;128;44100\n", i, i }'
} >big.csv

full=$'Too Many Elements!\nTo hold more records, raise "Catalogue capacity" under Options, Scanning (tracklore-cli: --capacity N or TRACKLORE_CAPACITY), up to 1,048,576.'
expect_error 1 "$full" stats big.csv

out=$("$cli" --capacity 40000 stats big.csv | head -1) || fail "stats with --capacity exited $?"
[ "$out" = "Files in database: 32770" ] || fail "stats with --capacity printed: $out"
out=$(TRACKLORE_CAPACITY=40000 "$cli" stats big.csv | head -1) || fail "stats with the variable exited $?"
[ "$out" = "Files in database: 32770" ] || fail "stats with the variable printed: $out"

# Every command that opens a catalogue takes the capacity.
mkdir -p empty
for command in "duplicates big.csv" "volumes big.csv" "update big.csv empty"; do
    # shellcheck disable=SC2086
    "$cli" --capacity 40000 $command >/dev/null 2>err.txt || fail "$command with --capacity: $(cat err.txt)"
done

# The catalogue file keeps all of them; a merge into it stops at the capacity.
"$cli" --capacity 40000 convert big.csv big.tracklore || fail "convert exited $?"
expect_error 1 "$full" stats big.tracklore
TRACKLORE_CAPACITY=40000 expect_error 1 "$full" merge big.tracklore big.csv
out=$("$cli" --capacity 65540 merge big.tracklore big.csv && "$cli" --capacity 65540 stats big.tracklore | head -1)
[ "$out" = "Files in database: 65540" ] || fail "merge with --capacity gave: $out"

# Capacities outside 32769 to 1048576, and a missing number, are wrong command lines.
for value in 32768 1048577 12x ''; do
    expect_error 2 "Invalid capacity \"$value\" in --capacity: give 32769 to 1048576" \
        --capacity "$value" stats big.csv
done
TRACKLORE_CAPACITY=abc expect_error 2 \
    'Invalid capacity "abc" in TRACKLORE_CAPACITY: give 32769 to 1048576' stats big.csv
expect_error 2 '--capacity needs a number' --capacity

[ "$failures" -eq 0 ] && echo "cli capacity: all passed"
exit "$failures"
