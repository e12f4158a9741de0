#pragma once
#include <cstdint>

#include "QGUI/Element.h"

// An integer between a minimum and a maximum shown as a bar filled in col2 (or with
// texture 2, or the gradient); pressing or dragging with the left button sets it from
// the pointer.
class TQGUI_ProgressBar : public TQGUI_Element {
 public:
  TQGUI_ProgressBar(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_PROGRESSBAR; }
  void Draw() override;
  void MouseDown(uint8_t button, int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y) override;

  // Stores the value unclamped; runs CALLBACK_PROGRESS ("%id", "%p") when it changes.
  void SetProgress(int32_t value);
  // The value under element-local x, rounded half to even and kept within the range;
  // the current value when the bar has no width or an empty range.
  int32_t ValueAt(int32_t x) const;
  // The fill's width in pixels for the current value: 0 for none.
  int32_t FillWidth() const;

  int32_t progress = 0;
  int32_t minValue = 0;
  int32_t maxValue = 100;
};
