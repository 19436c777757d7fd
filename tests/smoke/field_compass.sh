#!/usr/bin/env bash
# The real program under Xvfb from a new game on the sample data: the compass
# ring at the top right of the opening hall; an arrow key moves the view and
# leaves the compass where it stands.
# Captures go to MARROWDEEP_ARTEFACT_DIR when set. Waits poll the window's
# pixels; only key presses keep fixed lengths.   field_compass.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
under_xvfb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/compass.log
source "$(dirname "$0")/lib/screens.sh"
copy_game
launch
new_game_to_hall
await 160x160+640+0 compass 300 "the compass"
keep field_compass_hall

press Left       # away from the exit
await_still "the step"
keep field_compass_moved
moved=$(changed "$work/field_compass_hall.png" "$work/field_compass_moved.png")
[ "$moved" -ge 20000 ] || fail "the view stayed ($moved pixels changed)"
convert "$work/field_compass_hall.png" -crop 160x160+640+0 +repage "$work/compass_before.png"
convert "$work/field_compass_moved.png" -crop 160x160+640+0 +repage "$work/compass_after.png"
moved=$(changed "$work/compass_before.png" "$work/compass_after.png")
[ "$moved" -le 100 ] || fail "the compass moved with the view ($moved pixels changed)"

press Escape
timeout 20 tail --pid="$pid" -f /dev/null || fail "still running"
expect_clean_exit
echo "compass over the hall, still while the view moves"
