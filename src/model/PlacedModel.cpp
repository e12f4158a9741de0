#include "model/PlacedModel.h"

#include "model/ModelData.h"
#include "model/ModelSystem.h"
#include "model/PaletteList.h"
#include "model/PaletteStore.h"
#include "platform/DataFiles.h"
#include "render/GPURenderer.h"

std::string PaletteFileName(std::string_view name) {
  std::string out(name);
  size_t dot = out.find_last_of('.');
  size_t separator = out.find_last_of("\\/");
  if (dot != std::string::npos && (separator == std::string::npos || dot > separator)) out.resize(dot);
  return out + ".p16";
}

TPalette ModelPalette(std::string_view modelName) {
  TPalette palette = GreyRamp();
  if (auto stream = OpenDataFile(PaletteFileName(modelName))) ReadPalette16(*stream, palette);
  return palette;
}

TGMGL::TGMGL(TGMGL_System& system, std::string_view name) : system_(system) {
  modelIndex_ = system.Load(name);
  data_ = system.Data(modelIndex_);
  paletteEntry_ = system.Palettes().Acquire(data_->palette, data_->paletteHash);
  paletteSlot_ = system.Palettes().Entry(paletteEntry_).slot;
  palettePosition_ = static_cast<float>((paletteSlot_ % TPaletteStore::kSlotsPerPage) * 256);
}

TGMGL::~TGMGL() {
  system_.Release(modelIndex_);
  system_.Palettes().Release(paletteEntry_);
}

void TGMGL::SetPalette(const TPalette& palette) {
  paletteEntry_ = system_.Palettes().Replace(paletteEntry_, palette);
  paletteSlot_ = system_.Palettes().Entry(paletteEntry_).slot;
  palettePosition_ = static_cast<float>((paletteSlot_ % TPaletteStore::kSlotsPerPage) * 256);
}

const uint8_t* TGMGL::Palette() const { return system_.Palettes().Entry(paletteEntry_).palette; }

// The frame loop keeps frames in range; only other callers pay for the division.
int32_t TGMGL::FrameIndex() const {
  const int32_t n = data_ ? data_->frameCount : 0;
  if (n <= 0) return 0;
  if (uint32_t(frame) < uint32_t(n)) return frame;
  return ((frame % n) + n) % n;
}

bool TGMGL::BuildRecord(int32_t x, int32_t y, int32_t layer, TGPU_Record& record) const {
  if (!data_ || data_->frameCount == 0) return false;
  const TGMGL_Sprite& s = data_->sprites[size_t(FrameIndex())];
  record = {s.u0,
            s.v0,
            s.uSize,
            s.vSize,
            static_cast<float>(int64_t(x) + s.left),
            static_cast<float>(int64_t(y) + s.bottom),
            s.width,
            s.height,
            static_cast<float>(int64_t(layer) * 4 + static_cast<int>(data_->AtlasKind())),
            palettePosition_,
            static_cast<float>(data_->texture)};
  return true;
}

// The record is written once, in the render list, with what the sprite table holds ready.
void TGMGL::Draw(int32_t x, int32_t y, int32_t layer) {
  if (!data_ || data_->texture == 0 || data_->frameCount == 0) return;
  const TGMGL_Sprite& s = data_->sprites[size_t(FrameIndex())];
  const float left = static_cast<float>(int64_t(x) + s.left);
  const float bottom = static_cast<float>(int64_t(y) + s.bottom);
  TGPU_Record* r = system_.Renderer().NewInstance(data_->texture, left, bottom, s.width, s.height, data_->renderList,
                                                  data_->textureSlot);
  if (!r) return;
  const float kind = static_cast<float>(int64_t(layer) * 4 + static_cast<int>(data_->AtlasKind()));
  *r = {s.u0,
        s.v0,
        s.uSize,
        s.vSize,
        left,
        bottom,
        s.width,
        s.height,
        kind,
        palettePosition_,
        static_cast<float>(data_->textureSlot)};
}
