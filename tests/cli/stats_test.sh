#!/usr/bin/env bash
# tracklore-cli stats: the three totals of File Info for catalogue and CSV files, the exact
# texts, and the exit codes of failures.
# Usage: stats_test.sh CLI SCRATCHDIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"

csv_rows \
    '1;CD;/a.mp3;1048576;Abba;A;;;;Pop;3599;128;44100' \
    '2;CD;/b.mp3;4194303;Abba;B;;;;Pop;2;128;44100' \
    '5;CD;/c.mp3;1023;Zappa;C;;;;Rock;0;0;0' >music.csv

# CSV and catalogue file give the same totals; 1023 bytes count as 0KB.
expected=$'Files in database: 3\nTotal playtime: 1h 0m 1s\nTotal storage size used on files: 5119KB  =  4MB'
out=$("$cli" stats music.csv) || fail "stats of CSV exited $?"
[ "$out" = "$expected" ] || fail "stats of CSV printed: $out"
"$cli" convert music.csv music.tracklore || fail "convert exited $?"
out=$("$cli" stats music.tracklore) || fail "stats of catalogue exited $?"
[ "$out" = "$expected" ] || fail "stats of catalogue printed: $out"

# An empty catalogue.
printf '\r\n%s\r\n' "$header" >empty.csv
out=$("$cli" stats empty.csv) || fail "stats of an empty file exited $?"
[ "$out" = $'Files in database: 0\nTotal playtime: 0h 0m 0s\nTotal storage size used on files: 0KB  =  0MB' ] ||
    fail "stats of an empty file printed: $out"

# Failures: a missing file and a wrong command line.
expect_error 1 'Error opening "missing.tracklore" - No such file or directory' \
    stats missing.tracklore
"$cli" stats >out.txt 2>err.txt
status=$?
[ "$status" -eq 2 ] || fail "stats without a file exited $status"
grep -q '^Usage: tracklore-cli stats CAT$' err.txt || fail "stats without a file said: $(cat err.txt)"

# Output that cannot be written is an error.
if [ -w /dev/full ]; then
    "$cli" stats music.csv >/dev/full 2>err.txt
    status=$?
    [ "$status" -eq 1 ] || fail "stats to /dev/full exited $status"
    [ "$(cat err.txt)" = 'Error writing to standard output' ] ||
        fail "stats to /dev/full said: $(cat err.txt)"
fi

"$cli" --help | grep -q '^  stats CAT' || fail "--help lacks stats"

[ "$failures" -eq 0 ] && echo "cli stats: all passed"
exit "$failures"
