#include "resource/Database.h"

#include <cstring>
#include <vector>

#include "core/game/VariableTable.h"

namespace Game {

using Engine::i32;

namespace {

Database* gInstance = nullptr;

// The sample records.
constexpr const char* kSampleTools[][2] = {
    {"薬草", "薬草"},
    {"鉄の剣", "鉄の剣"},
};

template <class Record>
const Record* findByName(const std::deque<Record>& records, const char* name) {
  for (const Record& record : records) {
    if (std::strcmp(record.name(), name) == 0) {
      return &record;
    }
  }
  return nullptr;
}

template <class Record>
const Record* recordAt(const std::deque<Record>& records, i32 i) {
  return i >= 0 && static_cast<std::size_t>(i) < records.size() ? &records[static_cast<std::size_t>(i)] : nullptr;
}

// The dump's lines, collected as a list menu would take them.
struct LineCollector {
  std::vector<String>& lines;
  void addText(const char* text, Engine::u32, bool) { lines.emplace_back(text); }
};

// The "func" lines of the variable declarations become the named functions,
// which also list themselves in the variable dump.
void plugFunctionsIntoVariables(FunctionTable& functions) {
  VariableTable::setFunctionHooks({
      [&functions](const char* name, const char* expression) { functions.declare(name, expression); },
      [&functions](std::vector<String>& lines) {
        LineCollector collector{lines};
        functions.dump(collector);
      },
  });
}

}  // namespace

void Database::create() {
  if (!gInstance) {
    gInstance = new Database();
    plugFunctionsIntoVariables(gInstance->mFunctions);
  }
}

void Database::destroy() {
  if (gInstance) {
    VariableTable::setFunctionHooks({});
  }
  delete gInstance;
  gInstance = nullptr;
}

Database* Database::instance() { return gInstance; }

Database::Database() {
  mMaps.loadPictures();
  mMaps.loadSites();
  mMaps.loadLinks();
  for (const auto& tool : kSampleTools) {
    addTool(tool[0], tool[1]);
  }
}

const ToolData* Database::findTool(const char* name) const {
  if (!name) {
    return nullptr;
  }
  for (const ToolData& tool : mTools) {
    if (std::strcmp(tool.fullName(), name) == 0) {
      return &tool;
    }
  }
  return nullptr;
}

const ToolData* Database::toolAt(i32 i) const { return recordAt(mTools, i); }

const MapSiteData* Database::addSite(const char* name, const char* print, i32 floorNumber) {
  return mMaps.sites.add(MapSiteData(name, print, floorNumber));
}

const ToolData* Database::addTool(const char* name, const char* fullName) {
  mTools.emplace_back(name, fullName);
  return &mTools.back();
}

const ToolData* Database::addTool(const ToolData& tool) {
  mTools.push_back(tool);
  return &mTools.back();
}

}  // namespace Game
