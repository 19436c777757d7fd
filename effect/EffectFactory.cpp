// The effect factory: the effect of a name, its sounds read from the
// effect-sound list.

#include "effect/EffectFactory.h"

#include <array>
#include <cstring>

#include "effect/Barrages.h"
#include "effect/Beams.h"
#include "effect/Bells.h"
#include "effect/Binds.h"
#include "effect/Blows.h"
#include "effect/Buffs.h"
#include "effect/Cast.h"
#include "effect/Counters.h"
#include "effect/Curses.h"
#include "effect/Cuts.h"
#include "effect/Dashes.h"
#include "effect/Dummy.h"
#include "effect/Fangs.h"
#include "effect/Fields.h"
#include "effect/Flames.h"
#include "effect/Kicks.h"
#include "effect/Lances.h"
#include "effect/Missiles.h"
#include "effect/Prisms.h"
#include "effect/Pulses.h"
#include "effect/Rains.h"
#include "effect/Reactions.h"
#include "effect/Rushes.h"
#include "effect/Shots.h"
#include "effect/Stomps.h"
#include "effect/Stares.h"
#include "effect/Storms.h"
#include "effect/Strikes.h"
#include "effect/Swarms.h"
#include "effect/Swoops.h"
#include "effect/Swords.h"
#include "effect/Wards.h"
#include "effect/Weather.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"

namespace Game::Effect {

namespace {

constexpr const char* kNone = "none";

template <class T>
std::unique_ptr<Cast> make(const FactoryRow&) {
  return std::make_unique<T>();
}

// An eye reads the holder file its row names.
std::unique_ptr<Cast> makeEye(const FactoryRow& row) { return std::make_unique<Eye>(row.holderFile); }

// A class of several variants takes its row's.
template <class T>
std::unique_ptr<Cast> makeVariant(const FactoryRow& row) {
  return std::make_unique<T>(row.variant);
}

// The names in the order of the tests, with their classes.
constexpr std::array<FactoryRow, 204> kRows = {{
    {"呼び出す", "Summon", nullptr, -1, make<Summon>},
    {"シールド回避", "Shield", nullptr, -1, make<Shield>},
    {"ポイゾナスカウンター", "PoisonCounter", nullptr, -1, make<PoisonCounter>},
    {"祟り", "CurseCounter", nullptr, -1, make<CurseCounter>},
    {"スポイル", "Drain", nullptr, -1, make<Drain>},
    {"回復アイテム", "HealItem", nullptr, -1, make<HealItem>},
    {"チェック", "Check", nullptr, -1, make<Check>},
    {"キック", "Kick", nullptr, -1, make<Kick>},
    {"真空飛びヒザ", "KneeImpulse", nullptr, -1, make<KneeImpulse>},
    {"ジャンピングフラッシュ", "JumpingFlash", nullptr, -1, make<JumpingFlash>},
    {"プレス", "Press", nullptr, -1, make<Press>},
    {"ふみつぶす", "Stamp", nullptr, -1, make<Stamp>},
    {"体当たり", "Tackle", nullptr, -1, make<Tackle>},
    {"突き飛ばす", "Charge", nullptr, -1, make<Charge>},
    {"投げる", "Throw", nullptr, -1, make<Throw>},
    {"強打", "Beat", nullptr, -1, make<Beat>},
    {"たたきつぶす", "Strike", nullptr, -1, make<Strike>},
    {"カウンター", "Counter", nullptr, -1, make<Counter>},
    {"ナイフ", "Knife", nullptr, -1, make<Knife>},
    {"ピアス", "Pierce", nullptr, -1, make<Pierce>},
    {"切り裂き", "Rip", nullptr, -1, make<Rip>},
    {"パリィ", "Parry", nullptr, -1, make<Parry>},
    {"ブレード", "Blade", nullptr, -1, make<Blade>},
    {"クロススプリット", "CrossSplit", nullptr, -1, make<CrossSplit>},
    {"撃剣", "BladeSpray", nullptr, -1, make<BladeSpray>},
    {"ビームソード", "BeamSword", nullptr, -1, make<BeamSword>},
    {"射撃", "Shoot", nullptr, -1, make<Shoot>},
    {"連射", "RunningFire", nullptr, -1, make<RunningFire>},
    {"毒矢", "PoisonArrow", nullptr, -1, make<PoisonArrow>},
    {"針", "Needle", nullptr, -1, make<Needle>},
    {"レーザー", "Laser", nullptr, -1, make<Laser>},
    {"グランドレーザー", "GrandLaser", nullptr, -1, make<GrandLaser>},
    {"レーザードライブ", "LaserDrive", nullptr, -1, make<LaserDrive>},
    {"電子光線", "SunBeam", nullptr, -1, make<SunBeam>},
    {"冷凍光線", "FreezingRay", nullptr, -1, make<FreezingRay>},
    {"爆弾", "Bomb", nullptr, -1, make<Bomb>},
    {"核爆弾", "NuclearBomb", nullptr, -1, make<NuclearBomb>},
    {"火炎放射", "Flamethrower", nullptr, -1, make<Flamethrower>},
    {"マイクロミサイル", "MicroMissile", nullptr, -1, make<MicroMissile>},
    {"レールガン", "Railgun", nullptr, -1, make<Railgun>},
    {"マジックミサイル", "MagicMissile", nullptr, -1, make<MagicMissile>},
    {"マジックナパーム", "MagicNapalm", nullptr, -1, make<MagicNapalm>},
    {"スターストライク", "StarStrike", nullptr, -1, make<StarStrike>},
    {"焦熱", "Flare", nullptr, -1, make<Flare>},
    {"落雷", "Lightning", nullptr, -1, make<Lightning>},
    {"太陽光線", "SunLight", nullptr, -1, make<SunLight>},
    {"吹雪", "Blizzard", nullptr, -1, make<Blizzard>},
    {"烈風", "Tornado", nullptr, -1, make<Tornado>},
    {"異界の風", "AbyssWind", nullptr, -1, make<AbyssWind>},
    {"地響き", "Quake", nullptr, -1, make<Quake>},
    {"豪雨", "Rain", nullptr, -1, make<Rain>},
    {"振動波", "OscillatoryWave", nullptr, -1, make<OscillatoryWave>},
    {"水弾", "WaterHammer", nullptr, -1, make<WaterHammer>},
    {"クロスファイヤー", "CrossFire", nullptr, -1, make<CrossFire>},
    {"クロスサンダー", "CrossThunder", nullptr, -1, make<CrossThunder>},
    {"冷たい手", "ColdTouch", nullptr, -1, make<ColdTouch>},
    {"マジカルヒール", "MagicalHeal", nullptr, -1, make<MagicalHeal>},
    {"リフレッシュ", "Refresh", nullptr, -1, make<Refresh>},
    {"ハイスピードチャージ", "HighSpeedCharge", nullptr, -1, make<HighSpeedCharge>},
    {"エンハンス", "Enhance", nullptr, -1, make<Enhance>},
    {"トランス", "Trance", nullptr, -1, make<Trance>},
    {"決闘歌", "Imperium", nullptr, -1, make<Imperium>},
    {"護身法", "Pentagram", nullptr, -1, make<Pentagram>},
    {"恵雨", "HealRain", nullptr, -1, make<HealRain>},
    {"蔦", "Vine", nullptr, -1, make<Vine>},
    {"瘟", "Poison", nullptr, -1, make<Poison>},
    {"金縛り", "Bind", nullptr, -1, make<Bind>},
    {"濃霧", "Mist", nullptr, -1, make<Mist>},
    {"毒の嵐", "IllStorm", nullptr, -1, make<IllStorm>},
    {"フラッシャー", "Flash", nullptr, -1, make<Flash>},
    {"幻影", "Phantom", nullptr, -1, make<Phantom>},
    {"分身", "PhantomAvoid", nullptr, -1, make<PhantomAvoid>},
    {"バリア展開", "SetBarrier", nullptr, -1, make<SetBarrier>},
    {"サーマルバリア", "FireBarrier", nullptr, -1, make<FireBarrier>},
    {"サーマルカウンター", "FireCounter", nullptr, -1, make<FireCounter>},
    {"結界", "Border", nullptr, -1, make<Border>},
    {"結界発動", "BorderGuard", nullptr, -1, make<BorderGuard>},
    {"攻撃補助", "AttackBoost", nullptr, -1, make<AttackBoost>},
    {"ダブルキャスト", "DoubleCast", nullptr, -1, make<DoubleCast>},
    {"自爆", "SuicideBomb", nullptr, -1, make<SuicideBomb>},
    {"爪", "Claw", nullptr, -1, make<Claw>},
    {"翼", "Feather", nullptr, -1, make<Feather>},
    {"牙", "Bite", nullptr, -1, make<Bite>},
    {"吸血", "BloodSteal", nullptr, -1, make<BloodSteal>},
    {"冷凍法", "FreezeCounter", nullptr, -1, make<FreezeCounter>},
    {"再生", "Regenerate", nullptr, -1, make<Regenerate>},
    {"催眠光波", "ShockLight", nullptr, 0, makeVariant<ShockLight>},
    {"発狂光波", "ShockLight", nullptr, 1, makeVariant<ShockLight>},
    {"超音波", "SoundWave", nullptr, -1, make<SoundWave>},
    {"精神波動", "MindWave", nullptr, -1, make<MindWave>},
    {"呼び声", "Call", nullptr, -1, make<Call>},
    {"絶叫", "Shout", nullptr, -1, make<Shout>},
    {"凝視", "Gaze", nullptr, -1, make<Gaze>},
    {"魔眼", "EvilEye", nullptr, -1, make<EvilEye>},
    {"氷の瞳", "IceEye", nullptr, -1, make<IceEye>},
    {"眠たい視線", "Eye", "src/picture/animation/視線睡眠.txt", -1, makeEye},
    {"危ない視線", "Eye", "src/picture/animation/視線発狂.txt", -1, makeEye},
    {"イレーザーサイト", "Eye", "src/picture/animation/視線イレーザー.txt", -1, makeEye},
    {"オーバードライブ", "OverDrive", nullptr, -1, make<OverDrive>},
    {"BlazingEdgeBurst", "BlazingEdgeBurst", nullptr, -1, make<BlazingEdgeBurst>},
    {"CrimsonFocusGlow", "CrimsonFocusGlow", nullptr, -1, make<CrimsonFocusGlow>},
    {"HeavenlyMistColumn", "HeavenlyMistColumn", nullptr, -1, make<HeavenlyMistColumn>},
    {"GroundUpheaval", "GroundUpheaval", nullptr, -1, make<GroundUpheaval>},
    {"WardSlipFlurry", "WardSlipFlurry", nullptr, -1, make<WardSlipFlurry>},
    {"PrismOrbVolley", "PrismOrbVolley", nullptr, -1, make<PrismOrbVolley>},
    {"UntouchableDrift", "UntouchableDrift", nullptr, -1, make<UntouchableDrift>},
    {"GoldenLatticeSnare", "GoldenLatticeSnare", nullptr, -1, make<GoldenLatticeSnare>},
    {"PinpointSwarm", "PinpointSwarm", nullptr, -1, make<PinpointSwarm>},
    {"FieryGustRings", "FieryGustRings", nullptr, -1, make<FieryGustRings>},
    {"StompingRuin", "StompingRuin", nullptr, -1, make<StompingRuin>},
    {"MountainSmashWave", "MountainSmashWave", nullptr, -1, make<MountainSmashWave>},
    {"ToxicWingDust", "ToxicWingDust", nullptr, -1, make<ToxicWingDust>},
    {"DuskChirpHaze", "DuskChirpHaze", nullptr, -1, make<DuskChirpHaze>},
    {"DarkeningWingVeil", "DarkeningWingVeil", nullptr, -1, make<DarkeningWingVeil>},
    {"DoomedSwoop", "DoomedSwoop", nullptr, -1, make<DoomedSwoop>},
    {"SilverDialStrike", "SilverDialStrike", nullptr, -1, make<SilverDialStrike>},
    {"CarvingBladeStorm", "CarvingBladeStorm", nullptr, -1, make<CarvingBladeStorm>},
    {"TimeHalt", "TimeHalt", nullptr, -1, make<TimeHalt>},
    {"HaltedHandsCurse", "HaltedHandsCurse", nullptr, -1, make<HaltedHandsCurse>},
    {"PrismWhirlpool", "PrismWhirlpool", nullptr, -1, make<PrismWhirlpool>},
    {"GaleCodexWave", "GaleCodexWave", nullptr, -1, make<GaleCodexWave>},
    {"RadiantVigorSurge", "RadiantVigorSurge", nullptr, -1, make<RadiantVigorSurge>},
    {"GlintBladeWard", "GlintBladeWard", nullptr, -1, make<GlintBladeWard>},
    {"ShatteredCharmHex", "ShatteredCharmHex", nullptr, -1, make<ShatteredCharmHex>},
    {"BlueTormentTide", "BlueTormentTide", nullptr, -1, make<BlueTormentTide>},
    {"HexedFigurine", "HexedFigurine", nullptr, -1, make<HexedFigurine>},
    {"SpinningWoeRing", "SpinningWoeRing", nullptr, -1, make<SpinningWoeRing>},
    {"BitterElixir", "BitterElixir", nullptr, -1, make<BitterElixir>},
    {"副作用", "SecondaryEffect", nullptr, -1, make<SecondaryEffect>},
    {"EclipseRipple", "EclipseRipple", nullptr, -1, make<EclipseRipple>},
    {"EclipseSidestep", "EclipseSidestep", nullptr, -1, make<EclipseSidestep>},
    {"MindShredShot", "MindShredShot", nullptr, -1, make<MindShredShot>},
    {"HypnoticStareWave", "HypnoticStareWave", nullptr, -1, make<HypnoticStareWave>},
    {"FloatingBellWard", "FloatingBellWard", nullptr, -1, make<FloatingBellWard>},
    {"FloatingBellSplash", "FloatingBellSplash", nullptr, -1, make<FloatingBellSplash>},
    {"QuietPaleRadiance", "QuietPaleRadiance", nullptr, -1, make<QuietPaleRadiance>},
    {"ElementalCrystalRing", "ElementalCrystalRing", nullptr, -1, make<ElementalCrystalRing>},
    {"FlameWingAscent", "FlameWingAscent", nullptr, -1, make<FlameWingAscent>},
    {"AshenReturn", "AshenReturn", nullptr, -1, make<AshenReturn>},
    {"WailingPulse", "WailingPulse", nullptr, -1, make<WailingPulse>},
    {"EruptingPeak", "EruptingPeak", nullptr, -1, make<EruptingPeak>},
    {"BlazingSkyPlunge", "BlazingSkyPlunge", nullptr, -1, make<BlazingSkyPlunge>},
    {"SearingGlare", "SearingGlare", nullptr, -1, make<SearingGlare>},
    {"CinderConstellation", "CinderConstellation", nullptr, -1, make<CinderConstellation>},
    {"CoreMeltdownBurst", "CoreMeltdownBurst", nullptr, -1, make<CoreMeltdownBurst>},
    {"OrbitingStarlets", "OrbitingStarlets", nullptr, -1, make<OrbitingStarlets>},
    {"GreatPrismBeam", "GreatPrismBeam", nullptr, -1, make<GreatPrismBeam>},
    {"FallingPrismBeam", "FallingPrismBeam", nullptr, -1, make<FallingPrismBeam>},
    {"BindingChainLash", "BindingChainLash", nullptr, -1, make<BindingChainLash>},
    {"CrimsonLanceThrow", "CrimsonLanceThrow", nullptr, -1, make<CrimsonLanceThrow>},
    {"AgelessDuskFangs", "AgelessDuskFangs", nullptr, -1, make<AgelessDuskFangs>},
    {"FlameBrandSweep", "FlameBrandSweep", nullptr, -1, make<FlameBrandSweep>},
    {"MarchingHordeRush", "MarchingHordeRush", nullptr, -1, make<MarchingHordeRush>},
    {"LuringBaitStrike", "LuringBaitStrike", nullptr, -1, make<LuringBaitStrike>},
    {"ForeseeingFiend", "ForeseeingFiend", nullptr, -1, make<ForeseeingFiend>},
    {"TwinRingWhirl", "TwinRingWhirl", nullptr, -1, make<TwinRingWhirl>},
    {"CelestialShroud", "CelestialShroud", nullptr, -1, make<CelestialShroud>},
    {"SlumberCapsuleMist", "SlumberCapsuleMist", nullptr, -1, make<SlumberCapsuleMist>},
    {"ImmortalDraught", "ImmortalDraught", nullptr, -1, make<ImmortalDraught>},
    {"GildedCeilingCrush", "GildedCeilingCrush", nullptr, -1, make<GildedCeilingCrush>},
    {"JewelBranchVolley", "JewelBranchVolley", nullptr, -1, make<JewelBranchVolley>},
    {"TenfoldTribunal", "TenfoldTribunal", nullptr, -1, make<TenfoldTribunal>},
    {"VerdictPillar", "VerdictPillar", nullptr, -1, make<VerdictPillar>},
    {"FeralFangs", "FeralFangs", nullptr, -1, make<FeralFangs>},
    {"WanderersVolley", "WanderersVolley", nullptr, -1, make<WanderersVolley>},
    {"BlindingComet", "BlindingComet", nullptr, -1, make<BlindingComet>},
    {"FallingFishShower", "FallingFishShower", nullptr, -1, make<FallingFishShower>},
    {"PartingSeaWave", "PartingSeaWave", nullptr, -1, make<PartingSeaWave>},
    {"FallingPillarStorm", "FallingPillarStorm", nullptr, -1, make<FallingPillarStorm>},
    {"FrozenLakeRidge", "FrozenLakeRidge", nullptr, -1, make<FrozenLakeRidge>},
    {"VerdantRockCrush", "VerdantRockCrush", nullptr, -1, make<VerdantRockCrush>},
    {"BurrowedSleep", "BurrowedSleep", nullptr, -1, make<BurrowedSleep>},
    {"SerpentIdolCurse", "SerpentIdolCurse", nullptr, -1, make<SerpentIdolCurse>},
    {"SpiderThreadLift", "SpiderThreadLift", nullptr, -1, make<SpiderThreadLift>},
    {"PlagueFogCloud", "PlagueFogCloud", nullptr, -1, make<PlagueFogCloud>},
    {"DreadMemoryFlash", "DreadMemoryFlash", nullptr, -1, make<DreadMemoryFlash>},
    {"BuriedEmberTrap", "BuriedEmberTrap", nullptr, -1, make<BuriedEmberTrap>},
    {"FlawedHelixSpiral", "FlawedHelixSpiral", nullptr, -1, make<FlawedHelixSpiral>},
    {"SinkingHookDrop", "SinkingHookDrop", nullptr, -1, make<SinkingHookDrop>},
    {"DrowningSwirl", "DrowningSwirl", nullptr, -1, make<DrowningSwirl>},
    {"SaucerRaid", "SaucerRaid", nullptr, -1, make<SaucerRaid>},
    {"VioletGlassOmen", "VioletGlassOmen", nullptr, -1, make<VioletGlassOmen>},
    {"PlanetaryBarrage", "PlanetaryBarrage", nullptr, -1, make<PlanetaryBarrage>},
    {"ShaftVolley", "ShaftVolley", nullptr, -1, make<ShaftVolley>},
    {"DarkTwinBeams", "DarkTwinBeams", nullptr, -1, make<DarkTwinBeams>},
    {"BoundaryRipple", "BoundaryRipple", nullptr, -1, make<BoundaryRipple>},
    {"IcePillarRise", "IcePillarRise", nullptr, -1, make<IcePillarRise>},
    {"IcicleBladeChill", "IcicleBladeChill", nullptr, -1, make<IcicleBladeChill>},
    {"FiendSunderWave", "FiendSunderWave", nullptr, -1, make<FiendSunderWave>},
    {"GoldenSunburst", "GoldenSunburst", nullptr, -1, make<GoldenSunburst>},
    {"TriangularSlam", "TriangularSlam", nullptr, -1, make<TriangularSlam>},
    {"SacredRelicBlade", "SacredRelicBlade", nullptr, -1, make<SacredRelicBlade>},
    {"ChronicleRewrite", "ChronicleRewrite", nullptr, -1, make<ChronicleRewrite>},
    {"PrimevalDeceiver", "PrimevalDeceiver", nullptr, -1, make<PrimevalDeceiver>},
    {"FortuneCrestBoost", "FortuneCrestBoost", nullptr, -1, make<FortuneCrestBoost>},
    {"WhirlingDiscThrow", "WhirlingDiscThrow", nullptr, -1, make<WhirlingDiscThrow>},
    {"TorrentCascade", "TorrentCascade", nullptr, -1, make<TorrentCascade>},
    {"SpiralBoreStrike", "SpiralBoreStrike", nullptr, -1, make<SpiralBoreStrike>},
    {"SilkVeilDeflect", "SilkVeilDeflect", nullptr, -1, make<SilkVeilDeflect>},
    {"StormOrbBolts", "StormOrbBolts", nullptr, -1, make<StormOrbBolts>},
    {"ProwlingPounce", "ProwlingPounce", nullptr, -1, make<ProwlingPounce>},
    {"GrudgeWraithFeast", "GrudgeWraithFeast", nullptr, -1, make<GrudgeWraithFeast>},
    {"HauntedHamlet", "HauntedHamlet", nullptr, -1, make<HauntedHamlet>},
    {"dummy", "Dummy", nullptr, -1, make<Dummy>},
}};

}  // namespace

std::span<const FactoryRow> factoryRows() { return kRows; }

const FactoryRow* findFactoryRow(const char* name) {
  if (!name || std::strcmp(name, kNone) == 0) {
    return nullptr;
  }
  for (const FactoryRow& row : kRows) {
    if (std::strcmp(row.name, name) == 0) {
      return &row;
    }
  }
  return nullptr;
}

const NmlNode* Cast::effectSoundList() {
  Database* database = Database::instance();
  return database ? &database->maps().battle.effectSounds() : nullptr;
}

std::unique_ptr<Cast> Cast::create(const char* name) { return create(name, effectSoundList()); }

std::unique_ptr<Cast> Cast::create(const char* name, const NmlNode* soundList) {
  const FactoryRow* row = findFactoryRow(name);
  if (!row) {
    return nullptr;
  }
  std::unique_ptr<Cast> effect = row->make(*row);
  effect->loadSounds(soundList, name);
  return effect;
}

std::unique_ptr<Cast> Cast::createForAction(ActionRecord& action) {
  return createForAction(action, effectSoundList());
}

}  // namespace Game::Effect
