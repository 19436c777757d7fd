#!/usr/bin/env bash
# Text inside its frames: frames/screens.play played at 800x600 and at
# 640x480 (the software renderer under Xvfb); the program lists every text
# whose ink touches or leaves the frame holding it in strays.txt, which must
# not exist; the shots at 800x600 must match their goldens in frames/ within
# a tolerance, and the status screen, the shop's list and the settings at
# 640x480 theirs (small.*.png). frames/ring.play makes a memory save and
# shows the title's ring with its five items, at both sizes, against
# ring.png and small.ring.png (its battle is not the check's).
# Shots, and any differing frame with its difference, go to
# MARROWDEEP_ARTEFACT_DIR/frames.   frames.sh PROGRAM [--refresh-goldens]
set -euo pipefail
program=$(realpath "$1")
[ "${2:-}" != --refresh-goldens ] || export MARROWDEEP_REFRESH_GOLDENS=1
here=$(cd "$(dirname "$0")" && pwd)/frames
source "$here/../lib/common.sh"
under_xvfb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/play.log
artefacts=${MARROWDEEP_ARTEFACT_DIR:-$work/artefacts}/frames
rm -rf "$artefacts" && mkdir -p "$artefacts"
tolerance=2400
differing=""

play() {  # NAME WINDOW_SIZE (the settings' index: 0 is 640x480, 1 800x600) [SCRIPT]
  local status=0 shot
  mkdir -p "$work/$1/home"
  echo "windowSize $2;" >"$work/$1/home/config.ini"
  LIBGL_ALWAYS_SOFTWARE=1 SDL_VIDEODRIVER=x11 timeout 150 "$program" --play "$here/${3:-screens}.play" --seed 1 \
    --home "$work/$1/home" --shots "$work/$1" >"$log" 2>&1 || status=$?
  for shot in "$work/$1"/*.bmp; do
    [ -e "$shot" ] && convert "$shot" "$artefacts/$1.$(basename "${shot%.bmp}").png"
  done
  [ "$status" -eq 0 ] || fail "$1: status $status"
  if [ -z "${3:-}" ] && [ -s "$work/$1/strays.txt" ]; then
    cp "$work/$1/strays.txt" "$artefacts/$1.strays.txt"
    fail "$1: text outside its frame: $(iconv -f CP932 -t UTF-8 "$work/$1/strays.txt" | head -20)"
  fi
}

golden() {  # SHOT NAME
  local count expected="$here/$2.png"
  if [ -n "${MARROWDEEP_REFRESH_GOLDENS:-}" ]; then
    convert "$1" -define png:exclude-chunks=date,time "$expected"
    return
  fi
  count=$(compare -metric AE -fuzz 10% "$1" "$expected" null: 2>&1) || true
  if ! [ "$count" -le "$tolerance" ] 2>/dev/null; then
    compare "$1" "$expected" "$artefacts/$2.diff.png" 2>/dev/null || true
    differing+="$2.png: $count differing pixels; "
  fi
}

play large 1
for shot in "$work"/large/*.bmp; do golden "$shot" "$(basename "${shot%.bmp}")"; done
play small 0
for name in status buy settings; do golden "$work/small/$name.bmp" "small.$name"; done
play large.ring 1 ring
golden "$work/large.ring/ring.bmp" ring
play small.ring 0 ring
golden "$work/small.ring/ring.bmp" small.ring
[ -z "$differing" ] || fail "$differing"
echo "every text clear of its frame's border at 800x600 and 640x480; the shots as their goldens"
