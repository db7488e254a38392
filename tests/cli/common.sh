# The start every tracklore-cli test script shares; sourced with the script's own arguments
# (CLI SCRATCHDIR). Sets `cli` and `dir`, empties the scratch folder and works inside it,
# and defines `fail` (counted in `failures`) and `expect_error`.
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
