#!/usr/bin/env bash
# Under Xvfb the program's window shows the cleared frame: away from the
# title's text (the top 200 rows) it reads back black, frame after frame, and
# the program still ends cleanly on a termination signal.
#   cleared_frame.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
program=$1
work=$2
"$program" >"$work/out.log" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 600); do
  window=$(xwininfo -root -tree | awk '/"Marrowdeep ver1.02"/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "no window appeared"; kill -TERM "$pid" || true; cat "$work/out.log"; exit 1
fi
for shot in 1 2; do
  sleep 1
  import -window "$window" "$work/frame$shot.png"
done
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
cat "$work/out.log"
[ "$status" -eq 0 ] || { echo "program exited with status $status"; exit 1; }
INNER

# Start the display search away from :99, where parallel runs collide.
SDL_VIDEODRIVER=x11 xvfb-run -a -s "-screen 0 1024x768x24" \
  bash "$work/run.sh" "$program" "$work"

for shot in 1 2; do
  size=$(identify -format '%w %h' "$work/frame$shot.png")
  [ "$size" = "800 600" ] || { echo "frame $shot is $size, not 800 600"; exit 1; }
  brightest=$(convert "$work/frame$shot.png" -crop 800x200+0+0 -format '%[fx:maxima]' info:)
  [ "$brightest" = "0" ] || { echo "frame $shot is not cleared to black (brightest $brightest)"; exit 1; }
done
echo "cleared frame seen"
