#!/usr/bin/env bash
# The real program under Xvfb: its window has the game's title and the size of
# the default settings (800x600), it runs about 60 frames a second, and a close
# request (SIGTERM reaches SDL as a quit, which the window creator takes as
# closing the window) ends it with 0.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
under_xvfb

log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$program" 2>"$log" &
pid=$!
await_window
geometry=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "800x600" ] || fail "expected an 800x600 window, found $geometry"

# The rate is that of the last whole second: past the first frames, which load
# the title and build the renderer's shader variants.
sleep 4
kill -TERM "$pid"
expect_clean_exit
rate=$(sed -n 's/^frame rate \([0-9]*\)$/\1/p' "$log" | tail -n 1)
[ -n "$rate" ] && [ "$rate" -ge 50 ] && [ "$rate" -le 63 ] || fail "measured frame rate '${rate:-none}', expected about 60"
echo "window 800x600, $rate frames a second, clean exit"
