#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Palette.h"
#include "render/RenderList.h"

class TGMGL_Data;
class TGMGL_System;

// One unit on screen: a shared model, its current animation frame and its own palette,
// registered (and shared by content) in the palette list.
class TGMGL {
 public:
  // Loads `name` through the system and starts from the model's ".p16" palette, or the
  // grey ramp when it has none.
  TGMGL(TGMGL_System& system, std::string_view name);
  TGMGL(const TGMGL&) = delete;
  TGMGL& operator=(const TGMGL&) = delete;
  ~TGMGL();

  void SetPalette(const TPalette& palette);
  // The frame Draw shows: `frame` modulo the frame count (0 without frames).
  int32_t FrameIndex() const;
  // Hands one instance record to the renderer: the current frame, placed on a canvas
  // centred at (x, y). Models without frames or atlas draw nothing. The record's layer
  // field carries layer x 4 + the atlas kind, which tells the shader how to read the atlas.
  void Draw(int32_t x, int32_t y, int32_t layer);
  // The instance record Draw hands over (texture name included); false without frames.
  bool BuildRecord(int32_t x, int32_t y, int32_t layer, TGPU_Record& record) const;

  int32_t ModelIndex() const { return modelIndex_; }
  const TGMGL_Data* Data() const { return data_; }
  int32_t PaletteEntry() const { return paletteEntry_; }
  int32_t PaletteSlot() const { return paletteSlot_; }
  // The palette as stored for the card.
  const uint8_t* Palette() const;

  int32_t frame = 0;

 private:
  TGMGL_System& system_;
  int32_t modelIndex_ = -1;
  TGMGL_Data* data_ = nullptr;
  int32_t paletteEntry_ = -1;
  int32_t paletteSlot_ = 0;
  float palettePosition_ = 0;  // the record's palette field
};

// The ".p16" palette beside a model file, or the grey ramp when it cannot be opened.
TPalette ModelPalette(std::string_view modelName);
// `name` with its extension (from the last "." after the last separator) replaced by ".p16".
std::string PaletteFileName(std::string_view name);
