#pragma once
#include <cstdint>
#include <string_view>

#include "QGUI/Label.h"

// A read-only text area that scrolls vertically through an attached scroll bar and,
// while the view is at the bottom, follows the lines added to it.
class TQGUI_TextBox : public TQGUI_Label {
 public:
  TQGUI_TextBox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_TEXTBOX; }
  void Resized() override;
  void Draw() override;
  void UpdateScrollInfo() override;
  void ScrollPositionChanged(int32_t position, TQGUI_Element& scrollbar) override;
  void SetText(std::u16string_view text) override;
  void AddLine(std::u16string_view text) override;

 private:
  // The line offset that shows the last line at the bottom.
  int32_t BottomOffset() const;
};
