# Sourced after `set -euo pipefail` with $program set; scripts keep the
# program's process id in $pid and its output in $log.

# Runs the calling script again under a virtual X display, once.
under_xvfb() {
  if [ -z "${SMOKE_INSIDE_XVFB:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; exit 1; }
    SMOKE_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$program"
  fi
}

# A copy of the program's directory in $work/game, without the player's files.
copy_game() {
  mkdir "$work/game"
  (cd "$(dirname "$program")" && tar cf - --exclude=./config.ini --exclude=./savedata \
    --exclude=./snapshot --exclude=./record .) | (cd "$work/game" && tar xf -)
}

fail() {
  echo "$1"
  [ -z "${pid:-}" ] || kill -KILL "$pid" 2>/dev/null || true
  cat "$log"
  exit 1
}

# Sets $window to the game's window, waiting up to a minute for it.
await_window() {
  local end=$((SECONDS + 60))
  window=""
  while [ -z "$window" ] && [ "$SECONDS" -lt "$end" ]; do
    window=$(xdotool search --name '^Marrowdeep ver1\.02$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] || sleep 0.1
  done
  [ -n "$window" ] && [ "$(xdotool getwindowname "$window")" = "Marrowdeep ver1.02" ] ||
    fail "no window titled 'Marrowdeep ver1.02' appeared"
}

# Waits for the program to end, which it must with status 0.
expect_clean_exit() {
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "exit status $status, expected 0"
}
