#include "GuiProbe.h"

#include "QGUI/Edit.h"
#include "QGUI/Listbox.h"
#include "QGUI/UnitList.h"
#include "app/App.h"
#include "app/UnitListHost.h"
#include "script/LuaApi.h"
#include "script/LuaHost.h"

namespace {

template <class T = TQGUI_Element>
T* Find(TZQApp& app, const std::string& expression) {
  TLUA& lua = *app.Lua();
  lua.DoString("probe_ = " + expression);
  lua_getglobal(lua.State(), "probe_");
  const int32_t id = lua_isnumber(lua.State(), -1) ? int32_t(lua_tonumber(lua.State(), -1)) : -2;
  Pop(lua.State(), 1);
  lua.DoString("probe_ = nil");
  return dynamic_cast<T*>(app.Gui()->Registry().Find(id));
}

}  // namespace

std::array<int32_t, 4> ElementRect(TZQApp& app, const std::string& element) {
  const TQGUI_Element* e = Find(app, element);
  if (!e) return {};
  return {e->GetAbsX(), e->GetAbsY(), e->w, e->h};
}

bool HasKeyboardFocus(TZQApp& app, const std::string& element) {
  const TQGUI_Element* e = Find(app, element);
  return e && app.Gui()->keyboardFocus == e;
}

std::u16string EditText(TZQApp& app, const std::string& edit) {
  const TQGUI_Edit* e = Find<TQGUI_Edit>(app, edit);
  return e ? e->Text() : std::u16string();
}

TListState ListState(TZQApp& app, const std::string& list) {
  const TQGUI_Listbox* e = Find<TQGUI_Listbox>(app, list);
  if (!e) return {};
  return {e->items, e->itemIndex, e->scrollOffset};
}

int32_t UnitCellX(TZQApp& app, const std::string& unitList, int32_t cell, int32_t y) {
  TQGUI_UnitList* e = Find<TQGUI_UnitList>(app, unitList);
  if (!e) return -1;
  for (int32_t x = 0; x < e->w; ++x)
    if (e->CellAt(x, y) == cell) return x;
  return -1;
}

int FirstUnitOfType(TZQApp& app, size_t type) {
  const TUnitListHost* host = app.UnitLists();
  if (!host || type >= host->Types().size()) return -1;
  return int(host->Types()[type].models.front());
}
