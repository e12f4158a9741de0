#include "model/ModelSystem.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "model/PaletteList.h"
#include "model/PlacedModel.h"
#include "platform/DataFiles.h"

namespace {
std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}
}  // namespace

TGMGL_System::TGMGL_System(TSmartPaletteList& palettes, TGPU_Renderer& renderer, TOGL_Renderer* gl)
    : palettes_(palettes), renderer_(renderer), gl_(gl) {}

TGMGL_System::~TGMGL_System() = default;

int32_t TGMGL_System::Load(std::string_view name) {
  std::string lower = Lower(name);
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (slots_[i].data && slots_[i].data->fileName == lower) {
      ++slots_[i].refCount;
      return static_cast<int32_t>(i);
    }
  }
  auto data = std::make_unique<TGMGL_Data>();
  auto stream = OpenDataFile(lower);
  data->Load(stream.get(), lower, true, gl_);
  data->palette = ModelPalette(name);
  data->paletteHash = TSmartPaletteList::Hash(data->palette);

  auto free = std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return !s.data; });
  if (free == slots_.end()) {
    if (slots_.size() == slots_.capacity()) slots_.reserve(slots_.size() + kGrowBy);
    free = slots_.insert(slots_.end(), Slot{});
  }
  free->refCount = 1;
  free->data = std::move(data);
  return static_cast<int32_t>(free - slots_.begin());
}

TGMGL_Data* TGMGL_System::Data(int32_t index) const {
  if (index < 0 || index >= SlotCount()) return nullptr;
  return slots_[index].data.get();
}

void TGMGL_System::Release(int32_t index) {
  if (!Data(index)) return;
  if (--slots_[index].refCount < 1) slots_[index].data.reset();
}

void TGMGL_System::ResetRenderState() {
  for (Slot& s : slots_) {
    if (!s.data) continue;
    s.data->renderList = -1;
    s.data->textureSlot = 0;
  }
}
