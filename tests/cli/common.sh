# The start every tracklore-cli test script shares; sourced with the script's own arguments
# (CLI SCRATCHDIR). Sets `cli` and `dir`, empties the scratch folder and works inside it,
# and defines `fail` (counted in `failures`), `expect_error`, the CSV `header` line and
# `csv_rows`.
cli=$1
dir=$2
rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || exit 1

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect_error STATUS MESSAGE COMMAND...: the command fails with STATUS and says exactly
# MESSAGE on stderr and nothing on stdout.
expect_error() {
    local status=$1 message=$2
    shift 2
    "$cli" "$@" >out.txt 2>err.txt
    local got=$?
    [ "$got" -eq "$status" ] || fail "$* exited $got, expected $status"
    [ "$(cat err.txt)" = "$message" ] || fail "$* said '$(cat err.txt)', expected '$message'"
    [ ! -s out.txt ] || fail "$* wrote on stdout"
}

# The header line of the CSV format; `csv_rows ROW...` prints a CSV file of the rows: an
# empty line, the header, then the rows, each line ending in CR LF.
header='ID;Volume;Filename;FileSize;Artist;Title;Album;Year;Comment;Genre;PlayLength;kBit/s;SampleRate'
csv_rows() {
    printf '\r\n%s\r\n' "$header"
    printf '%s\r\n' "$@"
}
