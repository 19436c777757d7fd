// A frame's key queries through the input manager against a plain array of
// 256 key states indexed by code, the cheapest possible lookup.

#include <benchmark/benchmark.h>

#include <array>

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace input_bench {

constexpr int kCodes = 256;

void BM_KeyboardIsOn(benchmark::State& state) {
  PlatformFake::ScopedFakeBackend backend;
  backend->fakeKeyboard.press(Platform::Key::Z);
  Engine::Input::Manager::create();
  Engine::Input::ManagerImpl::instance()->update({}, true, 0);
  const Engine::Input::Keyboard keyboard = Engine::Input::Manager::instance().keyboard();
  for (auto _ : state) {
    for (int code = 0; code < kCodes; ++code) {
      benchmark::DoNotOptimize(keyboard.isOn(code));
    }
  }
  state.SetItemsProcessed(state.iterations() * kCodes);
  Engine::Input::Manager::destroy();
}

void BM_PlainKeyArray(benchmark::State& state) {
  std::array<bool, kCodes> keys{};
  keys['Z'] = true;
  benchmark::DoNotOptimize(keys.data());
  for (auto _ : state) {
    for (int code = 0; code < kCodes; ++code) {
      benchmark::DoNotOptimize(keys[static_cast<std::size_t>(code)]);
    }
  }
  state.SetItemsProcessed(state.iterations() * kCodes);
}

void BM_InputUpdate(benchmark::State& state) {
  PlatformFake::ScopedFakeBackend backend;
  backend->fakeJoysticks.attached.resize(1);
  Engine::Input::Manager::create();
  for (auto _ : state) {
    Engine::Input::ManagerImpl::instance()->update({}, true, 0);
  }
  Engine::Input::Manager::destroy();
}

BENCHMARK(BM_KeyboardIsOn);
BENCHMARK(BM_PlainKeyArray);
BENCHMARK(BM_InputUpdate);

}  // namespace input_bench
