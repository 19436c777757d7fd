#!/usr/bin/env bash
# The real program played by the scripts beside this file, under Xvfb with the
# software renderer: a new game from the title to the field and out through
# the title's ring; a new game that wins the mine's first battle, meets Mio
# and saves from the camp; then that save's load, out to the hall, where the
# old miner opens the party organiser. The traces must show their scenes;
# the shots of the title, the mine's first floor (its figures standing over
# the site's ground, which stays hidden under the floor), the battle's
# command menu, the camp and the organiser must match their goldens beside
# this file within a tolerance, and the load's text must stay inside its
# frames (strays.txt, as frames.sh checks). Every wait fails the run
# within its frame limit, printing the trace's last lines. Shots, traces and
# any differing frame with its difference image go to
# MARROWDEEP_ARTEFACT_DIR/play.
#   play.sh PROGRAM [--refresh-goldens]
# --refresh-goldens (or MARROWDEEP_REFRESH_GOLDENS=1) writes this run's shots
# over the goldens instead, for new pictures merged in.
set -euo pipefail
program=$(realpath "$1")
# An exported switch outlives the run again under Xvfb.
[ "${2:-}" != --refresh-goldens ] || export MARROWDEEP_REFRESH_GOLDENS=1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../lib/common.sh"
under_xvfb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/play.log
artefacts=${MARROWDEEP_ARTEFACT_DIR:-$work/artefacts}/play
rm -rf "$artefacts" && mkdir -p "$artefacts" "$work/home"

# Differing pixels (each channel within 10%) allowed against a golden: the
# software renderer of another machine may round edges differently.
tolerance=2400

keep_shots() {  # RUN
  local shot
  for shot in "$work/$1"/*.bmp; do
    [ -e "$shot" ] && convert "$shot" "$artefacts/$1.$(basename "${shot%.bmp}").png"
  done
  cp "$work/$1/trace.jsonl" "$artefacts/$1.trace.jsonl" 2>/dev/null || true
}

# Runs NAME.play; the seed fixes the stars and every other draw.
play() {  # NAME
  local status=0
  mkdir -p "$work/$1"
  LIBGL_ALWAYS_SOFTWARE=1 SDL_VIDEODRIVER=x11 timeout 150 "$program" --play "$here/$1.play" --seed 1 \
    --trace "$work/$1/trace.jsonl" --home "$work/home" --shots "$work/$1" >"$log" 2>&1 || status=$?
  keep_shots "$1"
  [ "$status" -eq 0 ] || fail "$1.play: status $status"
}

scenes() { grep -o '"scene":"[a-z]*"' "$1" | cut -d'"' -f4 | uniq | tr '\n' ' '; }
# The ms field of the first line matching a pattern (after line N when given).
ms_at() { tail -n "+${3:-1}" "$1" | grep -m1 "$2" | sed 's/.*"ms":\([0-9]*\).*/\1/'; }

# Goldens that differ, reported once every run has played.
differing_goldens=""

golden() {  # SHOT NAME
  local differing expected="$here/$2.png"
  if [ -n "${MARROWDEEP_REFRESH_GOLDENS:-}" ]; then
    # Without time stamps, a picture that did not change keeps its bytes.
    convert "$1" -define png:exclude-chunks=date,time "$expected"
    echo "$2.png: refreshed"
    return
  fi
  differing=$(compare -metric AE -fuzz 10% "$1" "$expected" null: 2>&1) || true
  if ! [ "$differing" -le "$tolerance" ] 2>/dev/null; then
    convert "$1" "$artefacts/$2.actual.png"
    compare "$1" "$expected" "$artefacts/$2.diff.png" 2>/dev/null || true
    differing_goldens+="$2.png: $differing differing pixels (at most $tolerance); "
  fi
  echo "$2.png: $differing differing pixels"
}

play new_game
trace=$work/new_game/trace.jsonl
[ "$(scenes "$trace")" = "title field title " ] || fail "scenes: $(scenes "$trace")"
golden "$work/new_game/title.bmp" title
first_field=$(grep -n -m1 '"scene":"field"' "$trace" | cut -d: -f1)
echo "timing: exec to the first title frame $(ms_at "$trace" '"scene":"title"') ms"
echo "timing: new game to the first field frame" \
  "$(($(ms_at "$trace" '"scene":"field"') - $(ms_at "$trace" '"scene":"title"' $((first_field - 1)))))" ms

play save
expected="title field continue field battle field camp field title "
[ "$(scenes "$work/save/trace.jsonl")" = "$expected" ] || fail "scenes: $(scenes "$work/save/trace.jsonl")"
[ -s "$work/home/savedata/0.sav" ] || fail "save.play wrote no savedata/0.sav"
golden "$work/save/floor.bmp" floor
golden "$work/save/command.bmp" command
golden "$work/save/camp.bmp" camp
play load
[ "$(scenes "$work/load/trace.jsonl")" = "title field continue field " ] || fail "scenes: $(scenes "$work/load/trace.jsonl")"
golden "$work/load/organiser.bmp" organiser
# The load's screens, the organiser's among them, hold their text inside
# their frames.
if [ -s "$work/load/strays.txt" ]; then
  cp "$work/load/strays.txt" "$artefacts/load.strays.txt"
  fail "load.play: text outside its frame: $(iconv -f CP932 -t UTF-8 "$work/load/strays.txt" | head -20)"
fi
[ -z "$differing_goldens" ] || fail "$differing_goldens"
echo "title -> field -> title played; a battle won, saved, loaded and the party organised; the shots as their goldens"
