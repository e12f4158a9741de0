#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TZQApp;

// GUI-side helpers of the window test, apart from the Qt test code because the GUI's
// headers bring GL's. Elements are named by the Lua expression that holds their id, as
// the shipped interface keeps them (`ui.edit`).

// Absolute x, y, width and height; all 0 without such an element.
std::array<int32_t, 4> ElementRect(TZQApp& app, const std::string& element);
bool HasKeyboardFocus(TZQApp& app, const std::string& element);
// An edit's text; empty for anything else.
std::u16string EditText(TZQApp& app, const std::string& edit);

struct TListState {
  std::vector<std::u16string> items;
  int32_t itemIndex = -1;
  int32_t scrollOffset = 0;
};
TListState ListState(TZQApp& app, const std::string& list);

// The element-local x of the leftmost column of cell `cell` in a unit list at local
// `y`; -1 where it has no such cell.
int32_t UnitCellX(TZQApp& app, const std::string& unitList, int32_t cell, int32_t y);
// The list row of the first placed model of the unit lists' type `type`.
int FirstUnitOfType(TZQApp& app, size_t type);
