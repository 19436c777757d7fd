#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "presentation/model/Polygon.h"
#include "core/string/String.h"
#include "presentation/model/Animation.h"

namespace Game {

class Batch;
class Material;
class NmlNode;
class RenderState;
class ResourceSet;

// An animated composite that scene nodes play: materials and animations
// refine the incoming state, which then draws the batches, the child models
// and one frame of a circuit (direction- and time-dependent sub-models). When
// its duration runs out a next model takes over.
//
// Child models and circuit frames draw within their parent's draw, so a
// reference back to the model itself (directly or through other models) is
// refused when loaded. A "next" chain that comes back round is a looping
// sequence and is kept.
class Model {
 public:
  struct CircuitFrame {
    Model* model = nullptr;
    // Frames this frame shows for; 0 stays on it.
    Engine::i32 time = 0;
    // In matrix units.
    Polygon shape;
  };
  // One of several views (by the camera's side) of the model, each a run of
  // frames over time.
  struct Circuit {
    std::vector<CircuitFrame> frames;
    Model* owner = nullptr;
  };

  // Hand-overs one draw follows along a "next" chain before it gives up on
  // a sequence that never settles.
  static constexpr Engine::i32 kMaxHandOvers = 4096;
  // Instances of one draw: as many as a layer of the render queue holds.
  static constexpr Engine::i32 kMaxInstances = 4096;

  Model() = default;
  // Releases the scene nodes that play the model.
  ~Model();
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  // The set's model of the node's "name" when it holds one (the node is not
  // read); otherwise a new one appended to the set and loaded.
  static Model* findOrCreate(ResourceSet& set, const NmlNode& node);

  // "name", "next", "time" (duration), "count" (a time offset, not a count),
  // "speed" (percent), "repeat" (count, at most kMaxInstances, and
  // interval), then the "circuit", "model", "batch", "materials" and
  // "animation" children.
  void load(const NmlNode& node);

  // Draws instance i at ((time + i x interval) x speed) + offset, skipping
  // those before 0; the first at or past a non-zero duration hands the
  // incoming state over to the next model, at its time less the duration.
  void draw(const RenderState& state, float time) const;
  // Whole runs of the duration played at time, along the "next" chain: 0
  // while the model has not ended (endless, not begun, before its next model
  // takes over, or on a looping chain).
  Engine::i32 cyclesDone(float time) const;

  // Materials combined in, then the animations applied at t, in list order.
  void applyOwnState(RenderState& state, float t) const;
  // The circuit seen from the camera: the only one, or by the side the
  // camera sees the state's origin from; null without circuits.
  const Circuit* pickCircuitFrame(const RenderState& state) const;
  // The frame circuit shows at t, drawn at the time left over.
  void drawCircuitFrame(const Circuit& circuit, const RenderState& state, float t) const;

  const char* name() const { return mName.c_str() ? mName.c_str() : ""; }
  ResourceSet* owner() const { return mOwner; }
  const std::vector<Circuit>& circuits() const { return mCircuits; }
  const std::vector<Model*>& children() const { return mChildren; }
  const std::vector<Batch*>& batches() const { return mBatches; }
  const std::vector<Material*>& materials() const { return mMaterials; }
  const std::vector<Animation>& animations() const { return mAnimations; }
  Model* next() const { return mNext; }
  float duration() const { return mDuration; }
  float offset() const { return mOffset; }
  float speed() const { return mSpeed; }
  Engine::i32 count() const { return mCount; }
  Engine::i32 interval() const { return mInterval; }

 private:
  // For messages.
  const char* loadingFile() const;
  void loadTiming(const NmlNode& node);
  void loadCircuit(const NmlNode& node);
  void loadChildren(const NmlNode& node);
  // Links refused (with a message) when they would let the model draw itself.
  bool linkNext(Model* next);
  bool linkNested(Model* nested, const char* what);
  // Whether to can be reached from `from`; with throughNested, only by a path
  // that draws through at least one child or circuit frame.
  static bool leadsTo(const Model* from, const Model* to, bool throughNested);

  // The model's own instances; true when the duration stopped them and the
  // next model takes over at *handOverTime.
  bool drawInstances(const RenderState& state, float time, float* handOverTime) const;
  void drawInstance(const RenderState& state, float t) const;
  // The model where the "next" chain from here comes round, null when it
  // ends.
  const Model* nextLoopEntry() const;
  // A time at the loop's entry less the whole passes round the loop in which
  // every model hands over at once (they draw nothing).
  static float skipSilentPasses(const Model* entry, float time);

  std::vector<Circuit> mCircuits;
  std::vector<Model*> mChildren;
  std::vector<Batch*> mBatches;
  std::vector<Material*> mMaterials;
  std::vector<Animation> mAnimations;
  Model* mNext = nullptr;
  float mDuration = 0.f;
  float mOffset = 0.f;
  float mSpeed = 1.f;
  Engine::i32 mCount = 1;
  Engine::i32 mInterval = 0;
  String mName;
  ResourceSet* mOwner = nullptr;
};

// Draws a model that may be absent.
namespace ModelRef {

void draw(const Model* model, const RenderState& state, float t);

}  // namespace ModelRef

}  // namespace Game
