#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the installed program in a real X server (Xvfb), clicks through one
# end as a timekeeper would and checks what the window shows at each step:
# red digits within two seconds of Start, green once the red count is over,
# yellow at the warning time, the judges' sign, the setup dialog, the about box.
# The grabs are kept as the README's screenshots.
# Every wait has a time limit and says what it waited for when it runs out.
# Usage: smoke-xvfb.sh <build-dir> [screenshot-dir]
set -euo pipefail
build=$1
shots=${2:-$build/screenshots}
work=$(mktemp -d)
mkdir -p "$shots"
program_pid=
xvfb_pid=

cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The id of the visible window whose title matches $1, waiting up to 15 s.
window_named() {
  local id
  id=$(timeout 15 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1) || true
  [ -n "$id" ] || fail "no window titled '$1' within 15 s ($2)"
  echo "$id"
}

# Share of a window grab in the given colour (0 to 1).
share_of() {
  convert "$1" -alpha off -fuzz 12% -fill black +opaque "$2" -fill white -opaque "$2" \
    -colorspace gray -format '%[fx:mean]' info:
}
more_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

grab() { timeout 10 import -display "$display" -window "$1" "$shots/$2.png" || fail "could not grab $2 within 10 s"; }

# Waits up to $3 seconds for the window's grab to show colour $2 on at least 1% of it.
wait_for_colour() {
  local window=$1 colour=$2 seconds=$3 name=$4 end=$((SECONDS + $3))
  while [ $SECONDS -le $end ]; do
    grab "$window" "$name"
    if more_than "$(share_of "$shots/$name.png" "$colour")" 0.01; then return 0; fi
    sleep 0.2
  done
  fail "no $colour in the window within $seconds s ($name)"
}

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
# Xvfb picks a free display number itself and writes it to the file.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb gave no display number within 10 s"
display=:$(head -1 "$work/display")
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $display does not answer within 5 s"

# The program runs in this X server, whatever platform the calling shell chose.
(cd "$work" && QT_QPA_PLATFORM=xcb exec "$work/prefix/bin/vantix") >/dev/null 2>&1 &
program_pid=$!
main=$(window_named '^FletchWise $' "main window") || exit 1
sleep 0.5
# The desktop ties the window to its launcher by the window's class, and
# shows the window's own icon.
wm_class=$(grep '^StartupWMClass=' "$work/prefix/share/applications/vantix.desktop" | cut -d= -f2-)
window_class=$(xprop -id "$main" WM_CLASS)
case "$window_class" in *"\"$wm_class\""*) ;; *) fail "launcher's class '$wm_class' is not the window's: $window_class";; esac
window_icon=$(xprop -id "$main" _NET_WM_ICON)
case "$window_icon" in *"Icon ("*) ;; *) fail "the main window has no icon: $window_icon";; esac
grab "$main" ready
more_than 0.01 "$(share_of "$shots/ready.png" 'rgb(255,0,0)')" || fail "the ready screen shows a red count"

# Setup: a short red time, a short shooting time, a warning time.
click "$main" 364 469
setup=$(window_named '^ Fletchwise Vantix Setup$' "setup dialog") || exit 1
type_into() { click "$setup" "$1" "$2"; xdotool key --window "$setup" ctrl+a; xdotool type --window "$setup" "$3"; }
type_into 220 22 "Smoke Test Open"
type_into 166 83 12
type_into 166 113 4
type_into 166 144 5
sleep 0.3
grab "$setup" setup
click "$setup" 499 212
sleep 0.5
[ "$(xdotool getwindowname "$main")" = "FletchWise - Smoke Test Open" ] || fail "title is '$(xdotool getwindowname "$main")'"

# One wave: red within two seconds, green once the five red ticks are over, then yellow.
click "$main" 60 469
wait_for_colour "$main" 'rgb(255,0,0)' 2 red
wait_for_colour "$main" 'rgb(0,128,0)' 7 green
wait_for_colour "$main" 'rgb(255,255,0)' 10 yellow

# Stop time shows the judges' sign in red; reset timer goes back to the ready screen.
click "$main" 156 469
wait_for_colour "$main" 'rgb(255,0,0)' 2 judge
click "$main" 268 469
sleep 0.5

# The about box, closed with Enter.
click "$main" 460 469
about=$(window_named '^About$' "about box") || exit 1
sleep 0.3
grab "$about" about
xdotool mousemove --window "$about" 20 20 key Return
sleep 0.5
! xdotool search --onlyvisible --name '^About$' >/dev/null || fail "Enter did not close the about box"

# The keys: F5 starts the end, Escape stops the time, Delete abandons the end.
# They act only in the active window; with no window manager here, the
# test gives the main window the keyboard itself.
timeout 5 xdotool windowfocus --sync "$main" || fail "the main window did not get the keyboard within 5 s"
xdotool key --window "$main" F5
wait_for_colour "$main" 'rgb(255,0,0)' 2 key-start
xdotool key --window "$main" Escape
sleep 0.3
xdotool key --window "$main" Delete
sleep 0.5
grab "$main" key-ready
more_than 0.01 "$(share_of "$shots/key-ready.png" 'rgb(255,0,0)')" || fail "Escape and Delete did not end the end"

rm -f "$shots/key-start.png" "$shots/key-ready.png"

# Exit ends the program.
click "$main" 588 469
for _ in $(seq 30); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$program_pid" 2>/dev/null || fail "Exit did not end the program"
program_pid=
echo "smoke: ok, screenshots in $shots"
