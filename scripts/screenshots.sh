#!/usr/bin/env bash
# Takes the pictures of the six pages shown in the README from the real
# program: builds it, installs it into a temporary folder (so that the build
# folder's settings stay as they are), starts it on a virtual X server, turns
# to each page with the toolbar and photographs the window.
# Writes docs/screenshots/1-herbs.png … 6-diagnosis.png.
# Usage: bash scripts/screenshots.sh [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if ! command -v import >/dev/null || ! command -v convert >/dev/null; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends imagemagick
fi

out=$(realpath -m "${1:-docs/screenshots}")
mkdir -p "$out"
work=$(mktemp -d)
xvfb_pid=""
lc_pid=""
cleanup() {
    if [ -n "$lc_pid" ]; then kill "$lc_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cmake --install build --prefix "$work/prefix" >/dev/null
program="$work/prefix/lib/lumicara"
cat >"$work/mahuang.pf" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<prescription>
    <type>decoction</type>
    <list>
        <node><name>麻黄</name><doze>9</doze></node>
        <node><name>桂枝</name><doze>6</doze></node>
        <node><name>杏仁</name><doze>9</doze></node>
        <node><name>炙甘草</name><doze>3</doze></node>
    </list>
</prescription>
EOF
# Agreed before, with the first skin.
printf '[config]\ninit=true\nskin=skin/1_200.png\n' >"$program/config.ini"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 60); do
    [ -s "$work/display" ] && break
    sleep 0.5
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

QT_QPA_PLATFORM=xcb LANG=C.UTF-8 "$program/LC" >"$work/lc.log" 2>&1 &
lc_pid=$!
window=""
for _ in $(seq 1 120); do
    window=$(xdotool search --onlyvisible --name '^Lumicara [0-9.]+$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.5
done
[ -n "$window" ] || { cat "$work/lc.log" >&2; echo "screenshots: no main window" >&2; exit 1; }
sleep 2

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
# What each page shows before its picture is taken.
prepare() {
    case "$1" in
    1) # the body model is loaded by a click into the view
        click 400 350
        sleep 8
        ;;
    2) # the pairs of the first herb of the list
        click 600 180
        ;;
    3) # 麻黄汤 opened from a prescription file (its path typed into the
        # file dialog: plain ASCII keys arrive reliably, typed Chinese does
        # not), then analysed
        click 55 256
        sleep 2
        xdotool type --delay 40 "$work/mahuang.pf"
        xdotool key Return
        sleep 1
        click 281 218
        ;;
    esac
}

# The page buttons of the toolbar, left to right, in window coordinates.
names=(herbs acupoints pairs analysis formulaflow diagnosis)
for i in 0 1 2 3 4 5; do
    click $((60 + 94 * i)) 60
    sleep 1
    prepare "$i"
    xdotool mousemove --window "$window" 805 615
    sleep 2
    shot="$out/$((i + 1))-${names[$i]}.png"
    import -window "$window" "$work/shot.png"
    # A palette image keeps the pictures small; the pages are mostly flat
    # colours and text.
    convert "$work/shot.png" -dither None -colors 255 -strip "PNG8:$shot"
    echo "$shot ($(du -k "$shot" | cut -f1) KiB)"
done
