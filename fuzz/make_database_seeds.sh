#!/usr/bin/env bash
# Seeds of the DatabaseFile harness: the sample battle files (Shift-JIS, as the
# game reads them) joined by zero bytes, whole and with typical damage.
#   fuzz/make_database_seeds.sh   (from the repository root)
set -euo pipefail
data=game/src/data
out=fuzz/corpus/DatabaseFile
files=(state ability tool shell enemy race synchro skilltree)

# join FILE... : the eight files, each replaced by the next argument when given
# as NAME=PATH.
join() {
  for name in "${files[@]}"; do
    src=$data/$name.txt
    for replacement in "$@"; do
      [ "${replacement%%=*}" = "$name" ] && src=${replacement#*=}
    done
    iconv -f UTF-8 -t CP932 "$src"
    printf '\0'
  done
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
join >"$out/samples"
sed 's/ability 斬り払い;/ability 雷鳴;/' $data/tool.txt >"$tmp/tool.txt"
join tool="$tmp/tool.txt" >"$out/unknown_art"
sed 's/name 恐怖; accuracy 30;/name 石化; accuracy 30;/' $data/ability.txt >"$tmp/ability.txt"
join ability="$tmp/ability.txt" >"$out/unknown_state"
head -c 700 $data/enemy.txt >"$tmp/enemy.txt"
join enemy="$tmp/enemy.txt" >"$out/truncated_enemy"
sed 's/ring 粘体,不死;/ring 粘体,不死,竜;/' $data/race.txt >"$tmp/race.txt"
join race="$tmp/race.txt" >"$out/unknown_race"
sed 's/slot 1; name 革の鎧;/slot 9; name 革の鎧;/' $data/shell.txt >"$tmp/shell.txt"
join shell="$tmp/shell.txt" >"$out/bad_gear_slot"
: >"$tmp/empty.txt"
join shell="$tmp/empty.txt" >"$out/no_shells"
sed 's/area 列;/area 輪;/' $data/ability.txt >"$tmp/ability2.txt"
join ability="$tmp/ability2.txt" >"$out/bad_keyword"
