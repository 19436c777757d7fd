#!/usr/bin/env bash
# The real program under Xvfb from a new game on the sample data: the opening
# hall's floor, walls and compass; an arrow key moves the view but not the
# compass; the camp opens on c,
# saves to slot 0 and closes onto the hall; the hall's exit fades the floor
# out into the continue scene, whose Wrenfold opens the shop and its buy list
# and comes back; status 0 on quitting.
# Captures go to MARROWDEEP_ARTEFACT_DIR when set. Waits poll the window's
# pixels; only key presses keep fixed lengths.   field.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
under_xvfb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/field.log
source "$(dirname "$0")/lib/screens.sh"
copy_game
launch
new_game_to_hall
keep field_hall

# Regions of the hall as the new game first shows it: lit floor round the
# party, the face of the near wall at the lower left, nothing above the hall,
# the compass ring at the top right.
expect() {  # image region class low high what
  local n
  n=$(count "$1" "$2" "$3")
  [ "$n" -ge "$4" ] && [ "$n" -le "$5" ] || fail "$6: $n $3 pixels in $2"
}
expect "$work/field_hall.png" 200x100+300+220 stone 10000 20000 "the floor"
expect "$work/field_hall.png" 140x130+105+380 stone 2500 8000 "the wall's face"
expect "$work/field_hall.png" 150x100+450+20 stone 0 20 "the dark beyond"
expect "$work/field_hall.png" 160x160+640+0 compass 400 1600 "the compass"

# Left walks away from the exit: the camera follows, so the floor shifts.
press Left
await_still "the step"
keep field_moved
moved=$(changed "$work/field_hall.png" "$work/field_moved.png")
[ "$moved" -ge 20000 ] || fail "the view stayed ($moved pixels changed)"
for shot in hall moved; do
  convert "$work/field_$shot.png" -crop 160x160+640+0 +repage "$work/compass_$shot.png"
done
moved=$(changed "$work/compass_hall.png" "$work/compass_moved.png")
[ "$moved" -le 100 ] || fail "the compass moved with the view ($moved pixels changed)"

# The camp over its purple wall, with セーブ last: slot 0 written, then two
# cancels back to the hall.
press c
await 140x120+420+320 wall 10000 "the camp"
keep field_camp
[ ! -e savedata/0.sav ] || fail "slot 0 saved before the camp did"
press Up         # wraps round to セーブ
press x
await 500x300+150+150 panel 100000 "the save slots"
press x
end=$((SECONDS + 30))
while [ ! -s savedata/0.sav ] && [ "$SECONDS" -lt "$end" ]; do sleep 0.1; done
[ -s savedata/0.sav ] || fail "the camp's セーブ wrote no savedata/0.sav"
press z
await 140x120+420+320 wall 10000 "the camp again"
press z
await 140x120+420+320 wall 0 "the camp to close" at_most
await 200x100+300+220 stone 5000 "the hall again"

# Right walks toward the exit: the floor fades out, the continue scene (its
# list at the top left, Kessa's face at the right) comes.
for _ in 1 2 3 4 5 6; do
  press Right
  import -window "$window" "$capture" 2>/dev/null || continue
  [ "$(count "$capture" 200x100+300+220 stone)" -ge 5000 ] || break
done
await 200x100+300+220 stone 50 "the floor to fade out" at_most
await 140x50+600+262 red 2000 "the continue scene"
await 56x40+80+62 panel 500 "the continue scene's list"
keep field_continue

# Wrenfold, the last row: the shopkeeper talks (a line a press), then the
# shop, its buy list (wider than the main list), back and farewell through
# his word on saving and the save dialog, which is cancelled, back to the
# continue scene.
press Down 2
press x
await 140x40+605+262 grey 2000 "the shopkeeper"
for _ in 1 2 3 4 5 6; do
  press x
  import -window "$window" "$capture" 2>/dev/null || continue
  [ "$(count "$capture" 56x40+80+146 panel)" -lt 700 ] || break
done
await 56x40+80+146 panel 700 "the shop's main list"
press x
await 80x30+225+150 panel 1000 "the buy list"
keep field_shop_buy
press z
await 80x30+225+150 panel 0 "the buy list to close" at_most
press Up         # wraps round to さよなら
press x
await 140x40+605+262 grey 2000 "the shopkeeper's word on saving"
press x 2
await 500x300+150+150 panel 100000 "the save dialog"
press z
await 120x60+330+265 panel 1000 "the question to end"
press x
await 140x50+600+262 red 2000 "the continue scene again"

press Escape
timeout 20 tail --pid="$pid" -f /dev/null || fail "still running"
expect_clean_exit
echo "hall drawn, view moved under a still compass, camp saved slot 0, exit faded to the continue scene, shop and back"
