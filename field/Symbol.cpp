#include "field/Symbol.h"

#include <cmath>

#include "Engine/Math/Functions.h"
#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "field/SymbolField.h"
#include "map/Map.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/database/SymbolCharaData.h"

namespace Game::Field {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// The four neighbours in direction order: +y, +x, −y, −x.
constexpr i32 kNeighbourX[4] = {0, 1, 0, -1};
constexpr i32 kNeighbourY[4] = {1, 0, -1, 0};

}  // namespace

Symbol::Symbol(SymbolField& field, std::string name, SymbolCharaData* chara, const char* motion, i32 x, i32 y,
               float angle)
    : mX(x),
      mY(y),
      mChara(chara),
      mName(std::move(name)),
      mIdleMotion(motion ? motion : ""),
      mField(field),
      mMotion(mIdleMotion),
      mPosition(cellCentre(x, y)),
      mAngle(angle) {
  mMove.toX = mMove.fromX = x;
  mMove.toY = mMove.fromY = y;
  takeNode();
  syncNode();
}

Symbol::~Symbol() { releaseNode(); }

bool Symbol::update() {
  bool vanished = false;
  if (!mMove.isMoving()) {
    if (mCommands.empty() && mParameter) {
      mParameter->step(*this);
    }
    vanished = runNextCommand();
  }
  place();
  mMove.tick();
  mColor = mField.map().lightAt(mPosition, kAmbient);
  syncNode();
  return vanished;
}

void Symbol::move(const char* keyword, i32 time, i32 p0, i32 p1, i32 p2, i32 p3) {
  MoveCommand command;
  command.code = MoveCommand::codeOf(keyword);
  command.time = time;
  command.parameters[0] = p0;
  command.parameters[1] = p1;
  command.parameters[2] = p2;
  command.parameters[3] = p3;
  mCommands.push_back(command);
}

void Symbol::clearCommands() {
  mCommands.clear();
  mCursor = 0;
}

void Symbol::aimAt(const Symbol& other) { turnToward(other.position()); }

void Symbol::changeChara(SymbolCharaData* chara, const char* motion) {
  releaseNode();
  mChara = chara;
  mIdleMotion = motion ? motion : "";
  mMotion = mIdleMotion;
  takeNode();
  syncNode();
}

bool Symbol::touch(bool& remove) {
  remove = false;
  return mParameter ? mParameter->touch(remove, *this) : true;
}

void Symbol::setAngle(float angle) {
  mAngle = angle;
  syncNode();
}

Vector3 Symbol::forward() const {
  const float radians = mAngle / Engine::Math::kDegreePerRadian;
  return Vector3(std::cos(radians), std::sin(radians), 0.f);
}

bool Symbol::runNextCommand() {
  if (mCommands.empty()) {
    return false;
  }
  if (mCursor < 0 || mCursor >= static_cast<i32>(mCommands.size())) {
    mCursor = 0;
  }
  const MoveCommand command = mCommands[static_cast<std::size_t>(mCursor)];
  ++mCursor;
  if (command.code == MoveCommand::kVanish) {
    return true;
  }
  runCommand(command);
  return false;
}

void Symbol::runCommand(const MoveCommand& command) {
  const i32* p = command.parameters;
  switch (command.code) {
    case MoveCommand::kWait:
      mMove.addWait(command.time);
      break;
    case MoveCommand::kRandom:
      stepRandomly(command.time, false);
      break;
    case MoveCommand::kMove:
    case MoveCommand::kHop:
      stepBy(p[0], p[1], command.time, command.code == MoveCommand::kHop);
      break;
    case MoveCommand::kGo:
    case MoveCommand::kJump:
      stepToEvent(p[2], command.time, command.code == MoveCommand::kJump);
      break;
    case MoveCommand::kAdvance: {
      i32 dx = 0;
      i32 dy = 0;
      MathHelper::rotateQuarter(&dx, &dy, 1, 0, MathHelper::quadrant(mAngle + 45.f));
      stepBy(dx, dy, command.time, false);
      break;
    }
    case MoveCommand::kChase:
      stepRandomly(command.time, true);
      break;
    default:  // delete: what has run goes, the rest starts over.
      mCommands.erase(mCommands.begin(), mCommands.begin() + mCursor);
      mCursor = 0;
      break;
  }
}

void Symbol::stepBy(i32 dx, i32 dy, i32 time, bool hop) {
  const std::int64_t x = static_cast<std::int64_t>(mX) + dx;
  const std::int64_t y = static_cast<std::int64_t>(mY) + dy;
  const Map::Cell* cell = mField.map().cellAt(static_cast<i32>(x), static_cast<i32>(y));
  if (cell && cell->x == x && cell->y == y) {
    startStep(cell->x, cell->y, time, hop);
  }
}

void Symbol::stepToEvent(i32 eventId, i32 time, bool hop) {
  // No cell carries the event: nowhere to go, so the command passes.
  if (const Map::Cell* cell = mField.map().findEvent(eventId)) {
    startStep(cell->x, cell->y, time, hop);
  }
}

void Symbol::stepRandomly(i32 time, bool uphillOnly) {
  i32 candidates[4];
  i32 count = 0;
  const i32 here = uphillOnly ? mField.valueAt(mX, mY) : 0;
  for (i32 d = 0; d < 4; ++d) {
    const i32 x = mX + kNeighbourX[d];
    const i32 y = mY + kNeighbourY[d];
    if (!mField.map().cellAt(x, y) || !mField.mayEnter(*this, x, y, false)) {
      continue;
    }
    if (!uphillOnly || mField.valueAt(x, y) > here) {
      candidates[count++] = d;
    }
  }
  if (count == 0) {
    if (uphillOnly) {
      stepRandomly(time, false);
    }
    return;
  }
  const i32 d = candidates[mField.random().getInt(count)];
  startStep(mX + kNeighbourX[d], mY + kNeighbourY[d], time, false);
}

void Symbol::startStep(i32 x, i32 y, i32 time, bool hop) {
  if (!mField.map().cellAt(x, y)) {
    return;
  }
  const Vector3 target = cellCentre(x, y);
  turnToward(target);
  if (!mField.mayEnter(*this, x, y, hop)) {
    return;
  }
  if (Symbol* other = mField.symbolAt(x, y, this)) {
    probeContact(*other, target);
    if (mChara && mChara->reacts()) {
      return;
    }
  }
  mMove.start(mX, mY, x, y, time, hop);
  Vector3 d;
  d.setSub(target, mPosition);
  mMotionSpeed = hop ? kHopMotionSpeed : d.length() / kStride * kStrideFrames / static_cast<float>(mMove.total);
  mX = x;
  mY = y;
}

void Symbol::probeContact(Symbol& other, const Vector3& target) {
  Vector3 toward;
  toward.setSub(target, mPosition);
  const float length = toward.length();
  Vector3 probe = mPosition;
  if (length > 0.f) {
    toward *= kProbeDistance / length;
    probe += toward;
  }
  // A symbol covering more than its own cell is met on the cell bumped: its
  // position carried there from its own cell.
  Vector3 met;
  met.setSub(target, cellCentre(other.x(), other.y()));
  met += other.position();
  Vector3 gap;
  gap.setSub(met, probe);
  if (gap.squareLength() <= kContactDistance * kContactDistance) {
    mField.reportContact(*this, other);
  }
}

void Symbol::turnToward(const Vector3& point) {
  const float dx = point.x - mPosition.x;
  const float dy = point.y - mPosition.y;
  if (dx != 0.f || dy != 0.f) {
    setAngle(Engine::Math::atan2(dy, dx));
  }
}

void Symbol::place() {
  if (mMove.wait > 0 || !mMove.isMoving()) {
    mPosition = cellCentre(mX, mY);
    showMotion(mIdleMotion, 1.f);
  } else {
    const float t = mMove.fraction();
    const Vector3 from = cellCentre(mMove.fromX, mMove.fromY);
    const Vector3 to = cellCentre(mMove.toX, mMove.toY);
    mPosition.set(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t, from.z + (to.z - from.z) * t);
    if (mMove.hop) {
      mPosition.z += (1.f - t) * t * 4.f * static_cast<float>(mMove.total) * 3.f;
    }
    showMotion(kWalkMotion, mMotionSpeed);
  }
  if (mChara && mChara->floats()) {
    mPosition.z = 0.f;
  }
}

void Symbol::showMotion(const std::string& motion, float speed) {
  if (motion != mMotion && mNode && mChara) {
    mNode->setModel(mChara->picture(motion.c_str()), false);
  }
  mMotion = motion;
  if (motion != kWalkMotion) {
    speed = 1.f;
  }
  mMotionSpeed = speed;
}

void Symbol::syncNode() {
  if (!mNode) {
    return;
  }
  mNode->position.setValue(mPosition);
  mNode->rotation.setValue(0.f, 0.f, mAngle);
  mNode->setColor(mColor);
  mNode->setSpeed(mMotionSpeed);
}

void Symbol::takeNode() {
  SceneNodePool* pool = mField.nodes();
  if (pool && mChara) {
    mNode = pool->create(mChara->picture(mMotion.c_str()));
  }
}

void Symbol::releaseNode() {
  if (mNode) {
    mNode->release();
    mNode = nullptr;
  }
}

Vector3 Symbol::cellCentre(i32 x, i32 y) const {
  if (const Map::Cell* cell = mField.map().cellAt(x, y)) {
    return cell->centre();
  }
  const Vector3 origin = mField.map().origin();
  return Vector3(origin.x + static_cast<float>(x) * Map::kCellSize, origin.y + static_cast<float>(y) * Map::kCellSize,
                 origin.z);
}

}  // namespace Game::Field
