#include "app/UnitListHost.h"

#include <algorithm>

#include "QGUI/Desktop.h"
#include "gl/Renderer.h"
#include "model/ModelData.h"
#include "model/PlacedModel.h"
#include "platform/DataFiles.h"
#include "platform/Text.h"

namespace {

constexpr int32_t kMaxBadge = 99;  // two digit cells
constexpr int kSideEntry = 24;     // the top of the side ramp

// "GMs\z_tank.gmz" -> "z_tank".
std::u16string TypeName(const std::string& file) {
  size_t start = file.find_last_of("\\/");
  start = start == std::string::npos ? 0 : start + 1;
  size_t end = file.rfind('.');
  if (end == std::string::npos || end < start) end = file.size();
  return ToUtf16(std::string_view(file).substr(start, end - start));
}

const GMFrame* FirstPicture(const TGM_File& file) {
  for (int i = 0; i < file.FrameCount(); ++i)
    if (file.GetFrame(i).HasPlanes()) return &file.GetFrame(i);
  return nullptr;
}

}  // namespace

TUnitPicture MakeUnitPicture(const TGM_File& file, const TPalette& palette) {
  TUnitPicture picture;
  const GMFrame* frame = FirstPicture(file);
  if (!frame) return picture;
  const int32_t w = frame->width, h = frame->height;
  picture.size = std::max(w, h);
  picture.rgba.assign(size_t(picture.size) * picture.size * 4, 0);
  const int32_t left = (picture.size - w) / 2, top = (picture.size - h) / 2;
  const bool colours = IsColourEncoding(file.Encoding());
  const uint8_t opacity = file.Encoding() == 'S' ? 128 : 255;
  for (int32_t row = 0; row < h; ++row) {
    // Frame rows run top down; texture rows bottom up.
    uint8_t* out = &picture.rgba[(size_t(picture.size - 1 - top - row) * picture.size + left) * 4];
    for (int32_t col = 0; col < w; ++col, out += 4) {
      const size_t at = size_t(row) * w + col;
      const uint8_t* bgr = colours ? &frame->main[at * 3] : &palette[size_t(frame->main[at]) * 3];
      const uint8_t a = colours ? frame->alpha[at] : (frame->main[at] ? opacity : 0);
      out[0] = bgr[2];
      out[1] = bgr[1];
      out[2] = bgr[0];
      out[3] = a;
    }
  }
  return picture;
}

TUnitListHost::TUnitListHost(TQGUI_Context& gui, TModelScene& scene, TOGL_Renderer* renderer)
    : gui_(gui), scene_(scene), renderer_(renderer), registration_(gui, [this](TQGUI_UnitList& l) { Install(l); }) {
  for (size_t i = 0; i < scene_.ModelCount(); ++i) {
    const std::string& file = scene_.Model(i).Data()->fileName;
    auto it = std::find_if(types_.begin(), types_.end(), [&](const Type& t) { return t.file == file; });
    if (it == types_.end()) {
      types_.emplace_back();
      it = types_.end() - 1;
      it->file = file;
      it->name = TypeName(file);
      if (auto stream = OpenDataFile(file)) it->model.Load(*stream);
    }
    it->models.push_back(i);
  }
}

TUnitListHost::~TUnitListHost() {
  for (const TQGUI_ElementRef& ref : lists_)
    if (auto* list = dynamic_cast<TQGUI_UnitList*>(gui_.Resolve(ref))) list->InstallHooks({}, 0);
  if (renderer_)
    for (const Type& type : types_) renderer_->DeleteTexture(type.picture);
}

TRgb TUnitListHost::SideColour(const Type& type) const {
  const uint8_t* entry = scene_.Model(type.models.front()).Palette() + kSideEntry * 3;
  return {entry[2], entry[1], entry[0]};
}

void TUnitListHost::Install(TQGUI_UnitList& list) {
  const TQGUI_ElementRef ref = gui_.RefTo(list);
  lists_.push_back(ref);
  if (list.Slot(SLOT_TEXTURE2).name.empty()) list.SetSlotTexture(SLOT_TEXTURE2, kDigits);
  TQGUI_UnitListHooks hooks;
  hooks.getLayout = [this, ref](int32_t, TQGUI_UL_Layout& layout) { Layout(ref, layout); };
  hooks.getCellData = [this](int32_t, int32_t cell, TQGUI_UL_UpdateUnitData& data) { CellData(cell, data); };
  hooks.onCellClick = [this](int32_t, int32_t cell, uint8_t button) { Click(cell, button); };
  hooks.onCellHover = [this, ref](int32_t, int32_t cell) { Hover(ref, cell); };
  list.InstallHooks(std::move(hooks), 0);
}

// As many columns as the list's width holds, at least one.
void TUnitListHost::Layout(const TQGUI_ElementRef& ref, TQGUI_UL_Layout& layout) const {
  const TQGUI_Element* list = gui_.Resolve(ref);
  const int32_t count = int32_t(types_.size());
  layout.columnCount = std::max(1, (list ? list->w : 0) / (kCell + kGapX));
  layout.rowCount = (count + layout.columnCount - 1) / layout.columnCount;
  layout.cellWidth = layout.cellHeight = kCell;
  layout.gapX = kGapX;
  layout.gapY = kGapY;
  layout.cellCount = count;
}

void TUnitListHost::CellData(int32_t cell, TQGUI_UL_UpdateUnitData& data) {
  if (cell < 0 || size_t(cell) >= types_.size()) return;
  Type& type = types_[size_t(cell)];
  Refresh(type);
  const TRgb side = type.pictureColour;
  data.texture = type.picture;
  data.showBackground = true;
  data.backgroundColour = {side[0] / 255.0f, side[1] / 255.0f, side[2] / 255.0f, 1};
  const int32_t count = std::min<int32_t>(int32_t(type.models.size()), kMaxBadge);
  data.badge1 = count >= 10 ? count / 10 : -1;
  data.badge2 = count % 10;
}

// Pictures are made when first shown and again when the side colour changed.
void TUnitListHost::Refresh(Type& type) {
  const TRgb side = SideColour(type);
  if (!renderer_ || (type.picture && side == type.pictureColour)) return;
  type.pictureColour = side;
  renderer_->DeleteTexture(type.picture);
  type.picture = 0;
  TPalette palette;
  std::copy_n(scene_.Model(type.models.front()).Palette(), palette.size(), palette.begin());
  const TUnitPicture picture = MakeUnitPicture(type.model, palette);
  if (picture.size > 0)
    type.picture =
        renderer_->CreateTexture(picture.size, picture.size, GL_RGBA, GL_RGBA, picture.rgba.data(), false, true);
}

void TUnitListHost::Click(int32_t cell, uint8_t button) {
  if (button != 0 || cell < 0 || size_t(cell) >= types_.size() || !onSelect) return;
  onSelect(int(types_[size_t(cell)].models.front()));
}

// The list's own hint names the type under the pointer; moving to another cell while a
// name shows shows the next at once.
void TUnitListHost::Hover(const TQGUI_ElementRef& ref, int32_t cell) {
  if (ref == hoverList_ && cell == hoverCell_) return;
  hoverList_ = ref;
  hoverCell_ = cell;
  TQGUI_Element* list = gui_.Resolve(ref);
  const TQGUI_Desktop* desktop = gui_.Desktop();
  if (!list || !desktop) return;
  gui_.WithdrawHint(*list);
  list->hint = cell >= 0 && size_t(cell) < types_.size() ? types_[size_t(cell)].name : u"";
  if (!list->hint.empty()) gui_.OfferHint(*list, desktop->mouseX, desktop->mouseY);
}
