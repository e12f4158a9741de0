#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "QGUI/ScrollBox.h"

// One row of a custom list box: its element (a child of the list) and its data.
struct TQGUI_CustomLBItem {
  TQGUI_ElementRef element;
  std::string data;
};

// A scroll box whose rows are plain child elements that scripts fill: stacked top to
// bottom at a fixed height, or side by side as columns once a horizontal bar is
// attached. Every change runs its own code; a click on a row runs the script's
// setIndexID(list id, row index).
class TQGUI_CustomListBox : public TQGUI_ScrollBox {
 public:
  TQGUI_CustomListBox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_CUSTOMLISTBOX; }
  void SetScrollbar(int32_t scrollbarId, int index) override;

  void AddItem(const std::string& data);
  // Later rows move up into the gap, elements and data together.
  void DeleteItem(int32_t index);
  void UpdateItem(int32_t index, const std::string& data);
  void ClearItems();
  void SetItemIndex(int32_t index);
  void SetItemHeight(int32_t height);

  // The element of row `index`, when both still exist.
  TQGUI_Element* RowElement(int32_t index) const;
  bool ValidRow(int64_t index) const { return index >= 0 && size_t(index) < rows.size(); }

  std::vector<TQGUI_CustomLBItem> rows;
  int32_t itemHeight = 20;
  int32_t itemIndex = -1;
  bool verticalLayout = true;

 private:
  // Puts a row element at its slot for the layout in force, with its anchors and click code.
  void Place(TQGUI_Element& row, int32_t index);
  void FireRow(TQGUI_Callback callback, int32_t index);
  int32_t Margin() const { return bevel ? 1 : 0; }
};
