#pragma once

// The names the game's code looks up: states, arts, tools, shells, sounds,
// tunes and models. namecheck reads the sources and fails when the code
// looks up a name kInCode lacks (or kInCode keeps one the code no longer
// looks up); contentcheck fails when the sample data lacks a name of any
// list here.

namespace LookedUpNames {

enum class Kind { kState, kArt, kTool, kShell, kEnemy, kSound, kTune, kModel };

// A sound's list, a tune's table or the picture set that holds a model; a
// folder (ending in '/') for a model every picture listed there holds;
// "list#effect" for a key of one effect's node of the effect-sound list.
struct Name {
  Kind kind;
  const char* name;
  const char* source = "";
};

constexpr const char* kSystemSounds = "src/system/systemsound.txt";
constexpr const char* kBattleSounds = "src/sound/戦闘.txt";
constexpr const char* kTunes = "bgm/bgm.txt";
constexpr const char* kTitlePictures = "src/picture/title/main.txt";
constexpr const char* kNumberPictures = "src/system/number.txt";
constexpr const char* kGaugePictures = "src/picture/gui/呪力.txt";
constexpr const char* kCautionPictures = "src/picture/battle/caution.txt";
constexpr const char* kUnitPictures = "src/picture/unit/";
constexpr const char* kDestroyPictures = "src/picture/animation/common/destroy.txt";

using enum Kind;

// Looked up by a literal name in a call or a table of names.
inline constexpr Name kInCode[] = {
    // States the units hold or that act at once.
    {kState, "毒"}, {kState, "睡眠"}, {kState, "恐怖"}, {kState, "麻痺"}, {kState, "暗闇"}, {kState, "呪い"},
    {kState, "ディレイ"}, {kState, "封印"}, {kState, "再生"}, {kState, "分身"}, {kState, "マジックバリア"},
    {kState, "氷バリア"}, {kState, "シールド"}, {kState, "サーマルバリア"}, {kState, "ゴーストキャスター"},
    {kState, "FloatingBellSplash"}, {kState, "リヴァイヴァ"}, {kState, "GlintBlade"}, {kState, "CrimsonFocus"},
    {kState, "薬漬け"}, {kState, "世界"}, {kState, "ElementalCrystalRing"}, {kState, "カウンター無効付加"},
    {kState, "吸収付加"}, {kState, "発狂"}, {kState, "チャージアップ"}, {kState, "集中"}, {kState, "防御"},
    {kState, "スタン"}, {kState, "呪力破壊"}, {kState, "呪力チャージ"}, {kState, "気絶"}, {kState, "リフレッシュ"},
    {kState, "ディスペル"}, {kState, "ＬＰ回復"}, {kState, "結界"}, {kState, "EclipseSidestep"},
    {kState, "チェック"}, {kState, "分析"},
    // Battle commands and the art standing for the last spell.
    {kArt, "身を守る"}, {kArt, "何もしない"}, {kArt, "逃げる"}, {kArt, "想起"},
    // The command menu's skills, the art of a thrown item, the hidden units.
    {kArt, "身を守る技能"}, {kArt, "逃げる技能"}, {kArt, "投げる道具"}, {kArt, "ステルス"},
    // Reactions, follow-ups and the side guards' answers.
    {kArt, "氷バリア発動"}, {kArt, "氷バリア冷防御"}, {kArt, "分身"}, {kArt, "シールド発動"},
    {kArt, "サーマル冷熱防御"}, {kArt, "サーマルカウンター"}, {kArt, "パリィ"}, {kArt, "FloatingBellSplash"},
    {kArt, "Stillmere"}, {kArt, "EclipseSidestep"}, {kArt, "結界発動"}, {kArt, "副作用"},
    // Abilities whose level or presence a battle rule reads.
    {kArt, "ファイナルストライク"}, {kArt, "行動回数増加"}, {kArt, "入門"}, {kArt, "ていねいに扱う"},
    {kArt, "狙われにくい"}, {kArt, "呪力容量拡大"}, {kArt, "初期呪力増加"}, {kArt, "自動回復"}, {kArt, "自動発狂"}, {kArt, "自動サーマル"}, {kArt, "自動シールド"},
    {kArt, "自動スタン"}, {kArt, "斬撃サポート"}, {kArt, "打撃サポート"}, {kArt, "射撃サポート"},
    {kArt, "熱サポート"}, {kArt, "冷サポート"}, {kArt, "光サポート"}, {kArt, "凝視サポート"},
    {kArt, "レーザーサポート"}, {kArt, "電気サポート"}, {kArt, "音サポート"}, {kArt, "水サポート"},
    // The party's field abilities.
    {kArt, "隠れ身"}, {kArt, "忍び足"}, {kArt, "千里眼"}, {kArt, "鍵開け"}, {kArt, "エンカウント回避"},
    {kArt, "奇襲回避"}, {kArt, "バックアタック回避"}, {kArt, "奇襲サポート"}, {kArt, "ダッシュ"}, {kArt, "幸運"},
    {kArt, "あきんど"},
    // The lead the opening recruits.
    {kShell, "Kessa"},
    {kSound, "saved", kSystemSounds}, {kSound, "cursorCancel", kSystemSounds},
    // The lead-ins' and the revival's battle sounds.
    {kSound, "スペル発動", kBattleSounds}, {kSound, "連携", kBattleSounds}, {kSound, "リヴァイヴァ", kBattleSounds},
    // A defeat's sounds and burst; a win's tune and the scrap of broken
    // equipment.
    {kSound, "destroy", kBattleSounds}, {kSound, "destroyBoss1", kBattleSounds},
    {kSound, "destroyBoss2", kBattleSounds}, {kModel, "main", kDestroyPictures},
    // The field's way into a battle.
    {kSound, "encounter", kBattleSounds},
    {kTune, "ファンファーレ", kTunes}, {kTool, "廃棄物"},
    {kTune, "タイトル", kTunes},
    {kModel, "星", kTitlePictures}, {kModel, "miss", kNumberPictures}, {kModel, "0", kNumberPictures},
    {kModel, "1", kNumberPictures}, {kModel, "2", kNumberPictures}, {kModel, "3", kNumberPictures},
    {kModel, "4", kNumberPictures}, {kModel, "5", kNumberPictures}, {kModel, "6", kNumberPictures},
    {kModel, "7", kNumberPictures}, {kModel, "8", kNumberPictures}, {kModel, "9", kNumberPictures},
    {kModel, "empty", kGaugePictures}, {kModel, "active", kGaugePictures}, {kModel, "invalid", kGaugePictures},
    {kModel, "スタン", kCautionPictures}, {kModel, "呪力破壊", kCautionPictures},
    {kModel, "stand", kUnitPictures}, {kModel, "down", kUnitPictures}, {kModel, "appear", kUnitPictures},
    // The contact attacks: the cross split's two cuts (keys of its node of
    // the effect-sound list, "list#effect"), the claws and the blood drops.
    {kSound, "0", "src/sound/list.txt#クロススプリット"}, {kSound, "1", "src/sound/list.txt#クロススプリット"},
    {kModel, "main", "src/picture/animation/爪.txt"}, {kModel, "top", "src/picture/animation/吸血.txt"},
    // The key a locked chest spends.
    {kTool, "魔法鍵"},
    // The area attacks' sounds played by key.
    {kSound, "main", "src/sound/list.txt#蔦"}, {kSound, "main", "src/sound/list.txt#烈風"},
    {kSound, "main", "src/sound/list.txt#オーバードライブ"},
    // The shots, missiles and beams that play sounds by key (keys of their
    // nodes of the effect-sound list).
    {kSound, "main", "src/sound/list.txt#マイクロミサイル"}, {kSound, "hit", "src/sound/list.txt#マイクロミサイル"},
    {kSound, "main", "src/sound/list.txt#火炎放射"}, {kSound, "main", "src/sound/list.txt#レーザードライブ"},
    {kSound, "main", "src/sound/list.txt#電子光線"}, {kSound, "hit", "src/sound/list.txt#電子光線"},
    {kSound, "main", "src/sound/list.txt#針"},
    // The synchro chain's opener and ace.
    {kArt, "切り込み"}, {kArt, "エース"},
    // The continue scene's tune.
    {kTune, "自宅", kTunes},
    // A boss's appearance before its battle.
    {kModel, "main", "src/picture/bossAppear/main.txt"},
};

// Looked up in forms the source scan does not read: names a function
// returns for a value.
inline constexpr Name kReturned[] = {
    {kModel, "start", kTitlePictures},  {kModel, "load", kTitlePictures}, {kModel, "memoryLoad", kTitlePictures},
    {kModel, "config", kTitlePictures}, {kModel, "quit", kTitlePictures},
};

// Named by rules of the battle and the field that the code does not hold
// yet: the thrown item's art.
inline constexpr Name kAwaited[] = {
    {kArt, "投げる道具"},
};

// Every name of the three lists.
template <typename Fn>
void forEach(Fn fn) {
  for (const Name& name : kInCode) {
    fn(name);
  }
  for (const Name& name : kReturned) {
    fn(name);
  }
  for (const Name& name : kAwaited) {
    fn(name);
  }
}

}  // namespace LookedUpNames
