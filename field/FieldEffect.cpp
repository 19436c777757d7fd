#include "field/FieldEffect.h"

#include "field/SymbolField.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Field {

Telop::Telop(const char* siteName) : mPictures(std::string(kFolder) + (siteName ? siteName : "") + ".txt") {}

void Telop::spawn(SymbolField& field, const Engine::Math::Vector3& position) {
  SceneNodePool* pool = field.nodes();
  if (!pool) {
    return;
  }
  if (SceneNode* node = pool->create(mPictures.find(kModel))) {
    node->position.setValue(position);
  }
}

void Icicle::spawn(SymbolField& field, const Engine::Math::Vector3& position) {
  if (SceneNodePool* pool = field.nodes()) {
    for (Engine::i32 i = 0; i < kBursts; ++i) {
      mPiece.field(*pool, position, kSize, kSize, kPieces);
    }
  }
}

void Explode::spawn(SymbolField& field, const Engine::Math::Vector3& position) {
  if (SceneNodePool* pool = field.nodes()) {
    mPiece.launch(*pool, position);
  }
}

}  // namespace Game::Field
