#!/usr/bin/env bash
# The real program under Xvfb: a window of the game's title at the default
# 800x600, about 60 frames a second, and status 0 on a close request (SIGTERM
# reaches SDL as a quit, which the window creator takes as closing).
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

# The last whole second's rate, past the first frames' loading and shader builds.
sleep 4
kill -TERM "$pid"
expect_clean_exit
rate=$(sed -n 's/^frame rate \([0-9]*\)$/\1/p' "$log" | tail -n 1)
[ -n "$rate" ] && [ "$rate" -ge 50 ] && [ "$rate" -le 63 ] || fail "measured frame rate '${rate:-none}', expected about 60"
echo "window 800x600, $rate frames a second, clean exit"
