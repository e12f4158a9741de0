#include "QGUI/CustomListBox.h"

#include <algorithm>

#include "QGUI/Registry.h"
#include "platform/Text.h"
#include "script/LuaHost.h"

namespace {

int32_t Saturate(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

TQGUI_CustomListBox::TQGUI_CustomListBox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_ScrollBox(context, parent, topLevel) {
  autoHideBars = false;
}

TQGUI_Element* TQGUI_CustomListBox::RowElement(int32_t index) const {
  return ValidRow(index) ? Context().Resolve(rows[size_t(index)].element) : nullptr;
}

void TQGUI_CustomListBox::AddItem(const std::string& data) {
  // Only a list the registry knows can parent a row (a deleted one cannot).
  TQGUI_Registry& registry = Context().Registry();
  if (registry.Find(id) != this) return;
  TQGUI_Element* row = registry.CreateElement(TYPE_ELEMENT, id);
  if (!row) return;
  const int32_t n = int32_t(rows.size());
  row->col1 = {0, 0, 0, 0};
  // The row takes the wheel and hands it to the list, in the list's coordinates.
  row->wheelConsumer = true;
  row->nativeMouseHandler = [list = Context().RefTo(*this)](TQGUI_Element& sender, bool, bool, uint8_t, int32_t px,
                                                            int32_t py, int32_t delta) {
    if (delta == 0) return;
    if (TQGUI_Element* owner = sender.Context().Resolve(list))
      owner->MouseWheel(px + sender.x, py + sender.y, int16_t(delta));
  };
  Place(*row, n);
  rows.push_back({Context().RefTo(*row), data});
  FireRow(CALLBACK_ITEMADDED, n);
}

void TQGUI_CustomListBox::Place(TQGUI_Element& row, int32_t index) {
  const int32_t margin = Margin(), slot = Saturate(int64_t(index) * itemHeight + margin);
  if (verticalLayout) {
    row.anchors = {true, true, true, false};
    row.SetBounds(margin, slot, w - 2 * margin, itemHeight);
  } else {
    row.anchors = {true, true, false, true};
    row.SetBounds(slot, margin, itemHeight, h - 2 * margin);
  }
  row.SetCallback(CALLBACK_MOUSECLICK, "setIndexID(" + std::to_string(id) + "," + std::to_string(index) + ")");
  scrollInfoDirty = true;
}

// Rows that move up take the slot and the click code of their new index, so that the
// next row added does not land on one and a click selects the row clicked.
void TQGUI_CustomListBox::DeleteItem(int32_t index) {
  if (!ValidRow(index)) return;
  if (TQGUI_Element* row = RowElement(index)) Context().Delete(*row);
  rows.erase(rows.begin() + index);
  scrollInfoDirty = true;
  // Row code may add or delete rows: only the rows there were are visited.
  const size_t moved = rows.size();
  for (int32_t j = index; size_t(j) < std::min(moved, rows.size()) && !Deleted(); ++j) {
    if (TQGUI_Element* row = RowElement(j)) Place(*row, j);
    FireRow(CALLBACK_ITEMUPDATED, j);
  }
  const std::string& code = Callback(CALLBACK_ITEMDELETED);
  if (!code.empty()) RunCallback(code, {{"%id", std::to_string(id)}, {"%index", std::to_string(index)}});
}

void TQGUI_CustomListBox::UpdateItem(int32_t index, const std::string& data) {
  if (!ValidRow(index)) return;
  rows[size_t(index)].data = data;
  FireRow(CALLBACK_ITEMUPDATED, index);
}

void TQGUI_CustomListBox::ClearItems() {
  for (size_t n = rows.size(); n > 0 && !rows.empty() && !Deleted(); --n) DeleteItem(int32_t(rows.size() - 1));
  if (!Deleted()) SetItemIndex(-1);
}

void TQGUI_CustomListBox::SetItemIndex(int32_t index) {
  if (index == itemIndex) return;
  if (ValidRow(itemIndex)) FireRow(CALLBACK_ITEMUNSELECTED, itemIndex);
  if (Deleted()) return;
  itemIndex = index;
  if (ValidRow(index)) FireRow(CALLBACK_ITEMSELECTED, index);
  const std::string& code = Callback(CALLBACK_INDEXSET);
  if (code.empty() || Deleted()) return;
  const std::string line = ValidRow(index) ? TLUA::QuoteWideString(ToUtf16(rows[size_t(index)].data)) : "";
  RunCallback(code, {{"%id", std::to_string(id)}, {"%index", std::to_string(index)}, {"%line", line}});
}

// Sizes stay; each row moves to its slot for the new height.
void TQGUI_CustomListBox::SetItemHeight(int32_t height) {
  if (height == itemHeight) return;
  itemHeight = height;
  const int32_t margin = Margin();
  for (int32_t i = 0; ValidRow(i); ++i) {
    TQGUI_Element* row = RowElement(i);
    if (!row) continue;
    (verticalLayout ? row->y : row->x) = Saturate(int64_t(i) * itemHeight + margin);
  }
  scrollInfoDirty = true;
}

// Attaching a horizontal bar lays the rows out as columns, a vertical one as rows; a bar
// that did not attach changes nothing.
void TQGUI_CustomListBox::SetScrollbar(int32_t scrollbarId, int index) {
  TQGUI_ScrollBox::SetScrollbar(scrollbarId, index);
  if (!Scrollbar(index)) return;
  const bool vertical = index == 0;
  if (vertical == verticalLayout) return;
  verticalLayout = vertical;
  for (int32_t i = 0; ValidRow(i); ++i)
    if (TQGUI_Element* row = RowElement(i)) Place(*row, i);
}

// The data goes last, so that no placeholder inside it is replaced.
void TQGUI_CustomListBox::FireRow(TQGUI_Callback callback, int32_t index) {
  const std::string& code = Callback(callback);
  if (code.empty() || !ValidRow(index)) return;
  const TQGUI_Element* row = RowElement(index);
  RunCallback(code, {{"%id", std::to_string(id)},
                     {"%rowid", std::to_string(row ? row->id : -1)},
                     {"%index", std::to_string(index)},
                     {"%data", rows[size_t(index)].data}});
}
