#include "QGUI/CheckBox.h"

#include <string>

#include "gl/Renderer.h"

namespace {

// A quad at window pixels, y downwards, over the bound texture.
void Quad(TOGL_Renderer& renderer, const TQGUIRect& r, float u, float v, float du, float dv) {
  renderer.DrawQuad(float(r.x), float(renderer.Height() - r.y - r.h), float(r.w), float(r.h), u, v, du, dv);
}

}  // namespace

TQGUI_CheckBox::TQGUI_CheckBox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Element(context, parent, topLevel) {
  w = 20;
  h = 20;
}

void TQGUI_CheckBox::SetChecked(bool value) {
  if (value == checked) return;
  checked = value;
  Fire(CALLBACK_CHECKED, {{"%id", std::to_string(id)}, {"%value", value ? "true" : "false"}});
}

void TQGUI_CheckBox::MouseDown(uint8_t button, int32_t px, int32_t py) {
  SetChecked(!checked);
  TQGUI_Element::MouseDown(button, px, py);
}

void TQGUI_CheckBox::Draw() {
  const float a = EffectiveAlpha();
  TQGUI_Element::Draw();
  if (!checked || Deleted() || DrawMarkTexture(*this, a)) return;
  FillMark(*this, a, {GetAbsX() + 3, GetAbsY() + 3, w - 6, h - 6});
}

bool DrawMarkTexture(TQGUI_Element& e, float a) {
  if (e.Slot(SLOT_TEXTURE2).name.empty()) return false;
  e.ResolveTexture(SLOT_TEXTURE2, false);
  const TQGUITexSlot& slot = e.Slot(SLOT_TEXTURE2);
  const float tint = e.col2.alpha * a;
  if (!slot.texture || tint <= 0) return false;
  TOGL_Renderer& renderer = e.Context().Renderer();
  renderer.SetQuadType(0);
  renderer.SetColour(e.col2.red, e.col2.green, e.col2.blue, tint);
  renderer.BindTexture(0, slot.texture);
  Quad(renderer, {e.GetAbsX(), e.GetAbsY(), e.w, e.h}, 0, 0, 1, 1);
  renderer.SetColour3(1, 1, 1);
  renderer.SetQuadType(1);
  return true;
}

void FillMark(TQGUI_Element& e, float a, const TQGUIRect& rect) {
  const float tint = e.col2.alpha * a;
  if (tint <= 0 || rect.w <= 0 || rect.h <= 0) return;
  TOGL_Renderer& renderer = e.Context().Renderer();
  renderer.BindTexture(0, renderer.whiteTexture);
  if (e.gradient) {
    const TQGUIColour &top = e.gradientCol1, &bottom = e.gradientCol2;
    renderer.SetQuadType(3);
    renderer.SetColour(top.red, top.green, top.blue, top.alpha * tint);
    renderer.SetColour2(bottom.red, bottom.green, bottom.blue, bottom.alpha * tint);
  } else {
    renderer.SetQuadType(0);
    renderer.SetColour(e.col2.red, e.col2.green, e.col2.blue, tint);
  }
  Quad(renderer, rect, 0, 0, 1, 1);
  renderer.SetQuadType(1);
}
