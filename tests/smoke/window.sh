#!/usr/bin/env bash
# The real program under Xvfb: a window of the game's title at the default
# 800x600 whose picture goes on changing (frames advance), and status 0 on a
# close request (SIGTERM reaches SDL as a quit, which the window creator takes
# as closing). The frame rate the program logs on leaving is printed, not
# checked: a shared machine sets the pace.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
under_xvfb

log=$(mktemp)
capture=$(mktemp --suffix=.png)
trap 'rm -f "$log" "$capture"' EXIT
"$program" 2>"$log" &
pid=$!
await_window
geometry=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "800x600" ] || fail "expected an 800x600 window, found $geometry"

# A signature of the window's pixels now.
picture() {
  import -window "$window" "$capture" 2>/dev/null && identify -format '%#' "$capture"
}
# Polls until the picture differs from the one given, for up to a minute.
await_change() {
  local end=$((SECONDS + 60)) now
  while [ "$SECONDS" -lt "$end" ]; do
    now=$(picture) || now=""
    if [ -n "$now" ] && [ "$now" != "$1" ]; then
      echo "$now"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
# Two changes in a row: frames go on being drawn and shown (the fade, the
# falling stars), not one picture replacing the window's first contents.
first=$(picture) || first=""
second=$(await_change "$first") || fail "the window's picture never changed"
await_change "$second" >/dev/null || fail "the window's picture changed once and then stood still"

# Running a little longer lets the logged rate cover whole seconds of play.
sleep 2
kill -TERM "$pid"
expect_clean_exit
grep -q '^frame rate [0-9]*$' "$log" || fail "no frame rate line"
rate=$(sed -n 's/^frame rate \([0-9]*\)$/\1/p' "$log" | tail -n 1)
echo "window 800x600, frames advance, clean exit; pacing (reported, not checked): $rate frames a second"
