#pragma once

#include "Engine/Base/Types.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

class Batch;
class Model;

// The pictures of the field and battle displays: gauge pips, the arrow, the
// spot, item icons found by name, and the compass with the automap's
// pieces, read from "src/picture/gui/" when the application root starts.
class GuiPictures {
 public:
  // Pips of a gauge row, and the rows of a stack below one another.
  static constexpr float kPipSpacing = 16.f;
  static constexpr float kStackRowSpacing = 24.f;
  static constexpr float kStackRowScale = 0.75f;

  static void create();
  static void destroy();
  // Null outside create and destroy.
  static GuiPictures* instance();

  GuiPictures(const GuiPictures&) = delete;
  GuiPictures& operator=(const GuiPictures&) = delete;

  ResourceSet& arrow() { return mArrow; }
  ResourceSet& spot() { return mSpot; }
  ResourceSet& gauge() { return mGauge; }
  ResourceSet& icons() { return mIcon; }
  ResourceSet& compass() { return mCompass; }

  Model* arrowModel() const { return mArrow.getModel(0); }
  Model* compassModel() const { return mCompass.getModel(0); }
  // The automap's and the compass's pieces ("cell", "cursor", "ring"); null
  // for a name the compass set lacks.
  Batch* compassBatch(const char* name) const { return mCompass.findBatch(name); }
  // An icon model by name; null when the set lacks it, which draws nothing.
  Model* findIcon(const char* name) const;
  // The same through the instance; null without one.
  static Model* icon(const char* name);

  // A row of total pips from (x, y) on the interface space, 16 units apart
  // before the row is scaled by scale, and turned about the vertical axis
  // to run leftward when flip is set; the first filled ones (all of them
  // when filled exceeds total) show modelName, the rest "empty".
  void drawGauge(float x, float y, float scale, bool flip, Engine::i32 filled, Engine::i32 total,
                 const char* modelName) const;
  // A gauge of "active" pips, and below it a smaller row of second
  // "active" pips and then one of third "invalid" pips.
  void drawGaugeStack(float x, float y, float scale, bool flip, Engine::i32 filled, Engine::i32 total,
                      Engine::i32 second, Engine::i32 third) const;

 private:
  GuiPictures();
  ~GuiPictures() = default;

  ResourceSet mArrow;
  ResourceSet mSpot;
  ResourceSet mGauge;
  ResourceSet mIcon;
  ResourceSet mCompass;
};

}  // namespace Game
