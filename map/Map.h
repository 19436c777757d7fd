#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/map/MapBuildQueue.h"
#include "map/FloorCellSpec.h"
#include "presentation/model/Animation.h"
#include "presentation/model/PointLightSet.h"
#include "presentation/render/Color.h"
#include "presentation/render/Transform.h"

namespace Game {

class Batch;
class MeshBuilder;
class Material;
class MapPictureSet;
class MapGenerator;
class Model;
class RenderState;
class TileMapView;
struct ChipPicture;
struct MapObjectPicture;
struct WallPicture;

// The walkable floor of a dungeon: a grid of cells 48 world units square
// (a height unit is 10), centred on the origin, with its meshes, the objects
// standing on it and the lights baked into them. build fills cells, lights
// and objects at once; the meshes follow a group a frame through the
// floor-build queue, which a map leaves when destroyed.
//
// Corners and directions share numbers: 0 toward +y, 1 toward +x, 2 toward
// −y, 3 toward −x; corner c lies between directions c and c + 1.
class Map : public SteppedBuild {
 public:
  static constexpr Engine::i32 kCellSize = 48;
  static constexpr Engine::i32 kHeightUnit = 10;
  static constexpr Engine::i32 kLayerCount = 6;
  // Where a pit's corners lie.
  static constexpr float kPitZ = 1280.f;
  // Where the sides of all but floating chips end.
  static constexpr float kSideBottomZ = -16.f;
  // How far a floating chip's sides hang.
  static constexpr float kFloatDepth = 48.f;
  // Objects that may disappear are left out farther than 256 units from the
  // point the camera looks at.
  static constexpr float kCullDistanceSquared = 65536.f;
  // Texels of texture per cell.
  static constexpr float kTexelsPerCell = 32.f;

  struct Cell {
    const ChipPicture* chip = nullptr;
    Map* map = nullptr;
    Engine::i32 x = 0;
    Engine::i32 y = 0;
    Engine::i32 height = 0;
    Engine::i32 corners[4] = {0, 0, 0, 0};
    bool chipPresent = true;
    bool pit = false;
    bool blockedByObject = false;
    bool walkableOverride = false;
    Engine::i32 topFirstIndex = 0;
    Engine::i32 topTriangles = 0;
    Engine::i32 eventId = -1;

    // Origin + (x, y) × 48 at the surface height.
    Engine::Math::Vector3 centre() const;
    // The corner (taken modulo 4) at its height; a pit's at kPitZ; z −1 for
    // a cell without chip or with a cylinder chip (cylinder then set).
    Engine::Math::Vector3 cornerPosition(Engine::i32 corner, bool* cylinder = nullptr) const;
    // Where the side face below the corner ends (below the centre for a
    // cylinder chip).
    Engine::Math::Vector3 lowerPoint(Engine::i32 corner) const;
    bool isPassable() const;
    // False without a chip or while chipPresent is off.
    bool isSection() const;
    bool isWater() const;
    bool isCylinder() const;
    bool isFloating() const;
    // Null without a chip.
    const WallPicture* wall() const;
  };

  // A placed object: its model under a transform, lit or culled as its
  // picture says.
  struct ObjectInstance {
    Model* model = nullptr;
    Transform transform;
    // A material override of a turned object; may be null.
    const Material* material = nullptr;
    // The light at the object, for objects that take it.
    bool lit = false;
    Color color;
    bool cull = false;
  };

  // One uploaded piece of a chip's or wall's geometry.
  struct Mesh {
    Mesh();
    ~Mesh();
    std::unique_ptr<Batch> batch;
    Animation animation;
  };

  // Floors built from the database's map pictures (none without a database).
  Map();
  explicit Map(MapPictureSet& pictures);
  virtual ~Map();

  // Cells, lights, objects and meshes gone; the build restarts.
  void reset();

  // Reads name + ".fmf"; a tile map missing or refused stops the program
  // naming the file and what is wrong.
  FloorSpecGrid loadFmf(const char* name);
  // The six layers of a tile map as cell specs; rows are flipped so that
  // the last row read is y 0.
  static FloorSpecGrid readFmfLayers(const TileMapView& view, MapPictureSet& pictures, const char* name);
  virtual void buildFromFmf(const char* name);
  // The generator's grid, its stairs cell without floor and bearing
  // "階段上り" or "階段下り"; a grid without the stairs event stops the program
  // naming the floor file.
  void buildFromGenerator(const MapGenerator& generator);
  // Cells, lights and objects from the grid, then joins the floor-build
  // queue for the meshes.
  void build(const FloorSpecGrid& specs);
  // Stands an object on cell (x, y) turned by rotation quarter turns.
  void placeObject(Engine::i32 x, Engine::i32 y, const MapObjectPicture& object, Engine::i32 rotation);

  // One group's meshes (groups without geometry are passed over); true once
  // every chip and wall group is built.
  bool buildStep() override;
  // Every group at once.
  void buildAllMeshes();
  bool isBuilt() const;

  // Meshes, then the objects near the camera's target.
  void draw(float time) const;
  // Meshes and every object under an extra state, without culling.
  virtual void drawTransformed(const RenderState& state, float time) const;
  // The event number of every cell that has one, at the cell's centre on screen.
  void drawEventIds() const;

  Engine::i32 width() const { return mWidth; }
  Engine::i32 height() const { return mHeight; }
  // Null outside the grid.
  Cell* cellAt(Engine::i32 x, Engine::i32 y);
  const Cell* cellAt(Engine::i32 x, Engine::i32 y) const;
  // The first cell (x outer, y inner) with that event; null when none.
  const Cell* findEvent(Engine::i32 eventId) const;
  // The world's (−W × 24, −H × 24, 0).
  Engine::Math::Vector3 origin() const { return mOrigin; }
  // Fractional cells (whole at a centre) and height units.
  Engine::Math::Vector3 worldToCell(const Engine::Math::Vector3& position) const;
  // The k-th (0..3) of the cells that share the cell's corner; null outside
  // the grid. sharedCorner gets the corner's number in that cell.
  const Cell* neighbour(const Cell& cell, Engine::i32 corner, Engine::i32 k,
                        Engine::i32* sharedCorner = nullptr) const;
  // The mean z of the corner over the cells around it that exist.
  float averageCornerZ(const Cell& cell, Engine::i32 corner) const;
  bool isCornerRaised(const Cell& cell, Engine::i32 corner) const;
  // The colour of a top face at the corner, before lighting.
  Color edgeColor(const Cell& cell, Engine::i32 corner) const;
  // The lights' colour at a point, no component below ambient.
  Color lightAt(const Engine::Math::Vector3& position, float ambient) const;
  // Multiplies each vertex colour by the light at the vertex.
  void bakeLights(MeshBuilder& mesh) const;

  MapPictureSet& pictures() const { return *mPictures; }
  const std::vector<std::unique_ptr<Mesh>>& meshes() const { return mMeshes; }
  const std::vector<ObjectInstance>& objects() const { return mObjects; }
  Engine::i32 nextChip() const { return mNextChip; }
  Engine::i32 nextWall() const { return mNextWall; }

 private:
  // A cell known to lie inside the grid.
  Cell& inside(Engine::i32 x, Engine::i32 y);
  void buildCell(Cell& cell, const FloorCellSpec& spec);
  void smoothCell(Cell& cell);
  // A group's mesh pieces; false when it has no geometry.
  bool buildChipGroup(const ChipPicture& chip);
  bool buildWallGroup(const WallPicture& wall);
  void drawMeshes(const RenderState& state, float time) const;
  void drawObject(const ObjectInstance& object, const RenderState& state, float time) const;

  MapPictureSet* mPictures;
  std::vector<std::unique_ptr<Mesh>> mMeshes;
  std::vector<ObjectInstance> mObjects;
  Engine::i32 mWidth = 0;
  Engine::i32 mHeight = 0;
  Engine::Math::Vector3 mOrigin{0.f, 0.f, 0.f};
  std::vector<Cell> mCells;
  PointLightSet mLights;
  // Where each light reaches: beyond it a light adds or takes nothing, so
  // vertices out of every reach take the base colour without the sums.
  struct Reach {
    Engine::Math::Vector3 position;
    float radiusSquared;
  };
  std::vector<Reach> mReaches;
  bool mHasAddingLight = false;
  Engine::i32 mNextChip = 0;
  Engine::i32 mNextWall = 0;
  std::string mName;
};

}  // namespace Game
