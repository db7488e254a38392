#!/usr/bin/env bash
# tracklore-cli convert, list and merge: CSV and catalogue files through the command line, the
# three list formats, and the exact messages and exit codes of failures.
# Usage: catalogue_test.sh CLI SCRATCHDIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"

bjork=$'Bj\xc3\xb6rk'
joga=$'J\xc3\xb3ga'
csv_rows \
    "7;MUSIC01;/Albums/x.mp3;4294967295;$bjork;$joga;Homogenic;1997;first;Rock;300;256;48000" \
    '1;;;3000000;Abba;;;;;Blues;185;128;44100' \
    '3;CD;/b.mp3;0;Zappa;Q;;;;;0;0;0' >in.csv

# CSV -> catalogue -> CSV gives the same bytes; the catalogue file is sorted by ID.
"$cli" convert in.csv music.tracklore || fail "convert to catalogue exited $?"
[ "$(head -c 20 music.tracklore)" = "Corvane Tracklore   " ] || fail "no catalogue header"
"$cli" convert music.tracklore out.csv || fail "convert to CSV exited $?"
csv_rows \
    '1;;;3000000;Abba;;;;;Blues;185;128;44100' \
    '3;CD;/b.mp3;0;Zappa;Q;;;;;0;0;0' \
    "7;MUSIC01;/Albums/x.mp3;4294967295;$bjork;$joga;Homogenic;1997;first;Rock;300;256;48000" \
    >sorted.csv
cmp -s out.csv sorted.csv || fail "CSV after a round trip through a catalogue differs"

# list --format csv is the export layout; the CSV source keeps its own slot order.
"$cli" list in.csv --format csv >listed.csv || fail "list csv exited $?"
cmp -s listed.csv in.csv || fail "list --format csv differs from the file it read"

# JSON: the 14 fields, texts as strings, numbers as numbers.
"$cli" list music.tracklore --format json >list.json || fail "list json exited $?"
python3 - list.json <<'PY' || fail "JSON output is wrong"
import json, sys
records = json.load(open(sys.argv[1], encoding="utf-8"))
assert [r["ID"] for r in records] == [1, 3, 7], records
keys = ["ID", "Volume", "Filename", "Artist", "Title", "Album", "Comment", "Year",
        "PlayLength", "Genre", "SampleRate", "BitRate", "FileSize", "FileDate"]
assert all(list(r) == keys for r in records)
last = records[2]
assert last["Artist"] == "Bj\u00f6rk" and last["FileSize"] == 4294967295, last
assert last["Genre"] == 17 and last["PlayLength"] == 300 and last["FileDate"] == 0, last
assert records[1]["Genre"] == 254, records[1]
PY

# The table shows the derived texts; --sort orders by a field name in any case.
"$cli" list music.tracklore --sort artist >table.txt || fail "list table exited $?"
sed -n 1p table.txt | grep -q '^ID  *Volume  *Artist  *Title' || fail "table heading"
sed -n 3p table.txt | grep -q 'Abba.*Blues.*3:05  *128kbit/s at 44100  *2.86 M$' ||
    fail "table row: $(sed -n 3p table.txt)"
sed -n 5p table.txt | grep -q 'Zappa.*<0:01  *0.00 M$' || fail "table row: $(sed -n 5p table.txt)"

# Merge gives every merged record a new identifier above the catalogue's highest.
cp music.tracklore before.tracklore
"$cli" merge music.tracklore in.csv || fail "merge exited $?"
"$cli" list music.tracklore --format csv | cut -d';' -f1,5 | tr -d '\r' | tail -n +3 \
    >ids.txt
printf '1;Abba\n3;Zappa\n7;Bj\xc3\xb6rk\n8;Bj\xc3\xb6rk\n9;Abba\n10;Zappa\n' >expected.txt
cmp -s ids.txt expected.txt || fail "merged identifiers: $(tr '\n' ' ' <ids.txt)"

# Failures: exact messages, status 1, and a failed merge leaves the catalogue as it was.
cp before.tracklore music.tracklore
expect_error 1 'Error opening "missing.tracklore" - No such file or directory' \
    list missing.tracklore
head -c 64 /dev/zero >bad.tracklore
expect_error 1 'Invalid database, error in header.' list bad.tracklore
expect_error 1 'Invalid database, error in header.' merge music.tracklore bad.tracklore
cmp -s music.tracklore before.tracklore || fail "a failed merge changed the catalogue"
printf '\r\n%s\r\nx;;;0;;;;;;;0;0;0\r\n' "$header" >badnumber.csv
expect_error 1 "'x' is not a valid integer value" convert badnumber.csv never.tracklore
[ ! -e never.tracklore ] || fail "a failed convert wrote its output"
expect_error 2 'Usage: tracklore-cli convert IN OUT' convert in.csv
expect_error 2 'Unknown field "Colour" for --sort' list music.tracklore --sort Colour

"$cli" --help | grep -q '^  merge CAT IN\.\.\.$' || fail "--help lacks merge"
"$cli" --version | grep -qx 'tracklore-cli [0-9]*\.[0-9]*\.[0-9]*' || fail "--version: $("$cli" --version)"

[ "$failures" -eq 0 ] && echo "cli catalogue: all passed"
exit "$failures"
