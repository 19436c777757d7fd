#!/usr/bin/env bash
# The real program reads every data list of the sample set at start (map
# sites, links, containers, the map, symbol and unit picture lists) from a
# copy of its directory: it comes up and ends cleanly on a termination signal,
# with nothing on its debug output but the absent optional archives and the
# frame rate. A list naming a missing file would have stopped it at start.
#   data_lists.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/game"
(cd "$(dirname "$program")" && tar cf - --exclude=./config.ini --exclude=./savedata \
  --exclude=./snapshot --exclude=./record .) | (cd "$work/game" && tar xf -)

cd "$work/game"
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ./marrowdeep >"$work/out.log" 2>&1 &
pid=$!
sleep 2
kill -TERM "$pid" 2>/dev/null || { echo "the program ended by itself"; cat "$work/out.log"; exit 1; }
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "exit status $status"; cat "$work/out.log"; exit 1; }
unexpected=$(grep -v -e '^can.t open archive: bxl\(patch\|bgm\|\)\.dat$' -e '^frame rate [0-9]*$' "$work/out.log" || true)
[ -z "$unexpected" ] || { echo "unexpected output:"; echo "$unexpected"; exit 1; }
echo "every list read at start, no word on the debug output"
