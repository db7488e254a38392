#!/usr/bin/env bash
# tracklore-cli print: PDF files with the pages the layout needs, and the refusals of bad
# options with their exit codes.
# Usage: print_test.sh CLI SCRATCHDIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"

# Page objects of a PDF file (the page tree's /Pages not counted).
pages() {
    grep -a -o -E '/Type ?/Page([^s]|$)' "$1" | wc -l
}

# expect_refused STATUS MESSAGE COMMAND...: fails with STATUS, MESSAGE on stderr, no PDF.
expect_refused() {
    local status=$1 message=$2
    shift 2
    rm -f bad.pdf
    "$cli" "$@" >out.txt 2>err.txt
    local got=$?
    [ "$got" -eq "$status" ] || fail "$* exited $got, expected $status"
    grep -qF -- "$message" err.txt || fail "$* said '$(cat err.txt)', expected '$message'"
    [ ! -e bad.pdf ] || fail "$* wrote a PDF"
}

# A CSV catalogue of N records.
make_csv() {
    local n=$1 file=$2
    {
        printf '\r\nID;Volume;Filename;FileSize;Artist;Title;Album;Year;Comment;Genre;PlayLength;kBit/s;SampleRate\r\n'
        for i in $(seq 1 "$n"); do
            printf '%d;MUSIC_1;/a/%d.mp3;1000;Artist %d;Title %d;Album;1999;;Rock;%d;128;44100\r\n' \
                "$i" "$i" $((i % 9)) "$i" $((i + 60))
        done
    } >"$file"
}

make_csv 3 small.csv
make_csv 400 big.csv

"$cli" print small.csv --pdf small.pdf 2>err.txt || fail "print small exited $?: $(cat err.txt)"
[ "$(pages small.pdf)" -eq 1 ] || fail "small.pdf has $(pages small.pdf) pages, expected 1"

# A4 at 600 dpi inside 10 mm margins with Arial 8: about 80 rows a page, so 400 records
# need more than one page; a font twice as large needs more pages still.
"$cli" print big.csv --pdf big.pdf --look gray --columns id,ARTIST,Title,quality ||
    fail "print big exited $?"
big=$(pages big.pdf)
[ "$big" -ge 4 ] && [ "$big" -le 8 ] || fail "big.pdf has $big pages, expected 4 to 8"
"$cli" print big.csv --pdf bigger.pdf --size 16 --look cells --no-header --no-footer \
    --title "My music" --font "DejaVu Sans" || fail "print bigger exited $?"
bigger=$(pages bigger.pdf)
[ "$bigger" -gt "$big" ] || fail "16 points gave $bigger pages, 8 points $big"

# An empty catalogue still makes a (blank) one-page document.
make_csv 0 empty.csv
"$cli" print empty.csv --pdf empty.pdf || fail "print empty exited $?"
[ -s empty.pdf ] || fail "empty.pdf missing"

expect_refused 2 "Usage: tracklore-cli print CAT --pdf OUT" print small.csv
expect_refused 2 "Usage: tracklore-cli print CAT --pdf OUT" print --pdf bad.pdf
expect_refused 2 'Unknown column "Bitrate" for --columns' print small.csv --pdf bad.pdf \
    --columns artist,Bitrate
expect_refused 2 'Unknown column "" for --columns' print small.csv --pdf bad.pdf --columns artist,
expect_refused 2 'Unknown look "dotted"' print small.csv --pdf bad.pdf --look dotted
expect_refused 2 'Invalid point size "big"' print small.csv --pdf bad.pdf --size big
expect_refused 2 'Invalid point size "0"' print small.csv --pdf bad.pdf --size 0
expect_refused 1 "The chosen font is too large for the page" print small.csv --pdf bad.pdf \
    --size 1000
expect_refused 1 "" print missing.tracklore --pdf bad.pdf
# An output that cannot be written is an error, not a printed job.
expect_refused 1 "The printer could not start the print job." print small.csv --pdf \
    no-such-folder/bad.pdf
[ ! -e no-such-folder ] || fail "print made the output's folder"

# A full disk (a file size limit stands in for it) fails the job and keeps the old PDF whole.
cp small.pdf kept.pdf
(
    trap '' XFSZ
    ulimit -f 8
    "$cli" print big.csv --pdf kept.pdf
) >out.txt 2>err.txt && fail "print to a full disk exited 0"
grep -qF "Error writing to stream - File too large" err.txt ||
    fail "print to a full disk said '$(cat err.txt)'"
cmp -s kept.pdf small.pdf || fail "print to a full disk changed the old PDF"
ls -a | grep -q saving && fail "print to a full disk left a temporary file"

# print runs in a helper beside the tool; a tool copied away from it says so.
mkdir -p alone
cp "$cli" alone/tracklore-cli
cli=$PWD/alone/tracklore-cli expect_refused 1 \
    "The print helper tracklore-print could not be started: No such file or directory" \
    print small.csv --pdf bad.pdf

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "print: all passed"
