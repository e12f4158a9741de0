#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/ModelSystem.h"
#include "model/PaletteList.h"
#include "model/PaletteStore.h"
#include "model/PlacedModel.h"
#include "render/GPURenderer.h"

class TOGL;

using TRgb = std::array<uint8_t, 3>;  // red, green, blue

// The placed-model scene: models chosen at random from the GMs folder, laid out in a
// 50-column grid and animated every frame, each with its own side-coloured palette.
// It owns the model module's objects; the GL object must outlive it.
class TModelScene {
 public:
  static constexpr int kDefaultModels = 1600;
  static constexpr int kColumns = 50;
  static constexpr int kSpacing = 25;
  static constexpr uint32_t kFrameMs = 60;
  static constexpr int kRandomColours = 1600;

  // Where the placed models stand: the 50-column grid, or cycling through a grid that
  // fits the viewport, so that every model is on screen (for benchmarks).
  enum class TLayout { Grid, Screen };

  // `gl` creates the model atlases and draws; null keeps everything in main memory, with
  // the atlas textures made by `atlases` when given (to measure the frame's own work).
  explicit TModelScene(TOGL* gl, TOGL_Renderer* atlases = nullptr);
  TModelScene(const TModelScene&) = delete;
  TModelScene& operator=(const TModelScene&) = delete;
  ~TModelScene();

  // Loads the instanced program (with a GL object), places `count` models picked from
  // the GMs folder and fills the unit list.
  void Start(int count);
  // Takes effect at the next Start.
  void SetLayout(TLayout layout) { layout_ = layout; }
  // Sends the palettes changed since the last frame.
  void UploadPalettes();
  // Draws every placed model at its grid cell in the frame `tickMs` gives.
  void Draw(uint32_t tickMs);
  // Frees the placed models.
  void Close();

  // One row per placed model: "1: GMs\name.gmz", ...
  const std::vector<std::string>& UnitRows() const { return rows_; }
  // Recolours the model of `row` from its ".p16" palette (or the grey ramp).
  void ApplyUnitSideColour(int row, TRgb colour);
  // 1600 pairwise different colours, none with a channel of 255, over all rows.
  void RandomSideColours();

  size_t ModelCount() const { return placed_.size(); }
  TGMGL& Model(size_t i) { return *placed_[i]; }
  TPaletteStore& Store() { return store_; }
  TSmartPaletteList& Palettes() { return palettes_; }
  TGMGL_System& Models() { return models_; }
  TGPU_Renderer& Renderer() { return renderer_; }

 private:
  // What a frame needs of a placed model, worked out once at Start.
  struct Placement {
    TGMGL* model;
    int32_t x, y;
    uint32_t phase;   // its index modulo its frame count
    uint32_t frames;  // its frame count
    int32_t slot;     // its model's slot
  };

  void FillUnitList();
  void Place();
  void AdvanceAnimation(uint32_t tickMs);

  TOGL* gl_;
  TLayout layout_ = TLayout::Grid;
  std::vector<Placement> placements_;
  std::vector<uint32_t> steps_;  // per model slot: the frame step of this frame modulo its frame count
  TGPU_Renderer renderer_;
  TPaletteStore store_;
  TSmartPaletteList palettes_{store_};
  TGMGL_System models_;
  std::vector<std::unique_ptr<TGMGL>> placed_;
  std::vector<std::string> rows_;
  std::mt19937 random_;
};

// "GMs\" + name of every "*.gmz" in `folder`, in directory order, without names that
// contain "fal.gmz" (case-sensitive). A missing folder gives none.
std::vector<std::string> ScanModelFiles(const std::filesystem::path& folder);
// (i + tick div 60) mod n, summed in 64 bits; 0 for a model without frames.
int32_t AnimationFrame(size_t index, uint32_t tickMs, int32_t frameCount);
// Bottom-up pixel position of grid cell `index`.
std::pair<int32_t, int32_t> GridPosition(size_t index);
// Bottom-up pixel position of model `index` when every model stands on a `width` x
// `height` viewport: the cells of the grid's spacing that fit it, used in turn.
std::pair<int32_t, int32_t> ScreenPosition(size_t index, int width, int height);
// A colour with channels 0..254 that differs from every one in `taken`.
TRgb RandomUniqueColour(const std::vector<TRgb>& taken, std::mt19937& random);
// The model file named by a unit-list row: what follows the first ":" and one blank.
std::string RowModelName(const std::string& row);
