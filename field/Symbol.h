#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "field/MoveCommand.h"
#include "presentation/render/Color.h"

namespace Game {

class NmlNode;
class SceneNode;
class SymbolCharaData;

namespace Field {

class Symbol;
class SymbolField;

// What makes a symbol more than a figure: a behaviour when touched and on
// each step it takes of its own accord.
class SymbolParameter {
 public:
  virtual ~SymbolParameter() = default;
  // The parameter's own child of the symbol's node.
  virtual void save(NmlNode& node) const = 0;
  // True once the touch is dealt with; remove asks the field to take the
  // symbol away.
  virtual bool touch(bool& remove, Symbol& symbol) = 0;
  virtual bool isEnemy() const = 0;
  virtual bool isContainer() const = 0;
  // Called while the symbol rests with an empty queue.
  virtual void step(Symbol& symbol) = 0;
};

// Anything standing on a floor besides the walls: the player, enemies,
// doors, chests, scripted figures. It walks its queue of move commands one a
// frame, a step at a time, and shows its chara's motion at its position.
class Symbol {
 public:
  static constexpr const char* kWalkMotion = "walk";
  // Where a moving symbol looks for whom it runs into, and how near they
  // must be.
  static constexpr float kProbeDistance = 24.f;
  static constexpr float kContactDistance = 32.f;
  // Walk motion speed: a 40-unit stride plays 10 frames.
  static constexpr float kStride = 40.f;
  static constexpr float kStrideFrames = 10.f;
  static constexpr float kHopMotionSpeed = 0.5f;
  // The symbols' colour is never darker than this grey.
  static constexpr float kAmbient = 0.2f;

  // A symbol on cell (x, y) of the field's map turned to `angle` degrees;
  // chara may be null (nothing drawn, no footprint rules).
  Symbol(SymbolField& field, std::string name, SymbolCharaData* chara, const char* motion, Engine::i32 x,
         Engine::i32 y, float angle);
  virtual ~Symbol();
  Symbol(const Symbol&) = delete;
  Symbol& operator=(const Symbol&) = delete;

  // One frame; true when a "vanish" command ran (the field removes it).
  bool update();

  // Appends a command; an unknown keyword is "delete".
  void move(const char* keyword, Engine::i32 time, Engine::i32 p0 = 0, Engine::i32 p1 = 0, Engine::i32 p2 = 0,
            Engine::i32 p3 = 0);
  void clearCommands();
  void aimAt(const Symbol& other);
  // A new picture and idle motion; the old node is given back.
  void changeChara(SymbolCharaData* chara, const char* motion);
  bool touch(bool& remove);
  bool isEnemy() const { return mParameter && mParameter->isEnemy(); }
  bool isContainer() const { return mParameter && mParameter->isContainer(); }

  void setParameter(std::unique_ptr<SymbolParameter> parameter) { mParameter = std::move(parameter); }
  SymbolParameter* parameter() const { return mParameter.get(); }
  SymbolField& field() const { return mField; }
  const std::string& name() const { return mName; }
  SymbolCharaData* chara() const { return mChara; }
  const std::string& idleMotion() const { return mIdleMotion; }
  // The motion shown now: "walk" or the idle one.
  const std::string& motion() const { return mMotion; }
  float motionSpeed() const { return mMotionSpeed; }
  Engine::i32 x() const { return mX; }
  Engine::i32 y() const { return mY; }
  const Engine::Math::Vector3& position() const { return mPosition; }
  // Degrees; 0 faces +x, 90 faces +y.
  float angle() const { return mAngle; }
  void setAngle(float angle);
  // The unit vector the symbol faces.
  Engine::Math::Vector3 forward() const;
  const Color& color() const { return mColor; }
  SceneNode* node() const { return mNode; }
  const std::vector<MoveCommand>& commands() const { return mCommands; }
  Engine::i32 cursor() const { return mCursor; }
  MoveController& controller() { return mMove; }
  const MoveController& controller() const { return mMove; }
  bool isMoving() const { return mMove.isMoving(); }
  bool hasArrived() const { return mMove.hasArrived(); }
  bool hasCommands() const { return !mCommands.empty(); }

  // The symbol's node of a save: name, place, look, queue and step.
  void save(NmlNode& node) const;
  // Queue, cursor and step as a save (or a map) gives them.
  void restore(const NmlNode& node);

 private:
  // The next command; true for "vanish".
  bool runNextCommand();
  void runCommand(const MoveCommand& command);
  void stepBy(Engine::i32 dx, Engine::i32 dy, Engine::i32 time, bool hop);
  void stepToEvent(Engine::i32 eventId, Engine::i32 time, bool hop);
  void stepRandomly(Engine::i32 time, bool uphillOnly);
  // Starts a step onto (x, y) unless the map, the field or another symbol
  // stops it.
  void startStep(Engine::i32 x, Engine::i32 y, Engine::i32 time, bool hop);
  void probeContact(Symbol& other, const Engine::Math::Vector3& target);
  void turnToward(const Engine::Math::Vector3& point);
  void place();
  void showMotion(const std::string& motion, float speed);
  void syncNode();
  void takeNode();
  void releaseNode();
  Engine::Math::Vector3 cellCentre(Engine::i32 x, Engine::i32 y) const;

  std::vector<MoveCommand> mCommands;
  Engine::i32 mCursor = 0;
  SceneNode* mNode = nullptr;
  std::unique_ptr<SymbolParameter> mParameter;
  MoveController mMove;
  Engine::i32 mX = 0;
  Engine::i32 mY = 0;
  SymbolCharaData* mChara = nullptr;
  std::string mName;
  std::string mIdleMotion;
  SymbolField& mField;
  std::string mMotion;
  float mMotionSpeed = 1.f;
  Engine::Math::Vector3 mPosition{0.f, 0.f, 0.f};
  float mAngle = 0.f;
  Color mColor;
};

}  // namespace Field
}  // namespace Game
