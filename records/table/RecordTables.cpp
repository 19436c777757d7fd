#include "records/table/RecordTables.h"

namespace Game {

namespace {

const RecordTables* gInstance = nullptr;

}  // namespace

const RecordTables* RecordTables::instance() { return gInstance; }

void RecordTables::setInstance(const RecordTables* tables) { gInstance = tables; }

}  // namespace Game
