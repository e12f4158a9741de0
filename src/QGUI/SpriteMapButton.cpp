#include "QGUI/SpriteMapButton.h"

#include <algorithm>

#include "gl/Renderer.h"

namespace {

// The sheet's cell size: the frame size of its side file, never larger than the image,
// or the whole image when it has none.
void CellSize(const TQGUITexSlot& slot, int32_t& cellWidth, int32_t& cellHeight) {
  const TQGUIAnimation& anim = slot.animation;
  bool framed = anim.animated && anim.frameWidth > 0 && anim.frameHeight > 0;
  cellWidth = framed ? std::min(anim.frameWidth, slot.width) : slot.width;
  cellHeight = framed ? std::min(anim.frameHeight, slot.height) : slot.height;
}

}  // namespace

TQGUI_SpriteMapButton::TQGUI_SpriteMapButton(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Element(context, parent, topLevel) {}

int16_t TQGUI_SpriteMapButton::Cell() const {
  if (!IsEnabledInTree()) return disabledCell;
  if (buttonDown[0]) return downCell;
  if (mouseOver) return hoverCell;
  return normalCell;
}

void TQGUI_SpriteMapButton::DrawBackground(float a) {
  TQGUITexSlot& slot = Slot(SLOT_MAIN);
  if (slot.name.empty()) return;
  ResolveTexture(SLOT_MAIN, true);
  const float tint = col1.alpha * a;
  if (!slot.texture || tint <= 0 || slot.width <= 0 || slot.height <= 0) return;
  int32_t cellWidth, cellHeight;
  CellSize(slot, cellWidth, cellHeight);
  h = cellHeight;
  const float iw = float(slot.width), ih = float(slot.height);
  const float u = float(Cell()) * float(cellWidth) / iw;
  const float v = (ih / float(cellHeight) - 1 - float(spriteRow)) * float(cellHeight) / ih;
  const float du = float(cellWidth) / iw * (subTexture ? 0.5f : 1.0f);
  TOGL_Renderer& renderer = Renderer();
  renderer.SetColour(col1.red, col1.green, col1.blue, tint);
  if (!textureBlend) renderer.SetBlend(false);
  DrawTexturedRect(slot.texture, GetAbsX(), GetAbsY(), w, h, u, v, du, float(cellHeight) / ih);
  if (!textureBlend) renderer.SetBlend(true);
  renderer.SetColour3(1, 1, 1);
  renderer.SetQuadType(1);
}

void TQGUI_SpriteMapButton::MouseClick(uint8_t button, int32_t px, int32_t py) {
  TQGUI_Element::MouseClick(button, px, py);
  if (onClick && !Deleted()) onClick(tag);
}
