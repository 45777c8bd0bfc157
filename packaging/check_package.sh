#!/usr/bin/env bash
# Validates the Debian package in DIR, installs it with apt-get, starts the installed program
# from its menu entry's command, offscreen and under a private X server, and removes it again.
#   check_package.sh DIR      (as root: it installs and removes the package)
set -euo pipefail
dir=${1:?usage: check_package.sh DIR}
app_id=org.vantor.Vantor
deb=$(ls -t "$dir"/vantor_*.deb | head -n 1)
work=$(mktemp -d)
xpid=""
apid=""
cleanup() {
    [ -n "$apid" ] && kill -KILL "$apid" 2>/dev/null || true
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
    rm -rf "$work"
    if dpkg-query -W -f='${Status}' vantor 2>/dev/null | grep -q 'install ok installed'; then
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 remove -y -q vantor >/dev/null
    fi
}
trap cleanup EXIT
fail() { echo "check_package: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "package $deb"
dpkg-deb --field "$deb"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "no Qt dependency"

step "lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$work/lintian.txt"

step "install"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -q "$(realpath "$deb")" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install failed"; }
desktop=/usr/share/applications/$app_id.desktop
metainfo=/usr/share/metainfo/$app_id.metainfo.xml
for f in /usr/bin/vantor "$desktop" "$metainfo" /usr/share/man/man1/vantor.1.gz \
         /usr/share/icons/hicolor/scalable/apps/$app_id.svg; do
    [ -e "$f" ] || fail "missing $f"
done
for size in 16 32 48 64 128 256; do
    png=/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    file "$png" | grep -q "$size x $size" || fail "$png is not $size x $size"
done

step "desktop-file-validate and appstreamcli validate"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
man --warnings -l /usr/share/man/man1/vantor.1.gz >/dev/null 2>"$work/man.txt"
[ ! -s "$work/man.txt" ] || { cat "$work/man.txt"; fail "man page warnings"; }

# The command the menu starts, without field codes.
command=$(sed -n 's/^Exec=//p' "$desktop" | sed 's/ %[a-zA-Z]//g')
command -v "$command" >/dev/null || fail "menu command $command not found"

# Starts the menu command, waits for ready (a command that succeeds) and ends it with SIGTERM:
# it must still be running and exit with status 0.
run_and_end() {
    local ready=$1
    # A private temporary folder: a Vantor already running elsewhere would take over the start.
    TMPDIR="$work" "$command" >"$work/out.txt" 2>&1 &
    apid=$!
    local deadline=$((SECONDS + 60))
    until eval "$ready"; do
        kill -0 "$apid" 2>/dev/null || { cat "$work/out.txt"; fail "vantor ended early"; }
        [ $SECONDS -lt $deadline ] || { cat "$work/out.txt"; fail "vantor did not come up"; }
        sleep 0.5
    done
    kill -TERM "$apid"
    local status=0
    wait "$apid" || status=$?
    apid=""
    [ "$status" = 0 ] || { cat "$work/out.txt"; fail "vantor ended with status $status"; }
}

step "start offscreen and end"
started_offscreen() { [ $((SECONDS - offscreen_start)) -ge 5 ]; }
offscreen_start=$SECONDS
QT_QPA_PLATFORM=offscreen run_and_end started_offscreen

step "start under a private X server: window, icon and pictures"
display=:$((50 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
export DISPLAY=$display
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.2; done
window=""
window_shown() {
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"[^"]*V a n t o r[^"]*"/ && /[0-9]+x[0-9]+/ { print $1; exit }')
    [ -n "$window" ] && xwininfo -id "$window" | grep -q 'Map State: IsViewable' && check_window
}
check_window() {
    sleep 2 # let it paint
    xprop -id "$window" _NET_WM_ICON >"$work/icon.txt"
    # Qt hands the window manager the icon's sizes up to 128.
    for size in 16 32 48 64 128; do
        grep -q "Icon ($size x $size)" "$work/icon.txt" || fail "window icon has no $size x $size picture"
    done
    import -window "$window" "$work/window.png"
    # The unlit green lamp pictures (port lamp, port bits) show their own colours.
    colours=$(convert "$work/window.png" -format %c histogram:info:-)
    for colour in '#005A00' '#004D00' '#598B59'; do
        grep -qi "$colour " <<<"$colours" || fail "no lamp picture on the window ($colour missing)"
    done
    echo "window $window: icon sizes and lamp pictures found"
    return 0
}
QT_QPA_PLATFORM=xcb run_and_end window_shown
kill "$xpid"
xpid=""

step "remove"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 remove -y -q vantor >/dev/null
[ ! -e /usr/bin/vantor ] || fail "/usr/bin/vantor is still there after removal"
echo "check_package: all checks passed"
