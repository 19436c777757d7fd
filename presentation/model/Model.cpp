#include "presentation/model/Model.h"

#include <cstring>
#include <set>
#include <utility>

#include "Engine/Base/DebugStream.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/render/Material.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// Frame shapes are given in world units and kept in matrix units.
constexpr float kWorldToMatrix = 1.f / 400.f;
constexpr float kModelPercent = 100.f;

bool named(const NmlNode& node, const char* name) { return std::strcmp(node.name(), name) == 0; }

template <class Read>
void eachChildNamed(const NmlNode& node, const char* name, Read read) {
  for (NmlNode::ChildList::Iterator it(node.children()); !it.isEnd(); it.next()) {
    if (named(*it.value(), name)) {
      read(*it.value());
    }
  }
}

Polygon defaultFrameShape() {
  Polygon square;
  square.add(Vector3(-100.f, 100.f, 0.f));
  square.add(Vector3(100.f, 100.f, 0.f));
  square.add(Vector3(100.f, -100.f, 0.f));
  square.add(Vector3(-100.f, -100.f, 0.f));
  return square;
}

}  // namespace

Model::~Model() { SceneNodePool::releaseModelUsers(this); }

const char* Model::loadingFile() const { return mOwner ? mOwner->loadingFile() : ""; }

Model* Model::findOrCreate(ResourceSet& set, const NmlNode& node) {
  if (const NmlAttribute* nameLine = node.findAttribute("name")) {
    if (Model* held = set.findModel(nameLine->toString(0))) {
      return held;
    }
  }
  Model* model = set.models().addNew();
  model->mOwner = &set;
  model->load(node);
  return model;
}

void Model::load(const NmlNode& node) {
  if (const NmlAttribute* line = node.findAttribute("name")) {
    mName.assign(line->toString(0));
  }
  if (node.countChildren("next") > 0 && mOwner) {
    linkNext(findOrCreate(*mOwner, *node.findChild("next")));
  }
  loadTiming(node);
  loadChildren(node);
}

void Model::loadTiming(const NmlNode& node) {
  if (const NmlAttribute* line = node.findAttribute("time")) {
    mDuration = static_cast<float>(line->toInt(0));
  }
  if (const NmlAttribute* line = node.findAttribute("count")) {
    mOffset = line->toFloat(0);
  }
  if (const NmlAttribute* line = node.findAttribute("speed")) {
    mSpeed = line->toFloat(0) / kModelPercent;
  }
  if (const NmlAttribute* line = node.findAttribute("repeat")) {
    mCount = line->toInt(0);
    mInterval = line->toInt(1);
    if (mCount > kMaxInstances) {
      Engine::cout << "Model: " << loadingFile() << " : \"" << name() << "\" repeats " << mCount
                   << " times; it is drawn " << kMaxInstances << " times" << Engine::endl;
      mCount = kMaxInstances;
    }
  }
}

// Kind by kind in the order the keys are listed: circuits, models, batches,
// materials, animations, each kind in node order. The order tells which
// node defines a name that several share: a batch's material of a name is
// read before the model's own material of that name.
void Model::loadChildren(const NmlNode& node) {
  if (!mOwner) {
    return;
  }
  ResourceSet& set = *mOwner;
  eachChildNamed(node, "circuit", [this](const NmlNode& child) { loadCircuit(child); });
  eachChildNamed(node, "model", [this, &set](const NmlNode& child) {
    Model* nested = findOrCreate(set, child);
    if (linkNested(nested, "a child")) {
      mChildren.push_back(nested);
    }
  });
  eachChildNamed(node, "batch",
                 [this, &set](const NmlNode& child) { mBatches.push_back(Batch::findOrCreate(set, child)); });
  eachChildNamed(node, "materials",
                 [this, &set](const NmlNode& child) { mMaterials.push_back(Material::findOrCreate(set, child)); });
  eachChildNamed(node, "animation",
                 [this, &set](const NmlNode& child) { mAnimations.push_back(Animation::findOrCreate(set, child)); });
}

void Model::loadCircuit(const NmlNode& node) {
  Circuit circuit;
  circuit.owner = this;
  for (i32 i = 0; i < node.childCount(); ++i) {
    const NmlNode& frameNode = *node.child(i);
    if (!named(frameNode, "frame")) {
      continue;
    }
    CircuitFrame frame;
    // The frame node is itself a model description.
    frame.model = findOrCreate(*mOwner, frameNode);
    if (!linkNested(frame.model, "a circuit frame")) {
      frame.model = nullptr;
    }
    if (const NmlAttribute* line = frameNode.findAttribute("time")) {
      frame.time = line->toInt(0);
    }
    if (frame.time < 0) {
      // Stepping back by a negative time would never leave the frame list.
      Engine::cout << "Model: " << loadingFile() << " : a frame of \"" << name() << "\" lasts "
                   << frame.time << " frames; it stays instead" << Engine::endl;
      frame.time = 0;
    }
    if (frameNode.countChildren("collision") > 0) {
      frame.shape.load(*frameNode.findChild("collision"));
    } else {
      frame.shape = defaultFrameShape();
    }
    frame.shape.scale(kWorldToMatrix);
    circuit.frames.push_back(std::move(frame));
  }
  mCircuits.push_back(std::move(circuit));
}

bool Model::linkNext(Model* next) {
  // A chain of next models alone may come round: it is a looping sequence.
  if (leadsTo(next, this, true)) {
    Engine::cout << "Model: " << loadingFile() << " : \"" << name() << "\" hands over to \""
                 << next->name() << "\", which draws \"" << name() << "\" within itself; it is not linked"
                 << Engine::endl;
    return false;
  }
  mNext = next;
  return true;
}

bool Model::linkNested(Model* nested, const char* what) {
  if (leadsTo(nested, this, false)) {
    Engine::cout << "Model: " << loadingFile() << " : \"" << name() << "\" has " << what << " \""
                 << nested->name() << "\" that leads back to it; it is left out" << Engine::endl;
    return false;
  }
  return true;
}

bool Model::leadsTo(const Model* from, const Model* to, bool throughNested) {
  // Depth-first over (model, drawn within another yet) pairs.
  std::vector<std::pair<const Model*, bool>> pending{{from, false}};
  std::set<std::pair<const Model*, bool>> seen;
  while (!pending.empty()) {
    const auto [model, nested] = pending.back();
    pending.pop_back();
    if (model == to && (nested || !throughNested)) {
      return true;
    }
    if (!seen.emplace(model, nested).second) {
      continue;
    }
    if (model->mNext) {
      pending.emplace_back(model->mNext, nested);
    }
    for (const Model* child : model->mChildren) {
      pending.emplace_back(child, true);
    }
    for (const Circuit& circuit : model->mCircuits) {
      for (const CircuitFrame& frame : circuit.frames) {
        if (frame.model) {
          pending.emplace_back(frame.model, true);
        }
      }
    }
  }
  return false;
}

}  // namespace Game
