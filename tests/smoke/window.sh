#!/usr/bin/env bash
# The real program under Xvfb: its window has the game's title and the size of
# the default settings (800x600), it runs about 60 frames a second, and a close
# request (SIGTERM reaches SDL as a quit, which the window creator takes as
# closing the window) ends it with 0.
set -euo pipefail
program=$(realpath "$1")

if [ -z "${SMOKE_INSIDE_XVFB:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; exit 1; }
  SMOKE_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$program"
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$program" 2>"$log" &
pid=$!

geometry=""
for _ in $(seq 1 600); do
  geometry=$(xwininfo -name "Marrowdeep ver1.02" 2>/dev/null | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {if (w) print w "x" h}') || true
  [ -n "$geometry" ] && break
  sleep 0.1
done
if [ "$geometry" != "800x600" ]; then
  echo "expected an 800x600 window titled 'Marrowdeep ver1.02', found '${geometry:-none}'"
  kill -KILL "$pid" 2>/dev/null || true
  cat "$log"
  exit 1
fi

# The rate is that of the last whole second: past the first frames, which load
# the title and build the renderer's shader variants.
sleep 4
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
cat "$log"
if [ "$status" -ne 0 ]; then
  echo "exit status $status, expected 0"
  exit 1
fi
rate=$(sed -n 's/^frame rate \([0-9]*\)$/\1/p' "$log" | tail -n 1)
if [ -z "$rate" ] || [ "$rate" -lt 50 ] || [ "$rate" -gt 63 ]; then
  echo "measured frame rate '${rate:-none}', expected about 60"
  exit 1
fi
echo "window 800x600, $rate frames a second, clean exit"
