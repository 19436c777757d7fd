#include "root/play/PlaySession.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Engine/FileIO/Manager.h"
#include "Engine/Graphics/Manager.h"
#include "Engine/Threading/Sleep.h"
#include "Platform/Backend.h"
#include "core/random/RandomGenerator.h"
#include "core/file/FileSystem.h"
#include "presentation/scene/SceneRenderer.h"
#include "root/play/PlayTrace.h"

namespace Game::Play {

namespace {

constexpr std::size_t kKeptLines = 12;

struct Switch {
  const char* flag;
  const char* variable;
  std::string PlayOptions::*text;
};

constexpr Switch kSwitches[] = {
    {"--play", "MARROWDEEP_PLAY_SCRIPT", &PlayOptions::script},
    {"--trace", "MARROWDEEP_PLAY_TRACE", &PlayOptions::trace},
    {"--home", "MARROWDEEP_PLAY_HOME", &PlayOptions::home},
    {"--shots", "MARROWDEEP_PLAY_SHOTS", &PlayOptions::shots},
};

bool readSeed(const std::string& text, int& seed) {
  std::istringstream in(text);
  return static_cast<bool>(in >> seed) && in.eof();
}

}  // namespace

std::vector<std::string> tracedVariables(const std::vector<Command>& commands) {
  std::vector<std::string> names = kTracedVariables;
  for (const Command& command : commands) {
    const bool builtIn = std::find(kTraceFields.begin(), kTraceFields.end(), command.field) != kTraceFields.end();
    if (command.kind == CommandKind::kWait && !builtIn &&
        std::find(names.begin(), names.end(), command.field) == names.end()) {
      names.push_back(command.field);
    }
  }
  return names;
}

bool readOptions(int argc, const char* const* argv, const char* (*environment)(const char*), PlayOptions& options,
                 std::string& error) {
  std::string seed;
  for (const Switch& entry : kSwitches) {
    if (const char* value = environment(entry.variable)) {
      options.*entry.text = value;
    }
  }
  if (const char* value = environment("MARROWDEEP_PLAY_SEED")) {
    seed = value;
  }
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
      seed = argv[++i];
      continue;
    }
    const Switch* match = nullptr;
    for (const Switch& entry : kSwitches) {
      match = std::strcmp(argv[i], entry.flag) == 0 ? &entry : match;
    }
    if (!match || !hasValue) {
      error = std::string("unknown switch or one without its value: ") + argv[i];
      return false;
    }
    options.*match->text = argv[++i];
  }
  if (!seed.empty() && !readSeed(seed, options.seed)) {
    error = "the seed must be a whole number, not '" + seed + "'";
    return false;
  }
  return true;
}

std::unique_ptr<PlaySession> PlaySession::open(const PlayOptions& options, std::string& error) {
  std::ifstream in(options.script, std::ios::binary);
  if (!in) {
    error = options.script + ": cannot be read";
    return nullptr;
  }
  std::ostringstream text;
  text << in.rdbuf();
  Script script = parseScript(text.str(), options.script);
  if (!script.error.empty()) {
    error = script.error;
    return nullptr;
  }
  std::unique_ptr<PlaySession> session(new PlaySession(options, std::move(script.commands)));
  if (!options.trace.empty() && !session->mTrace) {
    error = options.trace + ": cannot be written";
    return nullptr;
  }
  return session;
}

PlaySession::PlaySession(const PlayOptions& options, std::vector<Command> commands)
    : mOptions(options),
      mRunner(commands),
      mVariables(tracedVariables(commands)),
      mStart(Platform::backend().clock().milliseconds()) {
  if (!options.trace.empty()) {
    mTrace.open(options.trace, std::ios::binary | std::ios::trunc);
  }
  FileSystem::setHome(options.home.c_str());
  RandomGenerator::fixStartSeed(options.seed);
  KeyInput::setKeySource(this);
  Application::setStepHooks(this);
}

PlaySession::~PlaySession() {
  Application::setStepHooks(nullptr);
  KeyInput::setKeySource(nullptr);
  RandomGenerator::fixStartSeed(std::nullopt);
  FileSystem::setHome("");
}

// Unpaced and without waiting for the display: the run goes as fast as the
// machine allows, one logic step a frame.
void PlaySession::configure(Engine::Framework::Configuration configuration) {
  configuration.enableVSync(false);
  Engine::Framework::instance().enablePacing(false);
}

bool PlaySession::afterStep() {
  auditText();
  const std::uint32_t ms = Platform::backend().clock().milliseconds() - mStart;
  const TraceState state = traceOfGame(mFrame++, ms, mVariables);
  writeTrace(state);
  mRunner.observe(state);
  for (const std::string& shot : mRunner.takeShots()) {
    capture(shot);
  }
  if (mRunner.status() == PlayRunner::Status::kFailed) {
    capture("failed");
  }
  // Nobody watches a scripted run: only frames that may be shot are drawn,
  // which saves most of its time under a software renderer.
  Engine::Graphics::Manager::instance().skipDrawing(!mRunner.mayShootAfterNextStep());
  awaitReads();
  return mRunner.status() == PlayRunner::Status::kRunning;
}

// Unpaced frames outrun the loader: without this wait a picture could be
// ready on one run's shot and missing on the next.
void PlaySession::awaitReads() const {
  while (Engine::FileIO::Manager::instance().isReading()) {
    Engine::Threading::sleep(1);
  }
}

void PlaySession::writeTrace(const TraceState& state) {
  std::string line = jsonLine(state);
  if (mTrace) {
    mTrace << line << '\n' << std::flush;
  }
  mLastLines.push_back(std::move(line));
  if (mLastLines.size() > kKeptLines) {
    mLastLines.pop_front();
  }
}

void PlaySession::capture(const std::string& name) const {
  const std::string path = mOptions.shots + "/" + name + ".bmp";
  Engine::Graphics::Manager::instance().captureScreen(path.c_str());
}

// Texts that left their frames in any frame drawn, each once.
void PlaySession::auditText() {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer || mOptions.shots.empty()) {
    return;
  }
  renderer->textWriter().setAuditing(true);
  for (std::string& line : renderer->textWriter().audit().strays()) {
    if (mStrays.insert(line).second) {
      std::ofstream out(mOptions.shots + "/strays.txt", std::ios::binary | std::ios::app);
      out << "frame " << mFrame << ": " << line << '\n';
    }
  }
}

int PlaySession::finish() {
  if (mRunner.status() == PlayRunner::Status::kFailed) {
    reportFailure(mOptions.script + ":" + mRunner.failure());
    return 1;
  }
  if (mRunner.isWaiting()) {
    reportFailure(mOptions.script + ":" + std::to_string(mRunner.line()) + ": the game ended during this wait");
    return 1;
  }
  return 0;
}

void PlaySession::reportFailure(const std::string& reason) const {
  std::cerr << "play: " << reason << "\nplay: the trace's last lines:\n";
  for (const std::string& line : mLastLines) {
    std::cerr << line << '\n';
  }
}

}  // namespace Game::Play
