#!/usr/bin/env bash
# tracklore-cli scan and info over hand-built MP3 files: the records saved, the error list on
# stdout, errors that end a scan, and the info layout. Usage: scan_test.sh CLI SCRATCHDIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"
dir=$(pwd -P)
export TRACKLORE_DRIVES="c=/;m=$dir|MUSIC01"

# `count` MPEG-1 Layer III frames, 128 kbit/s, 44100 Hz, 417 bytes each.
frames() {
    for ((i = 0; i < $1; i++)); do
        printf '\xff\xfb\x90\x64'
        head -c 413 /dev/zero
    done
}

# An ID3v2.3 tag holding one TCON frame "Rock" with a stored terminator.
rock_tag() { printf 'ID3\x03\x00\x00\x00\x00\x00\x10TCON\x00\x00\x00\x06\x00\x00\x00Rock\x00'; }

# The CSV records of a catalogue without the header line, fields ID;Volume;Filename.
records() { tr -d '\r' < "$1" | grep -v -e '^ID;' -e '^$' | cut -d';' -f1-3 | sort; }

mkdir -p music/sub broken
frames 100 > music/a.mp3
{ rock_tag; frames 20; } > music/sub/b.MP3
head -c 200 /dev/zero > music/zero.mp3
echo "not music" > music/notes.txt
frames 10 > broken/good.mp3
printf 'abcde' > broken/short.mp3

# A folder scan: the failed file on stdout, nothing on stderr, the records saved.
"$cli" scan cat.csv music > out 2> err
status=$?
[ "$status" -eq 0 ] || fail "folder scan exited $status"
[ "$(cat out)" = "music/zero.mp3  -  Invalid MPEG-l3 file - header not found in stream" ] ||
    fail "error list was: $(cat out)"
[ ! -s err ] || fail "folder scan said on stderr: $(cat err)"
# The order of the two follows the file system's listing; the identifiers are 1 and 2.
got=$(records cat.csv | sed 's/^[12];/X;/' | sort)
want=$(printf '%s\n' "X;MUSIC01;/music/a.mp3" "X;MUSIC01;/music/sub/b.MP3")
[ "$got" = "$want" ] || fail "records were: $(records cat.csv)"
grep -q ';/music/sub/b.MP3;.*;Rock;0;128;44100' cat.csv || fail "b.MP3: $(grep b.MP3 cat.csv)"

# Scanning into an existing catalogue adds to it with new identifiers.
"$cli" scan cat.csv music/a.mp3 > out 2> err || fail "single file scan exited $?"
[ "$(records cat.csv | cut -d';' -f1 | sort -n | tr '\n' ' ')" = "1 2 3 " ] ||
    fail "identifiers after a second scan: $(records cat.csv)"

# A catalogue whose next identifiers run out: the two files of "music" fit, the first of
# "broken" ends the scan with exactly its message on stderr, exit 1, earlier records saved.
printf '\r\n%s\r\n%s\r\n' 'ID;Volume;Filename;FileSize;Artist;Title;Album;Year;Comment;Genre;PlayLength;kBit/s;SampleRate' \
    '2147483645;;/old.mp3;0;A;;;;;;0;0;0' > ends.csv
"$cli" scan ends.csv music broken > out 2> err
status=$?
[ "$status" -eq 1 ] || fail "ending error exited $status"
[ "$(cat err)" = "Too Many Elements!" ] || fail "ending error said: $(cat err)"
grep -q "^music/zero.mp3  -  " out || fail "error list lost before the ending error: $(cat out)"
[ "$(records ends.csv | grep -c /music/)" -eq 2 ] || fail "records before the error: $(records ends.csv)"

# Empty and cut files, a pipe and a device among good ones are listed with their messages;
# the scan goes on and its exit status is that of any other listed file.
mkdir -p cd
for ((i = 1; i <= 30; i++)); do cp broken/good.mp3 "cd/track$i.mp3"; done
: > cd/empty.mp3
head -c 100 broken/good.mp3 > cd/cut.mp3
mkfifo cd/pipe.mp3
ln -s /dev/null cd/device.mp3
"$cli" scan cd.csv cd > out 2> err
status=$?
[ "$status" -eq 0 ] || fail "scan with cut files exited $status: $(cat err)"
[ ! -s err ] || fail "scan with cut files said on stderr: $(cat err)"
printf '%s\n' "cd/cut.mp3  -  Read less than expected" \
    "cd/device.mp3  -  Not a regular file (a pipe, socket or device): passed over" \
    "cd/empty.mp3  -  Read less than expected" \
    "cd/pipe.mp3  -  Not a regular file (a pipe, socket or device): passed over" > expected
sort out | cmp -s - expected || fail "cut files listed: $(cat out)"
[ "$(records cd.csv | grep -c '/cd/track')" -eq 30 ] || fail "good files added: $(records cd.csv)"

# A file named on the command line fails like one in a folder: a missing or broken file is
# listed and the scan goes on.
"$cli" scan named.csv nowhere.mp3 music/zero.mp3 music/a.mp3 > out 2> err
[ $? -eq 0 ] || fail "named files exited non-zero: $(cat err)"
printf '%s\n' "nowhere.mp3  -  nowhere.mp3: File not found!" \
    "music/zero.mp3  -  Invalid MPEG-l3 file - header not found in stream" > expected
cmp -s out expected || fail "named files listed: $(cat out)"
[ "$(records named.csv | grep -c /music/a.mp3)" -eq 1 ] || fail "named good file not added"

# The native format round-trips through a second scan.
"$cli" scan cat.tracklore music/a.mp3 && "$cli" scan cat.tracklore music/a.mp3 ||
    fail "scan into a catalogue file exited $?"
[ -s cat.tracklore ] || fail "no catalogue file written"

# A Xing header claiming 1,500 frames over 1,000 real ones: the default scan believes it
# (39 s, so 85 kbit/s), --scan-vbr walks every frame (26 s), before or after the catalogue
# name.
mkdir -p vbr
{
    printf '\xff\xfb\x90\x64'
    head -c 32 /dev/zero
    printf 'Xing\x00\x00\x00\x01\x00\x00\x05\xdc'
    head -c 369 /dev/zero
    frames 999
} > vbr/x.mp3
"$cli" scan quick.csv vbr > out 2> err || fail "quick scan exited $?: $(cat err)"
grep -q ';/vbr/x.mp3;.*;39;85;44100' quick.csv || fail "quick scan: $(grep x.mp3 quick.csv)"
"$cli" scan --scan-vbr whole.csv vbr > out 2> err || fail "whole scan exited $?: $(cat err)"
grep -q ';/vbr/x.mp3;.*;26;128;44100' whole.csv || fail "--scan-vbr: $(grep x.mp3 whole.csv)"
"$cli" scan whole2.csv vbr/x.mp3 --scan-vbr > out 2> err || fail "late option exited $?"
grep -q ';26;128;44100' whole2.csv || fail "late --scan-vbr: $(grep x.mp3 whole2.csv)"
"$cli" --help | grep -q -- 'scan \[--scan-vbr\] CAT PATH' || fail "--help does not name --scan-vbr"

# info: tag kind, frames with visible zero characters, audio values.
"$cli" info music/sub/b.MP3 > out 2> err || fail "info exited $?"
expected="File: music/sub/b.MP3
Tag: ID3v2.3
File size: $((26 + 20 * 417))
TCON: Rock\\0
Version: MPEG v.1
Layer: Layer III
Bit rate: 128 kbit/s
Sample rate: 44100 Hz
Channel mode: Joint Stereo
Duration: 0.522 s
Frames: 20"
[ "$(cat out)" = "$expected" ] || fail "info printed: $(cat out)"

# info on a file without audio: the tags, then the error.
"$cli" info music/zero.mp3 > out 2> err
[ $? -eq 1 ] || fail "info without audio succeeded"
[ "$(cat err)" = "Invalid MPEG-l3 file - header not found in stream" ] ||
    fail "info without audio said: $(cat err)"
grep -q '^Tag: none$' out || fail "info without audio printed: $(cat out)"

# Wrong argument counts: usage, exit 2.
"$cli" scan cat.csv 2> err
[ $? -eq 2 ] && grep -q '^Usage: tracklore-cli scan \[--scan-vbr\] CAT PATH' err || fail "scan usage: $(cat err)"
"$cli" info 2> err
[ $? -eq 2 ] && grep -q '^Usage: tracklore-cli info FILE' err || fail "info usage: $(cat err)"

[ "$failures" -eq 0 ] && echo "scan tests passed"
[ "$failures" -eq 0 ]
