#!/usr/bin/env bash
# The real program in a copy of its directory under Xvfb, driven by keys: stars,
# the game's name and the lettered ring over the night sky, the load menu's 24 slots and the settings menu
# on the wall that hides the stars, the settings menu saving a new music volume
# to config.ini, status 0 on quitting from the ring.
# Screenshots go to MARROWDEEP_ARTEFACT_DIR when set. Waits poll the window's
# pixels; only key presses keep fixed lengths (the game reads the keyboard once
# a frame and gives no sign that it did).   title.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
under_xvfb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/menus.log
copy_game

source "$(dirname "$0")/lib/screens.sh"
# Polls until two captures in a row show the ring's three front items (turning,
# so their extents vary) and nothing between them, where items pass spinning in.
await_ring() {
  local end=$((SECONDS + 60)) settled=0 region ok
  while [ "$SECONDS" -lt "$end" ] && [ "$settled" -lt 2 ]; do
    ok=0
    if import -window "$window" "$capture" 2>/dev/null; then
      ok=1
      for region in 90x160+100+360 80x160+360+360 90x160+610+360; do
        [ "$(count "$capture" "$region" ring)" -ge 100 ] || ok=0
      done
      for region in 140x160+200+360 140x160+460+360; do
        [ "$(count "$capture" "$region" ring)" -le 20 ] || ok=0
      done
    fi
    settled=$(((settled + 1) * ok))
    sleep 0.1
  done
  [ "$settled" -ge 2 ] || fail "waited in vain for the ring to open"
}
# The game's own screenshot (space) as snapshot/ssNNNNN.bmp, waited for.
snapshot() {
  local file end=$((SECONDS + 60))
  file=$(printf 'snapshot/ss%05d.bmp' "$1")
  press space
  while [ ! -s "$file" ] && [ "$SECONDS" -lt "$end" ]; do sleep 0.1; done
  [ -s "$file" ] || fail "no $file"
}

cd "$work/game"
SDL_VIDEODRIVER=x11 ./marrowdeep >"$log" 2>&1 &
pid=$!
await_window
# Without a window manager the window takes the keyboard focus from a click.
xdotool mousemove --window "$window" 100 100 click 1
xdotool windowfocus "$window"

# The loop runs once the stars show through the start-up fade.
await 800x300+0+0 star 200 "the stars"
press x          # the ring at once
await_ring
snapshot 0       # stars and ring
press Right      # start -> load
press x
snapshot 1       # the slot list
press z
press Right      # load -> config
press x
press Up 4       # wraps round to BGMボリューム
press Right
snapshot 2       # the settings menu, changed
press Down 5     # wraps round to 保存
press x
press Up         # もどる
press x
press Right      # config -> quit
press x
timeout 20 tail --pid="$pid" -f /dev/null || fail "still running"
expect_clean_exit

shots=$(ls snapshot 2>/dev/null | tr "\n" " ") || true
[ "$shots" = "ss00000.bmp ss00001.bmp ss00002.bmp " ] || fail "screenshots: '$shots'"
for shot in 0:ring 1:load 2:settings; do
  file=snapshot/ss0000${shot%%:*}.bmp
  size=$(identify -format '%m %w %h' "$file")
  [[ "$size" == BMP*" 800 600" ]] || fail "$file reads as '$size'"
  [ -z "${MARROWDEEP_ARTEFACT_DIR:-}" ] ||
    { mkdir -p "$MARROWDEEP_ARTEFACT_DIR" && convert "$file" "$MARROWDEEP_ARTEFACT_DIR/title_${shot#*:}.png"; }
done

# Stars all over the sky: star pixels in each quarter of the upper screen.
for quarter in 400x150+0+0 400x150+400+0 400x150+0+150 400x150+400+150; do
  n=$(count snapshot/ss00000.bmp "$quarter" star)
  [ "$n" -ge 20 ] || fail "$n star pixels in $quarter"
done
# The ring across the lower screen, none of its colours among the stars.
n=$(count snapshot/ss00000.bmp 800x160+0+360 ring)
[ "$n" -ge 1500 ] || fail "$n ring pixels"
n=$(count snapshot/ss00000.bmp 800x300+0+0 ring)
[ "$n" -le 50 ] || fail "$n ring-coloured pixels among the stars"

# The game's name high on the sky; each front item's plate lettered, the
# front one (START, five letters) wider than QUIT and LOAD beside it.
n=$(count snapshot/ss00000.bmp 512x128+144+46 logo)
[ "$n" -ge 3000 ] || fail "$n logo pixels"
for plate in 96x26+96+458:16:40 96x26+352+458:36:48 96x26+608+458:16:40; do
  IFS=: read -r region narrowest widest <<<"$plate"
  n=$(count snapshot/ss00000.bmp "$region" ring)
  [ "$n" -ge 1200 ] || fail "$n plate pixels in $region"
  width=$(convert snapshot/ss00000.bmp -crop "$region" +repage -fx 'r>0.85&&g>0.85&&b>0.9' -trim -format %w info:)
  [ "$width" -ge "$narrowest" ] && [ "$width" -le "$widest" ] || fail "a label $width wide in $region"
done

# The wall hides the falling stars behind the load and settings menus: none
# shows around their panel (x 80..720, y 60..540).
for shot in 1:load 2:settings; do
  for band in 800x56+0+0 800x56+0+544 56x480+0+60 76x480+724+60; do
    n=$(count snapshot/ss0000${shot%%:*}.bmp "$band" star)
    [ "$n" -le 8 ] || fail "$n star pixels over the wall of the ${shot#*:} menu in $band"
  done
done

# Rows of a region (WxH+X+Y) with a lit pixel, as a string of 0 and 1, top down.
lit_rows() {
  local height=${2#*x}
  height=${height%%+*}
  convert "$1" -crop "$2" +repage -colorspace gray -threshold 50% -scale "1x$height!" -threshold 0 txt:- |
    tail -n +2 | awk '{printf "%d", ($3 ~ /FFFFFF/) ? 1 : 0}'
}
# Each of n cells of a pitch in the row string holds at least min lit rows.
rows_in_cells() {  # rows n pitch min what
  local k cell ones
  for ((k = 0; k < $2; ++k)); do
    cell=${1:k*$3:$3}
    ones=${cell//0/}
    [ "${#ones}" -ge "$4" ] || fail "$5 row $k: '$cell'"
  done
}
# The slot list: from the panel's top, 24 text lines 20 pixels apart.
rows_in_cells "$(lit_rows snapshot/ss00001.bmp 116x480+84+60)" 24 20 10 "slot list"
# The settings menu: 17 labels 24 pixels apart (26-pixel glyphs), none below.
rows=$(lit_rows snapshot/ss00002.bmp 200x440+84+60)
rows_in_cells "$rows" 17 24 10 "settings"
[[ "${rows:17*24+6}" != *1* ]] || fail "settings: lit rows below the 17th: ${rows:17*24}"
# Labels end before the values' column at x 344: nothing lit just left of it.
rows=$(lit_rows snapshot/ss00002.bmp 5x408+339+64)
[[ "$rows" != *1* ]] || fail "settings: a label runs into the values' column: $rows"

grep -q '^BGMVolume 4;' config.ini || fail "config.ini: $(cat config.ini)"
grep -q '^frame rate [0-9]*$' "$log" || fail "no frame rate line"
echo "stars, name and lettered ring over the sky, 24 slots listed, settings saved, clean exit on quit"
