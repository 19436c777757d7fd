#!/usr/bin/env bash
# The real program reads every data list of the sample set at start from a copy
# of its directory and ends cleanly on SIGTERM, its debug output holding only
# the absent optional archives and the frame rate (a list naming a missing
# file would have stopped it at start).
#   data_lists.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/out.log
copy_game

cd "$work/game"
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ./marrowdeep >"$log" 2>&1 &
pid=$!
sleep 2
kill -TERM "$pid" 2>/dev/null || fail "the program ended by itself"
expect_clean_exit
unexpected=$(grep -v -e '^can.t open archive: bxl\(patch\|bgm\|\)\.dat$' -e '^frame rate [0-9]*$' "$log" || true)
[ -z "$unexpected" ] || fail "unexpected output: $unexpected"
echo "every list read at start, no word on the debug output"
