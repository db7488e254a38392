#!/usr/bin/env bash
# tracklore-cli pack and unpack: round trips, the exact compressed bytes, and the messages
# and exit codes of failures. Usage: pack_test.sh CLI SCRATCHDIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.sh" "$@"

hex() { od -An -tx1 -v "$1" | tr -d ' \n'; }

# Text and binary bytes (the program itself) survive a round trip and get smaller.
{ seq 1 20000; head -c 300000 "$cli"; } > raw
"$cli" pack raw packed || fail "pack exited $?"
"$cli" unpack packed unpacked || fail "unpack exited $?"
cmp -s raw unpacked || fail "round trip changed the bytes"
[ "$(stat -c %s packed)" -lt "$(stat -c %s raw)" ] || fail "packed file is not smaller"

# An empty file packs to nothing and back.
: > empty
"$cli" pack empty empty.lz && [ ! -s empty.lz ] || fail "empty file did not pack to nothing"
"$cli" unpack empty.lz empty.out && [ ! -s empty.out ] || fail "empty file did not unpack"

# The exact bytes of abcabc.
printf abcabc > six
"$cli" pack six six.lz || fail "pack abcabc exited $?"
[ "$(hex six.lz)" = "2061626301013006" ] || fail "abcabc packed to $(hex six.lz)"
"$cli" unpack six.lz six.out && [ "$(cat six.out)" = abcabc ] || fail "abcabc did not unpack"

# A missing input file: the system's message, exit 1, no output file.
"$cli" pack "$dir/missing" out 2> err
status=$?
[ "$status" -eq 1 ] || fail "missing input exited $status"
expected="Error opening \"$dir/missing\" - No such file or directory"
[ "$(cat err)" = "$expected" ] || fail "missing input said: $(cat err)"

# A full disk is reported while finishing, not swallowed.
for command in pack unpack; do
    input=raw
    [ "$command" = unpack ] && input=packed
    "$cli" "$command" "$input" /dev/full 2> err
    status=$?
    [ "$status" -eq 1 ] || fail "$command to /dev/full exited $status"
    grep -q '^Error writing to stream - .' err || fail "$command to /dev/full said: $(cat err)"
done
"$cli" pack six /dev/full 2> err || true
grep -q '^Error writing to stream - .' err || fail "small pack to /dev/full said: $(cat err)"

# Wrong argument count: usage, exit 2.
"$cli" unpack packed 2> err
status=$?
[ "$status" -eq 2 ] || fail "one argument exited $status"
grep -q '^Usage: tracklore-cli unpack IN OUT' err || fail "no usage: $(cat err)"

[ "$failures" -eq 0 ] && echo "pack tests passed"
exit $((failures > 0))
