#!/usr/bin/env bash
# tracklore-cli duplicates and volumes: the groups in each format and with each choice of
# rules; one line per volume label with its totals and online state.
# Usage: collection_test.sh CLI SCRATCHDIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"

csv_rows \
    '4;MUSIC_1;/Aqua/Barbie.mp3;3000000;Aqua;Barbie Girl;Aquarium;1997;;Pop;197;128;44100' \
    '2;MUSIC_1;/Beatles/Help.mp3;2000000;The Beatles;Help;Help!;1965;mono;Rock;139;192;44100' \
    '9;CD;/Barbie.mp3;1000000;AQUA;barbie girl ;;1999;;Rock;199;128;48000' \
    '3;CD;/help.mp3;2000000;Nobody;Beep;;;;Blues;139;32;22050' \
    '7;CD;/late.mp3;1000000;Aqua;Barbie Girl;;;;Pop;202;128;44100' >music.csv

# expect_groups EXPECTED ARGS...: duplicates prints, as CSV, "group:id" pairs EXPECTED.
expect_groups() {
    local expected=$1
    shift
    "$cli" duplicates music.csv "$@" --format csv >out.csv 2>err.txt ||
        fail "duplicates $* exited $?: $(cat err.txt)"
    local got
    got=$(tail -n +3 out.csv | cut -d';' -f1,2 | tr -d '\r' | tr ';' ':' | tr '\n' ' ' | sed 's/ $//')
    [ "$got" = "$expected" ] || fail "duplicates $* gave '$got', expected '$expected'"
}

expect_groups '1:4 1:9 2:2 2:3'
expect_groups '1:4 1:9' --rules tags
expect_groups '1:2 1:3' --rules size
expect_groups '1:4 1:9 2:2 2:3' --rules size,tags
sed -n 2p out.csv | tr -d '\r' | grep -qx "Group;$header" || fail "csv header: $(sed -n 2p out.csv)"

"$cli" duplicates music.csv >out.txt || fail "duplicates table exited $?"
head -n 1 out.txt | grep -q '^Group  ID  Volume' || fail "table header: $(head -n 1 out.txt)"
[ "$(wc -l <out.txt)" -eq 6 ] || fail "table has $(wc -l <out.txt) lines, expected 6"
"$cli" duplicates music.csv --format json --rules tags >out.json || fail "json exited $?"
python3 -c '
import json, sys
rows = json.load(open(sys.argv[1]))
assert [(r["Group"], r["ID"]) for r in rows] == [(1, 4), (1, 9)], rows
' out.json || fail "duplicates --format json"

expect_error 2 'Usage: tracklore-cli duplicates CAT [--rules tags,size] [--format table|csv|json]' \
    duplicates music.csv --rules title
expect_error 2 'Usage: tracklore-cli duplicates CAT [--rules tags,size] [--format table|csv|json]' \
    duplicates
expect_error 1 'Error opening "missing.tracklore" - No such file or directory' \
    duplicates missing.tracklore
"$cli" --help | grep -q '^  duplicates CAT' || fail "--help lacks duplicates"

# volumes: CD is in a drive of the table, MUSIC_1 in none; a drive without a medium (its
# folder missing) carries nothing, not even the records without a label.
mkdir -p cdrom
export TRACKLORE_DRIVES="c=/;d=$PWD/cdrom|CD;e=$PWD/gone|MUSIC_1"
"$cli" volumes music.csv --format csv >out.csv || fail "volumes csv exited $?"
expected="Volume;Records;Size;PlayTime;NewestFile;Online;Drive;MountPoint
CD;3;4000000;540;;yes;d;$PWD/cdrom
MUSIC_1;2;5000000;336;;no;;"
[ "$(tr -d '\r' <out.csv)" = "$expected" ] || fail "volumes csv: $(cat out.csv)"
"$cli" volumes music.csv >out.txt || fail "volumes table exited $?"
grep -q "^CD       3        3.8 MB  0h 9m 0s   *yes     d: $PWD/cdrom\$" out.txt ||
    fail "volumes table: $(cat out.txt)"
"$cli" volumes music.csv --format json >out.json || fail "volumes json exited $?"
python3 -c '
import json, sys
rows = json.load(open(sys.argv[1]))
assert [(r["Volume"], r["Records"], r["Online"], r["Drive"]) for r in rows] == \
    [("CD", 3, True, "d"), ("MUSIC_1", 2, False, None)], rows
' out.json || fail "volumes --format json"
unset TRACKLORE_DRIVES
expect_error 2 'Usage: tracklore-cli volumes CAT [--format table|csv|json]' volumes music.csv --format xml
"$cli" --help | grep -q '^  volumes CAT' || fail "--help lacks volumes"

[ "$failures" -eq 0 ] && echo "cli collection: all passed"
exit "$failures"
