#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "QGUI/Element.h"

// One-line text items in rows of equal height: the selected row and the row under the
// pointer are highlighted, the mouse and the Up and Down keys select, an attached
// vertical bar scrolls. Items are set as one text with a CR between them.
class TQGUI_Listbox : public TQGUI_Element {
 public:
  static constexpr char16_t kSeparator = u'\r';

  TQGUI_Listbox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_LISTBOX; }
  void Resized() override;
  void Draw() override;
  void UpdateScrollInfo() override;
  void MouseDown(uint8_t button, int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y) override;
  void KeyDown(int32_t key) override;
  void ScrollPositionChanged(int32_t position, TQGUI_Element& scrollbar) override;

  // Splits at CR only: LF stays inside an item; a last empty piece is no item.
  void SetText(std::u16string_view text);
  // Every item followed by a CR.
  std::u16string Text() const;
  // The item at `index`, empty when there is none.
  std::u16string_view Line(int64_t index) const;
  // Selects, scrolls the row into view and runs the index-set code, changed or not.
  void SetItemIndex(int32_t index);
  // The row nearest to element-local `y` (the lower half of a row counts as the next
  // one); -1 past the last row or without a font.
  int32_t ItemAt(int32_t y);
  // Font line height + 2; 0 without a font.
  int32_t RowHeight();

  int32_t scrollOffset = 0;
  std::u16string rawText;
  std::vector<std::u16string> items;
  int32_t hotIndex = 0;
  int32_t itemIndex = -1;

 private:
  void FireWithLine(TQGUI_Callback callback);
  void KeepSelectionVisible(int32_t rowHeight);
  void DrawRows(float a, int32_t rowHeight);
  void DrawRow(size_t index, float a, int32_t rowHeight, int32_t X, int32_t Y);
};
