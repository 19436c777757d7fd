#!/usr/bin/env bash
# The real program in a copy of its directory under Xvfb, driven by scripted
# keys: the title shows its stars and ring over the cleared (black) frame,
# the load menu lists the save slots, the settings menu changes the music
# volume and saves config.ini, quitting from the ring ends with status 0, and
# a close request (SIGTERM) ends it cleanly too. Screenshots go to
# MARROWDEEP_ARTEFACT_DIR when it is set.
#   title.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What the player made in the build's game directory stays out of the copy.
mkdir "$work/game"
(cd "$(dirname "$program")" && tar cf - --exclude=./config.ini --exclude=./savedata \
  --exclude=./snapshot --exclude=./record .) | (cd "$work/game" && tar xf -)

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
game=$1
log=$2
ending=$3

cd "$game"
./marrowdeep >"$log" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 600); do
  window=$(xdotool search --name "Marrowdeep ver1.02" 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window appeared"; kill -KILL "$pid" 2>/dev/null; cat "$log"; exit 1; }
# Without a window manager the window takes the keyboard focus from a click.
xdotool mousemove --window "$window" 100 100 click 1
xdotool windowfocus "$window"
# Text shows once the start-up fade has half cleared: give a loaded machine time.
sleep 3

press() {  # held for several frames: still one action
  xdotool keydown "$1"
  sleep 0.3
  xdotool keyup "$1"
  sleep 0.3
}
presses() {
  for _ in $(seq 1 "$2"); do press "$1"; done
}

if [ "$ending" = menus ]; then
  press x          # the ring at once
  sleep 1.5        # its opening and the fade-in
  press space      # ss00000: stars and ring
  press Right      # start -> load
  press x
  sleep 0.5
  press space      # ss00001: the slot list
  press z
  sleep 0.5
  press Right      # load -> config
  press x
  sleep 0.3
  presses Down 13  # BGMボリューム
  press Right
  press space      # ss00002: the settings menu, changed
  presses Up 12    # 保存
  press x
  press Up         # もどる
  press x
  sleep 0.5
  press Right      # config -> quit
  press x
else
  sleep 0.5
  kill -TERM "$pid"
fi
status=0
timeout 10 tail --pid="$pid" -f /dev/null || { echo "still running"; kill -KILL "$pid"; exit 1; }
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "exit status $status after $ending"; cat "$log"; exit 1; }
INNER

run() {
  SDL_VIDEODRIVER=x11 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash "$work/run.sh" "$work/game" "$work/$1.log" "$1"
}

# Lit pixels of a screenshot region (the cleared frame has none).
lit() {
  convert "$1" -crop "$2" +repage -colorspace gray -threshold 8% -format '%[fx:int(mean*w*h+0.5)]' info:
}
# Rows of the region with at least one lit pixel.
lit_rows() {
  convert "$1" -crop "$2" +repage -colorspace gray -threshold 20% -scale "1x100%!" -threshold 0 \
    -format '%[fx:int(mean*h+0.5)]' info:
}

run menus
shots=$(cd "$work/game" && ls snapshot 2>/dev/null | tr "\n" " ") || true
[ "$shots" = "ss00000.bmp ss00001.bmp ss00002.bmp " ] || { echo "screenshots: '$shots'"; cat "$work/menus.log"; exit 1; }
if [ -n "${MARROWDEEP_ARTEFACT_DIR:-}" ]; then
  mkdir -p "$MARROWDEEP_ARTEFACT_DIR"
  convert "$work/game/snapshot/ss00000.bmp" "$MARROWDEEP_ARTEFACT_DIR/title_ring.png"
  convert "$work/game/snapshot/ss00001.bmp" "$MARROWDEEP_ARTEFACT_DIR/title_load.png"
  convert "$work/game/snapshot/ss00002.bmp" "$MARROWDEEP_ARTEFACT_DIR/title_settings.png"
fi
for shot in ss00000 ss00001 ss00002; do
  size=$(identify -format '%m %w %h' "$work/game/snapshot/$shot.bmp")
  [[ "$size" == BMP*" 800 600" ]] || { echo "$shot.bmp reads as '$size'"; exit 1; }
done
# Stars all over the sky: lit pixels in each quarter of the upper screen.
title="$work/game/snapshot/ss00000.bmp"
for quarter in 400x150+0+0 400x150+400+0 400x150+0+150 400x150+400+150; do
  [ "$(lit "$title" "$quarter")" -gt 0 ] || { echo "no stars in $quarter"; exit 1; }
done
# The slot list: text rows down the list's panel.
rows=$(lit_rows "$work/game/snapshot/ss00001.bmp" 640x480+80+60)
[ "$rows" -gt 150 ] || { echo "the load menu shows $rows lit rows"; exit 1; }
# The settings menu: 17 rows of labels.
rows=$(lit_rows "$work/game/snapshot/ss00002.bmp" 200x420+80+60)
[ "$rows" -gt 150 ] || { echo "the settings menu shows $rows lit rows"; exit 1; }
grep -q '^BGMVolume 4;' "$work/game/config.ini" || { echo "config.ini:"; cat "$work/game/config.ini"; exit 1; }
grep -q '^frame rate [0-9]*$' "$work/menus.log" || { echo "no frame rate line"; exit 1; }

run close
grep -q '^frame rate [0-9]*$' "$work/close.log" || { echo "no frame rate line after the close"; exit 1; }
echo "stars and ring over the cleared frame, slot list, settings saved, clean exits on quit and on a close"
