// When every effect of the factory shows its results and finishes, read
// name by name from the effects' frame scripts.

#include "tests/effect/EffectTimings.h"

#include <cstring>

namespace EffectTestSupport {

namespace {

// SlumberCapsuleMist: one capsule per target, 8 frames apart.
constexpr int kFramesPerTarget = 8;
// MountainSmashWave without a hit target.
constexpr int kMissFrame = 48;

}  // namespace

const std::array<EffectTiming, 204> kEffectTimings = {{
    {"呼び出す", "Summon", 16, 33, EndKind::kFrom, ApplyRule::kFixed},
    {"シールド回避", "Shield", 0, 0, EndKind::kExactly, ApplyRule::kFixed},
    {"ポイゾナスカウンター", "PoisonCounter", 72, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"祟り", "CurseCounter", 72, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"スポイル", "Drain", 64, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"回復アイテム", "HealItem", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"チェック", "Check", 32, 64, EndKind::kExactly, ApplyRule::kFixed},
    {"キック", "Kick", 32, 53, EndKind::kFrom, ApplyRule::kFixed},
    {"真空飛びヒザ", "KneeImpulse", 72, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"ジャンピングフラッシュ", "JumpingFlash", 120, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"プレス", "Press", 56, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"ふみつぶす", "Stamp", 96, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"体当たり", "Tackle", 48, 73, EndKind::kFrom, ApplyRule::kFixed},
    {"突き飛ばす", "Charge", 72, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"投げる", "Throw", 80, 112, EndKind::kExactly, ApplyRule::kFixed},
    {"強打", "Beat", 32, 65, EndKind::kFrom, ApplyRule::kFixed},
    {"たたきつぶす", "Strike", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"カウンター", "Counter", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"ナイフ", "Knife", 40, 53, EndKind::kFrom, ApplyRule::kFixed},
    {"ピアス", "Pierce", 32, 65, EndKind::kFrom, ApplyRule::kFixed},
    {"切り裂き", "Rip", 64, 93, EndKind::kFrom, ApplyRule::kFixed},
    {"パリィ", "Parry", 0, 33, EndKind::kFrom, ApplyRule::kFixed},
    {"ブレード", "Blade", 32, 49, EndKind::kFrom, ApplyRule::kFixed},
    {"クロススプリット", "CrossSplit", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"撃剣", "BladeSpray", 144, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"ビームソード", "BeamSword", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"射撃", "Shoot", 48, 65, EndKind::kFrom, ApplyRule::kFixed},
    {"連射", "RunningFire", 104, 137, EndKind::kFrom, ApplyRule::kFixed},
    {"毒矢", "PoisonArrow", 96, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"針", "Needle", 80, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"レーザー", "Laser", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"グランドレーザー", "GrandLaser", 128, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"レーザードライブ", "LaserDrive", 96, 144, EndKind::kExactly, ApplyRule::kFixed},
    {"電子光線", "SunBeam", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"冷凍光線", "FreezingRay", 160, 192, EndKind::kExactly, ApplyRule::kFixed},
    {"爆弾", "Bomb", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"核爆弾", "NuclearBomb", 280, 313, EndKind::kFrom, ApplyRule::kFixed},
    {"火炎放射", "Flamethrower", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"マイクロミサイル", "MicroMissile", 160, 181, EndKind::kFrom, ApplyRule::kFixed},
    {"レールガン", "Railgun", 80, 91, EndKind::kFrom, ApplyRule::kFixed},
    {"マジックミサイル", "MagicMissile", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"マジックナパーム", "MagicNapalm", 128, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"スターストライク", "StarStrike", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"焦熱", "Flare", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"落雷", "Lightning", 64, 80, EndKind::kExactly, ApplyRule::kFixed},
    {"太陽光線", "SunLight", 80, 128, EndKind::kExactly, ApplyRule::kFixed},
    {"吹雪", "Blizzard", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"烈風", "Tornado", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"異界の風", "AbyssWind", 96, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"地響き", "Quake", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"豪雨", "Rain", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"振動波", "OscillatoryWave", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"水弾", "WaterHammer", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"クロスファイヤー", "CrossFire", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"クロスサンダー", "CrossThunder", 32, 65, EndKind::kFrom, ApplyRule::kFixed},
    {"冷たい手", "ColdTouch", 72, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"マジカルヒール", "MagicalHeal", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"リフレッシュ", "Refresh", 48, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"ハイスピードチャージ", "HighSpeedCharge", 64, 96, EndKind::kExactly, ApplyRule::kFixed},
    {"エンハンス", "Enhance", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"トランス", "Trance", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"決闘歌", "Imperium", 64, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"護身法", "Pentagram", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"恵雨", "HealRain", 192, 257, EndKind::kFrom, ApplyRule::kFixed},
    {"蔦", "Vine", 80, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"瘟", "Poison", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"金縛り", "Bind", 64, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"濃霧", "Mist", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"毒の嵐", "IllStorm", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"フラッシャー", "Flash", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"幻影", "Phantom", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"分身", "PhantomAvoid", 32, 65, EndKind::kFrom, ApplyRule::kFixed},
    {"バリア展開", "SetBarrier", 32, 49, EndKind::kFrom, ApplyRule::kFixed},
    {"サーマルバリア", "FireBarrier", 20, 49, EndKind::kFrom, ApplyRule::kFixed},
    {"サーマルカウンター", "FireCounter", 72, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"結界", "Border", -1, 65, EndKind::kFrom, ApplyRule::kNone},
    {"結界発動", "BorderGuard", 0, 0, EndKind::kExactly, ApplyRule::kFixed},
    {"攻撃補助", "AttackBoost", 32, 49, EndKind::kFrom, ApplyRule::kFixed},
    {"ダブルキャスト", "DoubleCast", 96, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"自爆", "SuicideBomb", 72, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"爪", "Claw", 32, 49, EndKind::kFrom, ApplyRule::kFixed},
    {"翼", "Feather", 48, 72, EndKind::kExactly, ApplyRule::kFixed},
    {"牙", "Bite", 40, 64, EndKind::kExactly, ApplyRule::kFixed},
    {"吸血", "BloodSteal", 72, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"冷凍法", "FreezeCounter", 72, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"再生", "Regenerate", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"催眠光波", "ShockLight", 32, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"発狂光波", "ShockLight", 32, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"超音波", "SoundWave", 80, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"精神波動", "MindWave", 80, 113, EndKind::kFrom, ApplyRule::kFixed},
    {"呼び声", "Call", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"絶叫", "Shout", 112, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"凝視", "Gaze", 104, 121, EndKind::kFrom, ApplyRule::kFixed},
    {"魔眼", "EvilEye", 104, 121, EndKind::kFrom, ApplyRule::kFixed},
    {"氷の瞳", "IceEye", 104, 121, EndKind::kFrom, ApplyRule::kFixed},
    {"眠たい視線", "Eye", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"危ない視線", "Eye", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"イレーザーサイト", "Eye", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"オーバードライブ", "OverDrive", 96, 113, EndKind::kFrom, ApplyRule::kFixed},
    {"BlazingEdgeBurst", "BlazingEdgeBurst", 144, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"CrimsonFocusGlow", "CrimsonFocusGlow", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"HeavenlyMistColumn", "HeavenlyMistColumn", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"GroundUpheaval", "GroundUpheaval", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"WardSlipFlurry", "WardSlipFlurry", 72, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"PrismOrbVolley", "PrismOrbVolley", 180, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"UntouchableDrift", "UntouchableDrift", 256, 273, EndKind::kFrom, ApplyRule::kFixed},
    {"GoldenLatticeSnare", "GoldenLatticeSnare", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"PinpointSwarm", "PinpointSwarm", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"FieryGustRings", "FieryGustRings", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"StompingRuin", "StompingRuin", 120, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"MountainSmashWave", "MountainSmashWave", 272, 281, EndKind::kFrom, ApplyRule::kEarlyOnMiss},
    {"ToxicWingDust", "ToxicWingDust", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"DuskChirpHaze", "DuskChirpHaze", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"DarkeningWingVeil", "DarkeningWingVeil", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"DoomedSwoop", "DoomedSwoop", 80, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"SilverDialStrike", "SilverDialStrike", 120, 137, EndKind::kFrom, ApplyRule::kFixed},
    {"CarvingBladeStorm", "CarvingBladeStorm", 128, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"TimeHalt", "TimeHalt", 32, 32, EndKind::kExactly, ApplyRule::kFixed},
    {"HaltedHandsCurse", "HaltedHandsCurse", 48, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"PrismWhirlpool", "PrismWhirlpool", 128, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"GaleCodexWave", "GaleCodexWave", 144, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"RadiantVigorSurge", "RadiantVigorSurge", 48, 73, EndKind::kFrom, ApplyRule::kFixed},
    {"GlintBladeWard", "GlintBladeWard", 92, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"ShatteredCharmHex", "ShatteredCharmHex", 128, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"BlueTormentTide", "BlueTormentTide", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"HexedFigurine", "HexedFigurine", 112, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"SpinningWoeRing", "SpinningWoeRing", 128, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"BitterElixir", "BitterElixir", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"副作用", "SecondaryEffect", 32, 65, EndKind::kFrom, ApplyRule::kFixed},
    {"EclipseRipple", "EclipseRipple", 40, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"EclipseSidestep", "EclipseSidestep", 16, 17, EndKind::kFrom, ApplyRule::kFixed},
    {"MindShredShot", "MindShredShot", 32, 65, EndKind::kFrom, ApplyRule::kFixed},
    {"HypnoticStareWave", "HypnoticStareWave", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"FloatingBellWard", "FloatingBellWard", 64, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"FloatingBellSplash", "FloatingBellSplash", 0, 0, EndKind::kExactly, ApplyRule::kFixed},
    {"QuietPaleRadiance", "QuietPaleRadiance", 144, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"ElementalCrystalRing", "ElementalCrystalRing", 80, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"FlameWingAscent", "FlameWingAscent", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"AshenReturn", "AshenReturn", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"WailingPulse", "WailingPulse", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"EruptingPeak", "EruptingPeak", 96, 113, EndKind::kFrom, ApplyRule::kFixed},
    {"BlazingSkyPlunge", "BlazingSkyPlunge", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"SearingGlare", "SearingGlare", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"CinderConstellation", "CinderConstellation", 192, 207, EndKind::kFrom, ApplyRule::kFixed},
    {"CoreMeltdownBurst", "CoreMeltdownBurst", 272, 289, EndKind::kFrom, ApplyRule::kFixed},
    {"OrbitingStarlets", "OrbitingStarlets", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"GreatPrismBeam", "GreatPrismBeam", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"FallingPrismBeam", "FallingPrismBeam", 144, 160, EndKind::kExactly, ApplyRule::kFixed},
    {"BindingChainLash", "BindingChainLash", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"CrimsonLanceThrow", "CrimsonLanceThrow", 192, 209, EndKind::kFrom, ApplyRule::kFixed},
    {"AgelessDuskFangs", "AgelessDuskFangs", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"FlameBrandSweep", "FlameBrandSweep", 192, 209, EndKind::kFrom, ApplyRule::kFixed},
    {"MarchingHordeRush", "MarchingHordeRush", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"LuringBaitStrike", "LuringBaitStrike", 80, 114, EndKind::kExactly, ApplyRule::kFixed},
    {"ForeseeingFiend", "ForeseeingFiend", 52, 65, EndKind::kFrom, ApplyRule::kFixed},
    {"TwinRingWhirl", "TwinRingWhirl", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"CelestialShroud", "CelestialShroud", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"SlumberCapsuleMist", "SlumberCapsuleMist", 88, 121, EndKind::kFrom, ApplyRule::kByTargetCount},
    {"ImmortalDraught", "ImmortalDraught", 72, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"GildedCeilingCrush", "GildedCeilingCrush", 256, 281, EndKind::kFrom, ApplyRule::kFixed},
    {"JewelBranchVolley", "JewelBranchVolley", 88, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"TenfoldTribunal", "TenfoldTribunal", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"VerdictPillar", "VerdictPillar", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"FeralFangs", "FeralFangs", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"WanderersVolley", "WanderersVolley", 96, 128, EndKind::kExactly, ApplyRule::kFixed},
    {"BlindingComet", "BlindingComet", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"FallingFishShower", "FallingFishShower", 128, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"PartingSeaWave", "PartingSeaWave", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"FallingPillarStorm", "FallingPillarStorm", 192, 209, EndKind::kFrom, ApplyRule::kFixed},
    {"FrozenLakeRidge", "FrozenLakeRidge", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"VerdantRockCrush", "VerdantRockCrush", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"BurrowedSleep", "BurrowedSleep", 64, 81, EndKind::kFrom, ApplyRule::kFixed},
    {"SerpentIdolCurse", "SerpentIdolCurse", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"SpiderThreadLift", "SpiderThreadLift", 128, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"PlagueFogCloud", "PlagueFogCloud", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"DreadMemoryFlash", "DreadMemoryFlash", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"BuriedEmberTrap", "BuriedEmberTrap", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"FlawedHelixSpiral", "FlawedHelixSpiral", 144, 173, EndKind::kFrom, ApplyRule::kFixed},
    {"SinkingHookDrop", "SinkingHookDrop", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"DrowningSwirl", "DrowningSwirl", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"SaucerRaid", "SaucerRaid", 160, 177, EndKind::kFrom, ApplyRule::kFixed},
    {"VioletGlassOmen", "VioletGlassOmen", 128, 145, EndKind::kFrom, ApplyRule::kFixed},
    {"PlanetaryBarrage", "PlanetaryBarrage", 192, 225, EndKind::kFrom, ApplyRule::kFixed},
    {"ShaftVolley", "ShaftVolley", 144, 177, EndKind::kFrom, ApplyRule::kFixed},
    {"DarkTwinBeams", "DarkTwinBeams", 80, 113, EndKind::kFrom, ApplyRule::kFixed},
    {"BoundaryRipple", "BoundaryRipple", 160, 193, EndKind::kFrom, ApplyRule::kFixed},
    {"IcePillarRise", "IcePillarRise", 84, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"IcicleBladeChill", "IcicleBladeChill", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"FiendSunderWave", "FiendSunderWave", 96, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"GoldenSunburst", "GoldenSunburst", 64, 96, EndKind::kExactly, ApplyRule::kFixed},
    {"TriangularSlam", "TriangularSlam", 80, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"SacredRelicBlade", "SacredRelicBlade", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"ChronicleRewrite", "ChronicleRewrite", 104, 137, EndKind::kFrom, ApplyRule::kFixed},
    {"PrimevalDeceiver", "PrimevalDeceiver", 80, 113, EndKind::kFrom, ApplyRule::kFixed},
    {"FortuneCrestBoost", "FortuneCrestBoost", 40, 65, EndKind::kFrom, ApplyRule::kFixed},
    {"WhirlingDiscThrow", "WhirlingDiscThrow", 112, 129, EndKind::kFrom, ApplyRule::kFixed},
    {"TorrentCascade", "TorrentCascade", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"SpiralBoreStrike", "SpiralBoreStrike", 80, 128, EndKind::kExactly, ApplyRule::kFixed},
    {"SilkVeilDeflect", "SilkVeilDeflect", 0, 0, EndKind::kExactly, ApplyRule::kFixed},
    {"StormOrbBolts", "StormOrbBolts", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"ProwlingPounce", "ProwlingPounce", 168, 229, EndKind::kFrom, ApplyRule::kFixed},
    {"GrudgeWraithFeast", "GrudgeWraithFeast", 64, 97, EndKind::kFrom, ApplyRule::kFixed},
    {"HauntedHamlet", "HauntedHamlet", 128, 161, EndKind::kFrom, ApplyRule::kFixed},
    {"dummy", "Dummy", 16, 60, EndKind::kExactly, ApplyRule::kDisplayOnly},
}};

PlayTiming timingOf(const EffectTiming& row, int targetCount, bool anyTargetHit) {
  PlayTiming play{row.applyFrame, row.endFrame, row.endKind, true};
  switch (row.rule) {
    case ApplyRule::kFixed:
      break;
    case ApplyRule::kNone:
      play.applyFrame = -1;
      break;
    case ApplyRule::kDisplayOnly:
      play.applyChangesState = false;
      break;
    case ApplyRule::kByTargetCount:
      play.applyFrame += kFramesPerTarget * targetCount;
      play.endFrame += kFramesPerTarget * targetCount;
      break;
    case ApplyRule::kEarlyOnMiss:
      if (!anyTargetHit) {
        play = PlayTiming{kMissFrame, kMissFrame, EndKind::kExactly, true};
      }
      break;
  }
  return play;
}

const EffectTiming* findTiming(const char* name) {
  for (const EffectTiming& row : kEffectTimings) {
    if (std::strcmp(row.name, name) == 0) {
      return &row;
    }
  }
  return nullptr;
}

}  // namespace EffectTestSupport
