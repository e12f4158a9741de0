#pragma once
#include <cstdint>

#include "QGUI/Element.h"

// A box that toggles on every mouse press and tells its CALLBACK_CHECKED code; checked,
// it draws a mark in col2 over its body: texture 2, or an inset fill or gradient.
class TQGUI_CheckBox : public TQGUI_Element {
 public:
  TQGUI_CheckBox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_CHECKBOX; }
  void Draw() override;
  void MouseDown(uint8_t button, int32_t x, int32_t y) override;

  // Runs CALLBACK_CHECKED ("%id", "%value" true or false) only when the value changes.
  void SetChecked(bool value);

  bool checked = false;
};

// The check box's mark, also the progress bar's fill: texture 2 stretched over the
// whole element in col2 at col2's alpha times `alpha`. False when there is none to draw.
bool DrawMarkTexture(TQGUI_Element& element, float alpha);
// `rect` (window pixels) in col2, or in the element's gradient colours with the gradient
// flag, at col2's alpha times `alpha`; an empty rectangle draws nothing.
void FillMark(TQGUI_Element& element, float alpha, const TQGUIRect& rect);
