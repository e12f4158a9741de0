#pragma once
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "model/ModelData.h"

class TGPU_Renderer;
class TOGL_Renderer;
class TSmartPaletteList;

// Shares model data between the placed models of one file: one slot per loaded file,
// counted by reference, looked up by lower-cased name. Also hands placed models the
// palette list and the renderer they work with.
class TGMGL_System {
 public:
  static constexpr int32_t kGrowBy = 50;

  // `gl` creates the atlas textures; without it atlases stay in main memory only.
  TGMGL_System(TSmartPaletteList& palettes, TGPU_Renderer& renderer, TOGL_Renderer* gl);
  TGMGL_System(const TGMGL_System&) = delete;
  TGMGL_System& operator=(const TGMGL_System&) = delete;
  ~TGMGL_System();

  // The model's slot; a name already loaded (in any letter case) gains a reference.
  int32_t Load(std::string_view name);
  TGMGL_Data* Data(int32_t index) const;
  void Release(int32_t index);
  // Forgets every model's render list and slot: the start of a frame.
  void ResetRenderState();

  int32_t RefCount(int32_t index) const { return slots_[index].refCount; }
  int32_t SlotCount() const { return static_cast<int32_t>(slots_.size()); }
  int32_t Capacity() const { return static_cast<int32_t>(slots_.capacity()); }

  TSmartPaletteList& Palettes() const { return palettes_; }
  TGPU_Renderer& Renderer() const { return renderer_; }

 private:
  struct Slot {
    int32_t refCount = 0;
    std::unique_ptr<TGMGL_Data> data;
  };

  TSmartPaletteList& palettes_;
  TGPU_Renderer& renderer_;
  TOGL_Renderer* gl_;
  std::vector<Slot> slots_;
};
