#!/usr/bin/env bash
# tracklore-cli update over a scanned folder of real MP3 files (lame when installed, else
# hand-built frames): one file added, one re-tagged, one deleted, the rest left alone; the
# report, the records kept with their identifiers, and --remove-missing.
# Usage: update_test.sh CLI SCRATCHDIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
dir=$(pwd -P)
export TRACKLORE_DRIVES="c=/;m=$dir|MUSIC01"

# One byte of the given value.
byte() { printf "\\x$(printf %02x "$1")"; }

# An ID3v2.3 tag holding one TIT2 frame with the given title (at most 100 characters).
title_tag() {
    local size=$((${#1} + 1))
    printf 'ID3\x03\x00\x00\x00\x00\x00'
    byte $((size + 10))
    printf 'TIT2\x00\x00\x00'
    byte "$size"
    printf '\x00\x00\x00%s' "$1"
}

# The audio of every file: a lame encoding when lame is there, else 200 silent frames.
if command -v lame > /dev/null; then
    head -c 441000 /dev/urandom > noise.raw
    lame --quiet -r -s 44.1 --bitwidth 16 -b 128 noise.raw audio.mp3 2> /dev/null ||
        fail "lame failed"
else
    for ((i = 0; i < 200; i++)); do
        printf '\xff\xfb\x90\x64'
        head -c 413 /dev/zero
    done > audio.mp3
fi

# The records of a catalogue file (which keeps the file dates; CSV does not): the fields
# ID;Volume;Filename;Title.
records() {
    "$cli" convert "$1" records.csv > /dev/null || fail "convert $1 failed"
    tr -d '\r' < records.csv | grep -v -e '^ID;' -e '^$' | cut -d';' -f1-3,6 | sort
}

mkdir -p music/sub
for name in a b c; do { title_tag "Song $name"; cat audio.mp3; } > music/$name.mp3; done
{ title_tag "Deep"; cat audio.mp3; } > music/sub/d.mp3
"$cli" scan cat.tracklore music > out 2> err || fail "scan exited $?: $(cat err)"
[ ! -s out ] || fail "scan listed: $(cat out)"
id_of() { records cat.tracklore | grep ";$1;" | cut -d';' -f1; }
id_b=$(id_of /music/b.mp3)

# Nothing changed: every file unchanged, nothing saved anew.
cp cat.tracklore before.tracklore
"$cli" update cat.tracklore music > out 2> err || fail "idle update exited $?: $(cat err)"
grep -qx 'Unchanged: 4' out || fail "idle update: $(cat out)"
cmp -s cat.tracklore before.tracklore || fail "an idle update rewrote the catalogue"

# One added, one re-tagged (a later date), one deleted; c.mp3 is overwritten with junk of its
# size and date, which an update that opened it would notice.
{ title_tag "Song e"; cat audio.mp3; } > music/e.mp3
{ title_tag "Song b, again"; cat audio.mp3; } > music/b.mp3
touch -d "@$(($(date +%s) + 10))" music/b.mp3
rm music/sub/d.mp3
touch -r music/c.mp3 stamp
head -c "$(stat -c %s music/c.mp3)" /dev/zero > music/c.mp3
touch -r stamp music/c.mp3

"$cli" update cat.tracklore music > out 2> err || fail "update exited $?: $(cat err)"
expected="Added: 1
  music/e.mp3
Changed: 1
  music/b.mp3
Unchanged: 2
Missing: 1
  [MUSIC01] /music/sub/d.mp3
Removed: 0
Failed: 0"
[ "$(cat out)" = "$expected" ] || fail "update printed: $(cat out)"
[ ! -s err ] || fail "update said on stderr: $(cat err)"
[ "$(id_of /music/b.mp3)" = "$id_b" ] || fail "b.mp3 lost its ID: $(records cat.tracklore)"
records cat.tracklore | grep -q ';/music/b.mp3;Song b, again$' || fail "b.mp3 not re-read: $(records cat.tracklore)"
records cat.tracklore | grep -q ';/music/e.mp3;Song e$' || fail "e.mp3 not added: $(records cat.tracklore)"
records cat.tracklore | grep -q ';/music/c.mp3;Song c$' || fail "c.mp3 was re-read: $(records cat.tracklore)"
records cat.tracklore | grep -q ';/music/sub/d.mp3;' || fail "a missing record went without asking"

# --remove-missing removes it; a record of another folder stays.
"$cli" scan cat.tracklore audio.mp3 > /dev/null 2>&1
"$cli" update cat.tracklore --remove-missing music > out 2> err || fail "--remove-missing exited $?"
grep -qx 'Removed: 1' out || fail "--remove-missing printed: $(cat out)"
records cat.tracklore | grep -q '/music/sub/d.mp3' && fail "d.mp3 still there: $(records cat.tracklore)"
[ "$(records cat.tracklore | wc -l)" -eq 5 ] || fail "records after removal: $(records cat.tracklore)"

# A file that cannot be read is listed and the update goes on; a folder that cannot be
# listed is an error.
head -c 200 /dev/zero > music/zero.mp3
"$cli" update cat.tracklore music > out 2> err || fail "update with a broken file exited $?"
grep -qx '  music/zero.mp3  -  Invalid MPEG-l3 file - header not found in stream' out ||
    fail "broken file: $(cat out)"
"$cli" update cat.tracklore nowhere > out 2> err
[ $? -eq 1 ] || fail "a missing folder did not fail"
[ "$(cat err)" = 'Error opening "nowhere" - No such file or directory' ] ||
    fail "a missing folder said: $(cat err)"
expect_error 2 "Usage: tracklore-cli update CAT PATH... [--remove-missing] [--scan-vbr]" update cat.tracklore

[ "$failures" -eq 0 ] && echo "update tests passed"
[ "$failures" -eq 0 ]
