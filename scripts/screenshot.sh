#!/usr/bin/env bash
# Makes the README's picture of the main window: a small real catalogue (MP3 files encoded
# with lame and tagged, then scanned with tracklore-cli), the desktop application started
# on it under a virtual X display, the window captured with xwd, written as
# docs/images/main-window.png. BUILD_DIR picks the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/window_prefs.sh
root=$PWD
build=${BUILD_DIR:-build}
out=docs/images/main-window.png

for tool in lame xvfb-run xwd xwininfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh" >&2; exit 1; }
done
# ImageMagick's own convert (a program of the same name may come first in PATH).
convert=/usr/bin/convert
[ -x "$convert" ] || { echo "missing ImageMagick: run scripts/install-deps.sh" >&2; exit 1; }
if [ ! -x "$build/bin/tracklore" ] || [ ! -x "$build/bin/tracklore-cli" ]; then
    cmake -S . -B "$build" -G Ninja -DTRACKLORE_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$build" -j2 --target tracklore tracklore-cli
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tracklore-demo.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/music"

# artist|album|year|genre|title|seconds|kbit/s
tracks='Aqua Velvet|Harbour Lights|1998|Pop|Neon Pier|212|128
Aqua Velvet|Harbour Lights|1998|Pop|Lighthouse Keeper|187|128
Aqua Velvet|Harbour Lights|1998|Pop|Low Tide|243|128
Aqua Velvet|Salt Roads|2001|Pop|Northbound|199|192
Brass Orchard|Copper Season|1994|Jazz|Autumn Stomp|276|160
Brass Orchard|Copper Season|1994|Jazz|Late Harvest|318|160
Brass Orchard|Copper Season|1994|Jazz|Mill Wheel|165|160
Cinder Choir|Ashes and Anthems|2005|Rock|First Spark|201|256
Cinder Choir|Ashes and Anthems|2005|Rock|Chimney Song|229|256
Cinder Choir|Ashes and Anthems|2005|Rock|Ember Waltz|254|256
Delta Static|Night Signals|2010|Electronic|Carrier Wave|305|320
Delta Static|Night Signals|2010|Electronic|Shortwave|281|320
Elm Street Quartet|Strings Attached|1989|Classical|Allegro in Grey|412|192
Elm Street Quartet|Strings Attached|1989|Classical|Adagio for Rain|367|192'
n=0
while IFS='|' read -r artist album year genre title seconds rate; do
    n=$((n + 1))
    folder="$work/music/$artist/$album"
    mkdir -p "$folder"
    # Silence encodes quickly; constant bit rate gives the files their true sizes.
    head -c $((seconds * 44100 * 2)) /dev/zero |
        lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m m -b "$rate" \
            --ta "$artist" --tl "$album" --ty "$year" --tg "$genre" --tt "$title" \
            --tn "$n" --tc "Demo track" - "$folder/$(printf '%02d' "$n") $title.mp3"
done <<<"$tracks"

# The music folder is a drive of its own with a label, as a mounted disc or stick would be:
# the Volume column shows the label and Filename the path below the folder.
export TRACKLORE_DRIVES="c=/;m=$work/music|MUSIC01"
"$build/bin/tracklore-cli" scan "$work/demo.tracklore" "$work/music" >/dev/null

# Preferences of a user who made the window a little larger than the first-run size.
write_window_prefs "$work/tracklore.reg" "$root/"

cat >"$work/capture.sh" <<'EOF'
#!/usr/bin/env bash
set -euo pipefail
"$1" "$2" &
app=$!
for _ in $(seq 100); do
    id=$(xwininfo -root -tree | awk '/"Corvane Tracklore - /{print $1; exit}')
    [ -n "$id" ] && break
    sleep 0.1
done
[ -n "${id:-}" ] || { echo "the window did not appear" >&2; kill "$app"; exit 1; }
sleep 1.5  # let the views paint
xwd -silent -id "$id" -out "$3"
kill "$app"
EOF
chmod +x "$work/capture.sh"

TRACKLORE_REGISTRY="$work/tracklore.reg" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
    xvfb-run -a -s "-screen 0 1152x640x24" \
    "$work/capture.sh" "$root/$build/bin/tracklore" "$work/demo.tracklore" "$work/window.xwd"

mkdir -p "$(dirname "$out")"
"$convert" "$work/window.xwd" -strip -colors 256 "png8:$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
