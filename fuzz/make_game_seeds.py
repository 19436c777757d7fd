#!/usr/bin/env python3
"""Writes the seed corpora of the FloorFile, FieldNode and DataLists harnesses
from the sample data (Shift-JIS, as the game reads it), with the damage each
reader must refuse by name or read as a sound value:
   python3 fuzz/make_game_seeds.py   (from the project root)"""
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
GAME = os.path.join(HERE, "..", "game")

# The DataLists harness's lists, in its order: the first byte picks one.
LISTS = [
    ("sites", "src/data/map/list.txt"),
    ("links", "src/data/map/link.txt"),
    ("tiles", "src/picture/map/list.txt"),
    ("objects", "src/picture/map/object/list.txt"),
    ("symbols", "src/picture/symbol/list.txt"),
    ("chara", "src/picture/symbol/chara/スライム.txt"),
    ("units", "src/picture/unit/list.txt"),
    ("encounter", None),
    ("scene", "src/picture/scene/坑道.txt"),
    ("faces", "src/face/face.txt"),
    ("face_batches", "src/face/batch.txt"),
    ("message", None),
    ("declarations", "src/data/map/head.txt"),
    ("battle_lines", "src/data/せりふ.txt"),
    ("tunes", "bgm/bgm.txt"),
    ("battle_sounds", "src/sound/戦闘.txt"),
    ("system_sounds", "src/system/systemsound.txt"),
    ("effect_sounds", None),
]

# Lists with no sample file of their own: a node as the game holds one.
OWN_TEXT = {
    "encounter": "frequency 100; scene 坑道; group{ race 粘体; priority 40; }"
                 " group{ race 翼; priority 30; backAttack 50; }"
                 " group{ member 骨の兵士,0,2; member 毒スライム,1,1; priority 10; rank 5; forestall 20; }",
    "message": "R トヴァン,灯りか……人か。; L Kessa,ケッサ。; L Kessa笑; close; skip;",
    "effect_sounds": "folder src/sound; 吸血{ main drain; hit hit; } 雷鳴{ main thunder; }",
}

# Numbers a list must refuse by name: a quotient by zero, counts and angles
# out of range.
LIST_DAMAGE = {
    "tunes_crossfade_nan": ("tunes", "タイトル{ file title; loop 1; crossFade /; }"),
    "tunes_volume_nan": ("tunes", "タイトル{ file title; loop 1; volume /; }"),
    "tunes_loop_infinite": ("tunes", "タイトル{ file title; loop 1/0; }"),
    "encounter_priority_nan": ("encounter", "frequency 100; group{ race 粘体; priority 0/0; }"),
    "units_scale_nan": ("units", "Kessa kessa,1/0;"),
}


def read(path):
    with open(os.path.join(GAME, path), encoding="utf-8") as f:
        return f.read()


def sjis(text):
    return text.encode("cp932")


def write(corpus, name, data):
    folder = os.path.join(HERE, "corpus", corpus)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def data_lists():
    index = {name: i for i, (name, _) in enumerate(LISTS)}
    for i, (name, path) in enumerate(LISTS):
        text = OWN_TEXT[name] if path is None else read(path)
        write("DataLists", name, bytes([i]) + sjis(text))
    sites = read("src/data/map/list.txt")
    write("DataLists", "sites_angle_huge", bytes([index["sites"]]) + sjis(sites.replace("folder mine;", "folder mine; angle 1000000000;", 1)))
    write("DataLists", "sites_floors_huge", bytes([index["sites"]]) + sjis(sites.replace("folder mine;", "folder mine; floorNumber 2147483647;", 1)))
    for seed, (name, text) in LIST_DAMAGE.items():
        write("DataLists", seed, bytes([index[name]]) + sjis(text))


# The random floor of the second floor with one key changed.
FLOOR_DAMAGE = {
    "passage_nan": ("passageNumber 1/2;", "passageNumber /;"),
    "passage_huge": ("passageNumber 1/2;", "passageNumber 2000000000;"),
    "passage_slow": ("passageNumber 1/2;", "passageNumber 100000000;"),
    "size_huge": ("size 20,16;", "size 99999,99999;"),
    "room_min_overflow": ("roomMin 3;", "roomMin 2147483647;"),
    "room_max_overflow": ("roomMax 7;", "roomMax 2147483647;"),
    "height_overflow": ("wall{ chip 石壁床; height 2; }", "wall{ chip 石壁床; height 2147483647; }"),
    "treasure_frequency_huge": ("treasureFrequency 50;", "treasureFrequency 1000000;"),
    "enemy_frequency_huge": ("frequency 2;", "frequency 2000000000;"),
    "separator_infinite": ("separatorProbability 90;", "separatorProbability 1/0;"),
    "floor_angle_huge": ("random{", "angle 100000000000;\nrandom{"),
}


def floor_files():
    for floor in ("b1", "b2", "b4"):
        write("FloorFile", floor, sjis(read(f"src/data/map/mine/{floor}.txt")))
    b2 = read("src/data/map/mine/b2.txt")
    for seed, (old, new) in FLOOR_DAMAGE.items():
        assert old in b2, old
        write("FloorFile", seed, sjis(b2.replace(old, new, 1)))
    write("FloorFile", "empty", b"")


FIELD = "site 灰の坑道; file b1; angle 6; fixAngle false; "
SYMBOLS = ("symbol{"
           " symbol{ name player; position 2,3; angle 0; symbol Kessa; model stand; }"
           " symbol{ name enemy_3.1; position 3,1; angle 90; symbol スライム; model stand;"
           "  enemy{ race 粘体; pattern 1; } move{ goal 3,2; start 3,1; count 3; time 8; wait 0; jump 1; } }"
           " symbol{ name door1; position 1,1; angle 90; symbol 扉; door{ key システムキー; } }"
           " symbol{ name chest; position 2,2; symbol 宝箱;"
           "  container{ money 40; lockLevel 2; article{ tool 薬草; } } }"
           " symbol{ name walker; position 4,4; command{ command move,8,1,0,0,0; command delete,0,0,0,0,0; position 1; } }"
           " }")


def field_nodes():
    write("FieldNode", "no_site", b"")
    write("FieldNode", "tile_floor", sjis(FIELD + SYMBOLS))
    write("FieldNode", "generated_floor",
          sjis("site 灰の坑道; file b2; angle -3; mappedCell{ v 0111; v 1; } " + SYMBOLS))
    write("FieldNode", "opening", sjis("site オープニング; file hall; angle 6; fixAngle true;"))
    write("FieldNode", "angle_overflow", sjis("site 灰の坑道; file b1; angle 2147483647;"))
    write("FieldNode", "angle_underflow", sjis("site 灰の坑道; file b1; angle -2147483648;"))
    write("FieldNode", "symbol_angle_huge",
          sjis(FIELD + "symbol{ symbol{ name s; position 1,1; angle 2147483647; symbol Kessa; } }"))
    write("FieldNode", "unknown_site", sjis("site 無い; file b1;"))


if __name__ == "__main__":
    data_lists()
    floor_files()
    field_nodes()
