#!/usr/bin/env bash
# tracklore-cli parse, query and search: printed expressions, the exact messages of failures
# with their exit codes, and the records each search selects in slot order.
# Usage: search_test.sh CLI SCRATCHDIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"

# expect_ids EXPECTED COMMAND...: the command succeeds and its CSV output lists exactly the
# identifiers EXPECTED (blank-separated, in order).
expect_ids() {
    local expected=$1
    shift
    "$cli" "$@" --format csv >out.csv 2>err.txt || fail "$* exited $?: $(cat err.txt)"
    local got
    got=$(tail -n +3 out.csv | cut -d';' -f1 | tr -d '\r' | tr '\n' ' ' | sed 's/ $//')
    [ "$got" = "$expected" ] || fail "$* selected '$got', expected '$expected'"
}

# expect_printed EXPR PRINTED: parse prints EXPR as PRINTED.
expect_printed() {
    local got
    got=$("$cli" parse "$1") || fail "parse $1 exited $?"
    [ "$got" = "$2" ] || fail "parse $1 printed '$got', expected '$2'"
}

csv_rows \
    '4;MUSIC_1;/Aqua/Barbie.mp3;3000000;Aqua;Barbie Girl;Aquarium;1997;;Pop;197;128;44100' \
    '2;MUSIC_1;/Beatles/Help.mp3;2000000;The Beatles;Help;Help!;1965;mono;Rock;139;192;44100' \
    '9;CD;/Heartbeat.mp3;1000000;HEARTBEAT;Rock On;;1999;;Rock;400;128;48000' \
    '3;CD;/short.mp3;5000;Nobody;Beep;;;;Blues;2;32;22050' >music.csv

# parse: the printed form, or the error's message with a failing status.
expect_printed 'time>360' 'time > 360'
expect_printed 'Volume=="MUSIC_1"' 'volume == "MUSIC_1"'
expect_printed 'artist=="x" OR title=="y" AND year=="1999"' \
    '( artist == "x" OR title == "y" ) AND year == "1999"'
expect_printed 'time>3 AND nosuch==1' 'time > 3 AND nosuch == 1'
expect_printed 'artist' 'artist'
expect_printed 'time>3.0 garbage)' 'time > 3'
expect_error 1 'Empty expression - must supply an expression' parse ''
expect_error 1 '[4] Expected identifier' parse '   '
expect_error 1 '[8] Missing ")"' parse '(time>3'
expect_error 1 '[7] Digit larger than base' parse 'time>3m'
expect_error 1 'Type error in "year >= 1992"' parse 'year>=1992'
expect_error 1 'Unkown identifier "nosuch"' parse 'nosuch==1'
expect_error 1 'Cannot perform NOT on non-boolean value' parse 'NOT artist'
expect_error 1 '[6] Number too large' parse 'time>4294967296'
expect_error 2 'Usage: tracklore-cli parse EXPR' parse
"$cli" parse 'time>3' >/dev/full 2>err.txt && fail "parse to a full disk exited 0"
[ "$(cat err.txt)" = 'Error writing to standard output' ] ||
    fail "parse to /dev/full said: $(cat err.txt)"

# query: the matching records in slot order; a bare identifier selects nothing.
expect_ids '4' query music.csv 'artist~="a" AND (time>=180 AND time<=300) AND samplerate=44100'
expect_ids '4 2 3' query music.csv 'time<3 OR samplerate==44100'
expect_ids '2 9' query music.csv 'genre=="Rock"'
expect_ids '' query music.csv 'genre=="rock"'
expect_ids '2 9' query music.csv 'genre~="ROCK"'
expect_ids '9' query music.csv 'year>="1992" AND NOT artist~="aqua"'
expect_ids '' query music.csv 'artist'
expect_ids '' query music.csv 'title~=""'
expect_ids '4 2' query music.csv 'filesize>1000000'
# An error that only real records reach ends the query.
expect_error 1 'Unkown identifier "nosuch"' query music.csv 'time>3 AND nosuch==1'
expect_error 1 '[8] Missing ")"' query music.csv '(time>3'
expect_error 2 'Usage: tracklore-cli query CAT (EXPR | --saved NAME) [--format table|csv|json]' \
    query music.csv 'time>3' --format xml
"$cli" query music.csv 'time>360' --format json >out.json || fail "query json exited $?"
python3 -c 'import json,sys; r=json.load(open(sys.argv[1])); assert [x["ID"] for x in r]==[9], r' \
    out.json || fail "query --format json"
"$cli" query music.csv 'time>360' >out.txt || fail "query table exited $?"
grep -q 'HEARTBEAT' out.txt || fail "query table lacks the record"

# Units: play times, sizes and dates stand for their numbers.
expect_printed 'time>=3:00 AND filesize<5MB' 'time >= 180 AND filesize < 5242880'
expect_printed 'date>=2024-01-31' 'date >= 45322'
expect_error 1 '[9] Minutes and seconds after a colon must be two digits, 00 to 59' parse 'time>=3:60'
expect_ids '4 9' query music.csv 'time>=3:00'
expect_ids '2 9 3' query music.csv 'filesize<2000KB'

# query --saved: an expression the dialog saved, from the settings store.
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Corvane\\Tracklore\\1.0\\Saved searches]\r\n%s\r\n' \
    '"Long ones"="time>=3:00"' >saved.reg
export TRACKLORE_REGISTRY=$PWD/saved.reg
expect_ids '4 9' query music.csv --saved 'LONG ONES'
expect_error 1 'No saved search is named "short"' query music.csv --saved short
expect_error 2 'Usage: tracklore-cli query CAT (EXPR | --saved NAME) [--format table|csv|json]' \
    query music.csv 'time>3' --saved 'Long ones'
unset TRACKLORE_REGISTRY

# search: options build the pattern; absent options set no condition.
expect_ids '4 2 9 3' search music.csv
expect_ids '2 9' search music.csv --artist beat
expect_ids '9' search music.csv --artist beat --genre Rock --year 199
expect_ids '3' search music.csv --genre Blues
# An empty genre, as a cleared genre box, sets no genre condition; "(none)" says the same.
expect_ids '4 2 9 3' search music.csv --genre ''
expect_ids '2 9' search music.csv --artist beat --genre '(none)'
expect_ids '2' search music.csv --id 2
expect_ids '4 2 9 3' search music.csv --id -1 --artist nothing-matches
expect_ids '4 2' search music.csv --volume music_ --filename .MP3
expect_ids '2' search music.csv --comment MONO --album help --title HEL
expect_error 2 'Unknown genre "rock" for --genre' search music.csv --genre rock
expect_error 2 "'x' is not a valid integer value" search music.csv --id x
expect_error 1 'Error opening "missing.tracklore" - No such file or directory' \
    search missing.tracklore --artist a

"$cli" --help | grep -q '^  query CAT (EXPR | --saved NAME)' || fail "--help lacks query"

[ "$failures" -eq 0 ] && echo "cli search: all passed"
exit "$failures"
