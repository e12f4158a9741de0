#include "QGUI/ImageButton.h"

#include <algorithm>

#include "QGUI/FrameGrid.h"
#include "gl/Renderer.h"

TQGUI_ImageButton::TQGUI_ImageButton(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Label(context, parent, topLevel) {
  col1.alpha = 1;
  hAlign = ALIGN_MIDDLE;
  vAlign = ALIGN_VMIDDLE;
  Slot(SLOT_MAIN).linear = false;
}

// Only the button's own flag greys it; a disabled ancestor leaves its frames alone.
int TQGUI_ImageButton::State() const {
  if (disabled) return 2;
  if (buttonDown[0]) return 0;
  return mouseOver ? 1 : 2;
}

void TQGUI_ImageButton::DrawBackground(float alpha) {
  const float a = col1.alpha * alpha;
  const bool main = !Slot(SLOT_MAIN).name.empty();
  const bool pieces = !Slot(SLOT_TEXTURE2).name.empty() && !Slot(SLOT_TEXTURE3).name.empty();
  const bool onlyMain = Slot(SLOT_TEXTURE2).name.empty() && Slot(SLOT_TEXTURE3).name.empty();
  if (main && pieces && DrawThreePieces(a)) return;
  if (main && onlyMain && DrawOneImage(a)) return;
  if (w == 0 && h == 0) return;
  const int32_t X = GetAbsX(), Y = GetAbsY();
  if (a > 0) FillRect(col1, a, X, Y, w, h);
  DrawBorder(alpha, X, Y, w, h);
  DrawEdges(alpha, X, Y, w, h);
}

bool TQGUI_ImageButton::Resolve(TQGUI_Slot slot) {
  const bool empty = w == 0 && h == 0;
  ResolveTexture(slot, true);
  if (empty && (w != 0 || h != 0)) heightFollowsFont = false;
  const TQGUITexSlot& s = Slot(slot);
  return s.texture && s.width > 0 && s.height > 0;
}

void TQGUI_ImageButton::TakeImageHeight(int32_t height) {
  h = height;
  heightFollowsFont = false;
}

bool TQGUI_ImageButton::DrawThreePieces(float a) {
  // Every piece is loaded, even after one that fails.
  const bool loaded = Resolve(SLOT_MAIN) & Resolve(SLOT_TEXTURE2) & Resolve(SLOT_TEXTURE3);
  if (!loaded || a <= 0) return false;
  const TQGUI_Cells left = CellsOf(Slot(SLOT_MAIN));
  const TQGUI_Cells middle = CellsOf(Slot(SLOT_TEXTURE2));
  const TQGUI_Cells right = CellsOf(Slot(SLOT_TEXTURE3));
  BeginImages(a);
  TakeImageHeight(middle.height);
  const int32_t X = GetAbsX();
  DrawFrame(SLOT_MAIN, left, X, left.width);
  DrawFrame(SLOT_TEXTURE2, middle, X + left.width, std::max(0, w - left.width - right.width));
  DrawFrame(SLOT_TEXTURE3, right, X + w - right.width, right.width);
  EndImages();
  return true;
}

// Frame s of a slot at its own height; a slot without frames is drawn whole.
void TQGUI_ImageButton::DrawFrame(TQGUI_Slot index, const TQGUI_Cells& cells, int32_t left, int32_t width) {
  const TQGUITexSlot& slot = Slot(index);
  if (width <= 0) return;
  const float iw = float(slot.width), ih = float(slot.height);
  const int s = State();
  float u = 0, v = 0, du = 1, dv = 1;
  if (cells.framed) {
    u = float(s % cells.columns) * float(cells.width) / iw;
    v = float(s / cells.columns) * float(cells.height) / ih;
    du = float(cells.width) / iw;
    dv = float(cells.height) / ih;
  }
  DrawTexturedRect(slot.texture, left, GetAbsY(), width, cells.height, u, v, du, dv);
}

// Texels are inset by a quarter so that neighbouring frames never bleed in.
bool TQGUI_ImageButton::DrawOneImage(float a) {
  if (!Resolve(SLOT_MAIN) || a <= 0) return false;
  const TQGUITexSlot& slot = Slot(SLOT_MAIN);
  const TQGUI_Cells cells = CellsOf(slot);
  BeginImages(a);
  float u = 0, v = 0, du = 1, dv = 1;
  if (cells.framed) {
    TakeImageHeight(cells.height);
    const float iw = float(slot.width), ih = float(slot.height), cw = float(cells.width), ch = float(cells.height);
    const int s = State();
    u = float(s % cells.columns) * cw / iw + 0.25f / iw;
    v = float(s / cells.columns) * ch / ih + 0.25f / ih;
    du = cw / iw - 0.5f / iw;
    dv = ch / ih - 0.5f / ih;
  }
  DrawTexturedRect(slot.texture, GetAbsX(), GetAbsY(), w, h, u, v, du, dv);
  EndImages();
  return true;
}

void TQGUI_ImageButton::BeginImages(float a) {
  TOGL_Renderer& renderer = Renderer();
  renderer.SetQuadType(0);
  renderer.SetColour(col1.red, col1.green, col1.blue, a);
  if (!textureBlend) renderer.SetBlend(false);
  if (disabled) renderer.SetGrayscale(true);
}

void TQGUI_ImageButton::EndImages() {
  TOGL_Renderer& renderer = Renderer();
  if (!textureBlend) renderer.SetBlend(true);
  renderer.SetGrayscale(false);
  renderer.SetColour3(1, 1, 1);
  renderer.SetQuadType(1);
}
