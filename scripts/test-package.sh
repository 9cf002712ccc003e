#!/usr/bin/env bash
# Builds the Debian package from ./build (as scripts/test.sh left it: nothing
# is compiled again), unpacks it into a temporary root and checks what it
# installs: the files and the package's dependencies, the knowledge through
# the installed lcq, and the main window of the installed LC on a virtual X
# server. The installed programs run as a user who cannot write the program
# folder, as after a system install, so LC keeps its settings in the user's
# configuration folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

fail() {
    echo "test-package: $*" >&2
    exit 1
}

work=$(mktemp -d)
xvfb_pid=""
lc_pid=""
cleanup() {
    if [ -n "$lc_pid" ]; then kill "$lc_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# ---- the package
rm -rf build/package
(cd build && cpack -G DEB -B "$PWD/package" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
debs=(build/package/lumicara_*.deb)
[ -f "${debs[0]}" ] || fail "no package was written"
deb=${debs[0]}
echo "package: $deb ($(du -h "$deb" | cut -f1))"

depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Depends: $depends"
echo "Recommends: $recommends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6xml6 libqt6opengl6 \
    libqt6openglwidgets6 libqt6statemachine6 libquazip1-qt6 libassimp qt6-qpa-plugins libc6; do
    [[ ",$depends" == *[,\ ]"$lib"* ]] || fail "Depends lacks $lib"
done
[[ "$recommends" == *fonts-noto-cjk* ]] || fail "Recommends lacks a CJK font"

# ---- the installed tree
root="$work/root"
dpkg -x "$deb" "$root"
program="$root/usr/lib/lumicara"
for f in LC update lcq; do
    [ -x "$program/$f" ] || fail "$program/$f is missing or not executable"
done
for n in $(seq 1 12); do
    [ -s "$program/skin/${n}_200.png" ] || fail "skin ${n}_200.png is missing"
done
[ -s "$program/data/man.3ds" ] || fail "data/man.3ds is missing"
for launcher in lumicara:LC lcq:lcq; do
    link="$root/usr/bin/${launcher%%:*}"
    [ -L "$link" ] || fail "$link is not a link"
    [ "$(readlink -f "$link")" = "$(readlink -f "$program/${launcher#*:}")" ] ||
        fail "$link points to $(readlink "$link")"
done
desktop="$root/usr/share/applications/lumicara.desktop"
[ -f "$desktop" ] || fail "the desktop entry is missing"
grep -qx 'Exec=lumicara' "$desktop" || fail "the desktop entry does not start lumicara"
grep -qx 'Icon=lumicara' "$desktop" || fail "the desktop entry names no icon"
grep -q '^Name\[zh_CN\]=.*中医' "$desktop" || fail "the desktop entry has no Chinese name"
validation=$(desktop-file-validate "$desktop" 2>&1) || fail "the desktop entry is invalid: $validation"
[ -z "$validation" ] || fail "the desktop entry: $validation"
for size in 16 24 32 48 64 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/lumicara.png"
    [ -s "$icon" ] || fail "icon ${size}x${size} is missing"
    [[ "$(file -b "$icon")" == "PNG image data, $size x $size,"* ]] || fail "$icon: $(file -b "$icon")"
done

# ---- the installed programs, run by a user who cannot write them
home="$work/home"
mkdir -p "$home"
chmod 755 "$work"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    # Root may write anywhere: the programs run as nobody instead.
    as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
else
    chmod -R a-w "$program"
fi
# The command line that runs a program as that user, from another folder,
# with a clean environment.
user_command() {
    command=("${as_user[@]}" env -i -C / PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config"
        XDG_RUNTIME_DIR="$home/runtime" LANG=C.UTF-8 ${DISPLAY:+DISPLAY=$DISPLAY} "$@")
}
give_home() {
    mkdir -p "$home/runtime"
    chmod 700 "$home/runtime"
    if [ "${#as_user[@]}" -gt 0 ]; then chown -R nobody "$home"; fi
}
give_home

user_command "$root/usr/bin/lcq" stats
stats=$("${command[@]}") || fail "the installed lcq stats failed"
value() { echo "$stats" | awk -F'\t' -v k="$1" '$1 == k { print $2 }'; }
for key in herbs classicFormulas pairs acupoints; do
    n=$(value "$key")
    [[ "$n" =~ ^[0-9]+$ ]] && [ "$n" -gt 0 ] || fail "lcq stats: $key is '$n'"
    echo "lcq stats: $key $n"
done

# A virtual X server on a free display, open to the local users; it is not
# reset between the two runs of LC (a reset refuses connections meanwhile).
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 60); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.5
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"

start_lc() {
    user_command "$root/usr/bin/lumicara"
    "${command[@]}" >"$work/lc.log" 2>&1 &
    lc_pid=$!
}
stop_lc() {
    kill "$lc_pid" 2>/dev/null || true
    wait "$lc_pid" 2>/dev/null || true
    lc_pid=""
}
# Waits for a visible window whose title matches; prints its id.
wait_window() {
    local id
    for _ in $(seq 1 120); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        kill -0 "$lc_pid" 2>/dev/null || return 1
        sleep 0.5
    done
    return 1
}
version=$(dpkg-deb -f "$deb" Version)

# First run: the licence agreement, and nothing written beside the program.
start_lc
wait_window '^Lumicara$' >/dev/null || { cat "$work/lc.log" >&2; fail "the agreement did not appear"; }
stop_lc
[ ! -e "$program/config.ini" ] || fail "LC wrote its settings into the program folder"

# Agreed before, in the user's configuration folder: the main window.
mkdir -p "$home/.config/lumicara"
printf '[config]\ninit=true\n' >"$home/.config/lumicara/config.ini"
give_home
start_lc
window=$(wait_window "^Lumicara ${version//./\\.}\$") || { cat "$work/lc.log" >&2; fail "the main window did not appear"; }
geometry=$(xdotool getwindowgeometry --shell "$window")
width=$(echo "$geometry" | sed -n 's/^WIDTH=//p')
height=$(echo "$geometry" | sed -n 's/^HEIGHT=//p')
[ "$width" -ge 600 ] && [ "$height" -ge 400 ] || fail "the main window is ${width}x${height}"
echo "main window: ${width}x${height}"
stop_lc
echo "test-package: passed"
