#pragma once
#include <cstdint>
#include <memory>

#include "QGUI/Element.h"

// A clipping container whose children scroll by two attached bars: the vertical bar
// moves them up, the horizontal one left. Bars hide while everything fits.
class TQGUI_ScrollBox : public TQGUI_Element {
 public:
  TQGUI_ScrollBox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_SCROLLBOX; }
  void Resized() override;
  void Draw() override;
  void UpdateScrollInfo() override;
  void ToChildCoords(int32_t& x, int32_t& y) const override;
  int32_t GetAbsX() const override;
  int32_t GetAbsY() const override;
  void AddChild(std::unique_ptr<TQGUI_Element> child) override;
  void ChildResized(TQGUI_Element& child) override;
  void ScrollPositionChanged(int32_t position, TQGUI_Element& scrollbar) override;

  // Back to the top-left corner, bars included.
  void ResetScroll();

  int32_t scrollX = 0;
  int32_t scrollY = 0;
  bool autoHideBars = true;

 private:
  // Gives the bar of `slot` its range; false when that ran code that deleted this box.
  bool RangeBar(int slot, int64_t extent, int32_t visibleAmount);

  size_t measuredChildren_ = 0;
};
