#pragma once

// The game's shared services (constants, databases, random source, graphics
// device, scene renderer, sound device and effects, pictures) as one scoped
// set-up, created in the order they depend on each other and destroyed in
// reverse: a test names what it needs instead of pairing create and destroy
// calls in SetUp and TearDown.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "Engine/Graphics/Manager.h"
#include "Engine/Sound/Manager.h"
#include "core/random/RandomGenerator.h"
#include "core/sound/SoundEffectManager.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/Database.h"
#include "records/constance/Constance.h"

namespace TestServices {

enum Service : unsigned {
  kConstants = 1u << 0,
  kDatabase = 1u << 1,  // empty: load it, or use kSampleDatabase
  kSampleDatabase = 1u << 2,  // loaded from the files in use (the fake file system's samples)
  kRandom = 1u << 3,
  kGraphics = 1u << 4,  // the fake graphics device
  kRenderer = 1u << 5,
  kSound = 1u << 6,  // the sound device and the effect manager
  kGuiPictures = 1u << 7,
};

struct Options {
  Engine::i32 width = 800;
  Engine::i32 height = 600;
  std::uint32_t seed = 2024;
};

class Scoped {
 public:
  explicit Scoped(unsigned services, Options options = {}) : mServices(services) {
    if (has(kConstants)) {
      Game::Constance::create();
    }
    if (has(kSampleDatabase)) {
      Game::Database::createAndLoad();
    } else if (has(kDatabase)) {
      Game::Database::create();
    }
    if (has(kRandom)) {
      Game::RandomGenerator::create();
      Game::RandomGenerator::instance()->setSeed(options.seed);
    }
    if (has(kGraphics)) {
      Engine::Graphics::Manager::create(options.width, options.height, false, true, false);
    }
    if (has(kRenderer)) {
      Game::SceneRenderer::create(options.width, options.height);
    }
    if (has(kSound)) {
      Engine::Sound::Manager::create();
      Game::SoundEffectManager::create();
    }
    if (has(kGuiPictures)) {
      Game::GuiPictures::create();
    }
  }
  ~Scoped() {
    if (has(kGuiPictures)) {
      Game::GuiPictures::destroy();
    }
    if (has(kSound)) {
      Game::SoundEffectManager::destroy();
      Engine::Sound::Manager::destroy();
    }
    if (has(kRenderer)) {
      Game::SceneRenderer::destroy();
    }
    if (has(kGraphics)) {
      Engine::Graphics::Manager::destroy();
    }
    if (has(kRandom)) {
      Game::RandomGenerator::destroy();
    }
    if (has(kDatabase | kSampleDatabase)) {
      Game::Database::destroy();
    }
    if (has(kConstants)) {
      Game::Constance::destroy();
    }
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

 private:
  bool has(unsigned service) const { return (mServices & service) != 0; }

  unsigned mServices;
};

// A test whose every case runs with the named services.
template <unsigned kServices, class Base = ::testing::Test>
class Test : public Base {
 protected:
  void SetUp() override {
    Base::SetUp();
    mServices.emplace(kServices);
  }
  void TearDown() override {
    mServices.reset();
    Base::TearDown();
  }

 private:
  std::optional<Scoped> mServices;
};

}  // namespace TestServices
