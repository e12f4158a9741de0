#include "QGUI/SpriteMapButton.h"

#include "QGUI/FrameGrid.h"
#include "gl/Renderer.h"

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
  const TQGUI_Cells cells = CellsOf(slot);
  h = cells.height;
  const float iw = float(slot.width), ih = float(slot.height), cw = float(cells.width), ch = float(cells.height);
  const float u = float(Cell()) * cw / iw;
  const float v = (ih / ch - 1 - float(spriteRow)) * ch / ih;
  const float du = cw / iw * (subTexture ? 0.5f : 1.0f);
  TOGL_Renderer& renderer = Renderer();
  renderer.SetColour(col1.red, col1.green, col1.blue, tint);
  if (!textureBlend) renderer.SetBlend(false);
  DrawTexturedRect(slot.texture, GetAbsX(), GetAbsY(), w, h, u, v, du, ch / ih);
  if (!textureBlend) renderer.SetBlend(true);
  renderer.SetColour3(1, 1, 1);
  renderer.SetQuadType(1);
}

void TQGUI_SpriteMapButton::MouseClick(uint8_t button, int32_t px, int32_t py) {
  TQGUI_Element::MouseClick(button, px, py);
  if (onClick && !Deleted()) onClick(tag);
}
