#!/usr/bin/env bash
# Checks the Debian package as an installation: builds it (scripts/package.sh, reusing
# build/), runs lintian, desktop-file-validate and appstreamcli on it, unpacks it with
# `dpkg -x` into a scratch root, and runs what it installed from there, outside the
# source and build folders: tracklore-cli --version, scan, list and print --pdf on MP3
# files made with lame; the MIME type and its handler; the plug-in playing one of the
# files into a WAV file; the manual pages; and tracklore started offscreen on the
# catalogue, listing the installed plug-in.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/window_prefs.sh

scripts/package.sh
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb=$PWD/tracklore_${version}_$(dpkg --print-architecture).deb

work=$(mktemp -d "${TMPDIR:-/tmp}/tracklore-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Warnings are shown, errors fail the check.
lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 || fail "lintian reports errors"
grep -v 'running with root privileges' "$work/lintian.txt" || true

root=$work/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop file"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null ||
    fail "AppStream data"
for page in "$root"/usr/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
for name in tracklore.1.gz tracklore-cli.1.gz; do
    [ -f "$root/usr/share/man/man1/$name" ] || fail "no manual page $name"
done
# No run path may lead back into the build: only the plug-in has one, its own folder.
for file in "$root"/usr/bin/* "$root"/usr/lib/tracklore/*; do
    paths=$(readelf -d "$file" | sed -n 's/.*R\(UN\)\{0,1\}PATH.*\[\(.*\)\]/\2/p')
    case "$paths" in '' | '$ORIGIN') ;; *) fail "$(basename "$file") has run path $paths" ;; esac
done

# The programs run from the scratch root, in a folder without plug-ins.
cd "$work"
cli=$root/usr/bin/tracklore-cli
[ "$("$cli" --version)" = "tracklore-cli $version" ] || fail "--version: $("$cli" --version)"

mkdir music
for n in 1 2; do
    head -c $((3 * 44100 * 2)) /dev/zero |
        lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m m -b 128 \
            --ta "Check Artist" --tl "Check Album" --tt "Track $n" --tn "$n" - "music/$n.mp3" \
            2>lame.log || { cat lame.log >&2; exit 1; }
done
export TRACKLORE_DRIVES="c=/;m=$work/music|CHECK01"
"$cli" scan music.tracklore music >scan.txt || fail "scan failed"
[ ! -s scan.txt ] || fail "scan could not read: $(cat scan.txt)"
"$cli" list music.tracklore --format csv >list.csv
[ "$(grep -c 'CHECK01;.*Check Artist;Track [12];Check Album' list.csv)" -eq 2 ] ||
    fail "list: $(cat list.csv)"
"$cli" print music.tracklore --pdf music.pdf
[ "$(head -c 5 music.pdf)" = "%PDF-" ] || fail "print --pdf wrote no PDF"

# A catalogue file is application/x-tracklore by its name and by its header, and the menu
# entry opens it (what a double click in a file manager asks for), seen through the
# installed files alone.
desktop() {
    PATH="$root/usr/bin:$PATH" XDG_DATA_DIRS="$root/usr/share" XDG_DATA_HOME="$work/none" \
        XDG_CONFIG_HOME="$work/none" XDG_CONFIG_DIRS="$work/none" "$@"
}
desktop update-mime-database "$root/usr/share/mime"
desktop update-desktop-database "$root/usr/share/applications"
cp music.tracklore music-without-extension
for file in music.tracklore music-without-extension; do
    type=$(desktop gio info -a standard::content-type "$file" | sed -n 's/.*content-type: //p')
    [ "$type" = application/x-tracklore ] || fail "$file has the type '$type'"
done
handler=$(desktop gio mime application/x-tracklore)
[[ $handler == "Default application"*"example.corvane.Tracklore.desktop"* ]] ||
    fail "no default application for catalogue files: $handler"

# The installed plug-in plays (to a WAV file) through the engine beside it.
TRACKLORE_AUDIO_OUT="wav:$work/played.wav" python3 - "$root/usr/lib/tracklore/PL_Ondine.so" \
    "$work/music/1.mp3" "$work/played.wav" <<'PYTHON' || fail "the installed plug-in did not play"
import ctypes, os, struct, sys, time
plugin = ctypes.CDLL(sys.argv[1])
path = sys.argv[2].encode()
text = ctypes.create_string_buffer(bytes([len(path)]) + path, 256)
if plugin.Play(text, 255) != 0:
    sys.exit("Play refused the file")
# The WAV header gets its sizes when the play ends; the deadline only stops a hang.
deadline = time.monotonic() + 60
while time.monotonic() < deadline:
    if os.path.exists(sys.argv[3]):
        with open(sys.argv[3], "rb") as wav:
            header = wav.read(44)
        if len(header) == 44 and struct.unpack("<I", header[40:44])[0] > 44100:
            sys.exit(0)
    time.sleep(0.05)
sys.exit("no sound was written")
PYTHON

# The application, started offscreen on the catalogue, offers the installed plug-in.
write_window_prefs tracklore.reg "$work/"
QT_QPA_PLATFORM=offscreen TRACKLORE_REGISTRY=$work/tracklore.reg LANG=C.UTF-8 \
    timeout 60 "$root/usr/bin/tracklore" --list-plugins music.tracklore >plugins.txt 2>app.log ||
    fail "tracklore --list-plugins: $(cat app.log)"
grep -q "^PL_Ondine.so	.*	$root/usr/lib/tracklore/PL_Ondine.so\$" plugins.txt ||
    fail "the installed plug-in is not listed: $(cat plugins.txt)"

[ "$failures" -eq 0 ] || exit 1
echo "package check: $(basename "$deb") passed"
