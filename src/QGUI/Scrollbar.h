#pragma once
#include <cstdint>

#include "QGUI/Element.h"

// A scroll bar: its owner (the element it is attached to) says how much is visible and
// how much there is; the bar draws a three-slice thumb from its texture 2, turns drags
// and wheel notches into a position and reports every position to the owner.
class TQGUI_Scrollbar : public TQGUI_Element {
 public:
  static constexpr int32_t kNotch = 120;

  using TQGUI_Element::TQGUI_Element;

  int32_t Type() const override { return TYPE_SCROLLBAR; }
  void Draw() override;
  void MouseDown(uint8_t button, int32_t x, int32_t y) override;
  void MouseMoveAny(int32_t x, int32_t y) override;
  void MouseUpAny(uint8_t button, int32_t x, int32_t y) override;
  void ScrollBy(int32_t delta) override;

  void SetRange(int32_t visibleAmount, int32_t total, TQGUI_Element& owner);
  void ResetPosition() { position = 0; }
  int32_t TrackLength() const { return vertical ? h : w; }
  // A vertical bar of a label whose text runs from the bottom up runs that way too:
  // position 0 puts the thumb at the bottom.
  bool Reversed() const;
  TQGUI_Element* Owner() const { return Context().Resolve(owner); }

  bool autoHide = true;
  int32_t maxPosition = 0;
  int32_t position = 0;
  int32_t thumbLength = 0;
  int32_t pageSize = 0;
  TQGUI_ElementRef owner;
  bool rangeSet = false;
  bool dragging = false;
  int32_t dragStartX = 0;
  int32_t dragStartY = 0;
  int32_t dragStartPosition = 0;
  bool vertical = true;

 private:
  void DragTo(double px, double py);
  void DrawThumb(const TQGUITexSlot& image, float a);
};

// The scroll bar attached to `element` in `slot` (0 vertical, 1 horizontal), if any.
inline TQGUI_Scrollbar* AttachedBar(const TQGUI_Element& element, int slot) {
  return dynamic_cast<TQGUI_Scrollbar*>(element.Scrollbar(slot));
}
