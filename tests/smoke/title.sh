#!/usr/bin/env bash
# The real program in a copy of its directory under Xvfb: it comes up on its
# title (text shows in the screenshots), writes one screenshot per press of the screenshot key (space) as a BMP
# that ImageMagick reads, creating snapshot/ when missing, and quits cleanly
# on the quit key (Escape) and on a close request (SIGTERM).
#   title.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What the player made in the build's game directory stays out of the copy.
mkdir "$work/game"
(cd "$(dirname "$program")" && tar cf - --exclude=./config.ini --exclude=./savedata \
  --exclude=./snapshot --exclude=./record .) | (cd "$work/game" && tar xf -)

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
game=$1
log=$2
ending=$3

"$game/marrowdeep" >"$log" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 600); do
  window=$(xdotool search --name "Marrowdeep ver1.02" 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window appeared"; kill -KILL "$pid" 2>/dev/null; cat "$log"; exit 1; }
# Without a window manager the window takes the keyboard focus from a click.
xdotool mousemove --window "$window" 100 100 click 1
xdotool windowfocus "$window"
# Text shows once the start-up fade has half cleared: give a loaded machine time.
sleep 3

press() {  # held for several frames: still one action
  xdotool keydown "$1"
  sleep 0.3
  xdotool keyup "$1"
  sleep 0.3
}

if [ "$ending" = quit-key ]; then
  press space
  press space
  press Escape
else
  sleep 0.5
  kill -TERM "$pid"
fi
status=0
timeout 10 tail --pid="$pid" -f /dev/null || { echo "still running"; kill -KILL "$pid"; exit 1; }
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "exit status $status after $ending"; cat "$log"; exit 1; }
INNER

run() {
  SDL_VIDEODRIVER=x11 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash "$work/run.sh" "$work/game" "$work/$1.log" "$1"
}

run quit-key
shots=$(cd "$work/game" && ls snapshot 2>/dev/null | tr "\n" " ") || true
[ "$shots" = "ss00000.bmp ss00001.bmp " ] || { echo "screenshots: '$shots'"; cat "$work/quit-key.log"; exit 1; }
for shot in ss00000 ss00001; do
  size=$(identify -format '%m %w %h' "$work/game/snapshot/$shot.bmp")
  [[ "$size" == BMP*" 800 600" ]] || { echo "$shot.bmp reads as '$size'"; exit 1; }
  brightest=$(convert "$work/game/snapshot/$shot.bmp" -format '%[fx:maxima]' info:)
  [ "$brightest" != "0" ] || { echo "$shot.bmp is all black: no title text"; exit 1; }
done
grep -q '^frame rate [0-9]*$' "$work/quit-key.log" || { echo "no frame rate line"; exit 1; }

run close
grep -q '^frame rate [0-9]*$' "$work/close.log" || { echo "no frame rate line after the close"; exit 1; }
echo "title up, two screenshots, clean exits on the quit key and on a close"
