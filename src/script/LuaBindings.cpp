#include "script/LuaBindings.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 29> kOrder = {
    "include",
    "qgui_create",
    "qgui_delete",
    "qgui_deletechildren",
    "qgui_set",
    "qgui_setcallback",
    "qgui_get",
    "qgui_setkeyboardfocus",
    "qgui_bringtofront",
    "qgui_sendtoback",
    "runstring",
    "qgui_scrollbox_xyreset",
    "qgui_debug",
    "qgui_forcetextures",
    "qgui_autosizecheck",
    "QGUI_settextureid",
    "QGUI_mouseoverelement",
    "QGUI_mouseoverelementx",
    "QGUI_mouseoverelementy",
    "splitstringfirst",
    "splitstringrest",
    "QGUI_scrollbar_scroll",
    "QGUI_getabsx",
    "QGUI_getabsy",
    "QGUI_customlistbox_additem",
    "QGUI_customlistbox_deleteitem",
    "QGUI_customlistbox_clearitems",
    "QGUI_widesub",
    "QGUI_register_tick_callback",
};

TLUA_GuiBindings& Bindings() {
  static TLUA_GuiBindings bindings;
  return bindings;
}

TLUA_RegistrationHook& ExtraHook() {
  static TLUA_RegistrationHook hook;
  return hook;
}

const TLUA_Function* Find(const std::vector<TLUA_Function>& functions, std::string_view name) {
  auto it = std::find_if(functions.begin(), functions.end(), [&](const TLUA_Function& f) { return f.first == name; });
  return it == functions.end() ? nullptr : &*it;
}

}  // namespace

void SetGuiBindings(TLUA_GuiBindings bindings) { Bindings() = std::move(bindings); }

const TLUA_GuiBindings& GuiBindings() { return Bindings(); }

TLUA_RegistrationHook SetExtraRegistrationHook(TLUA_RegistrationHook hook) {
  TLUA_RegistrationHook previous = std::move(ExtraHook());
  ExtraHook() = std::move(hook);
  return previous;
}

const TLUA_RegistrationHook& ExtraRegistrationHook() { return ExtraHook(); }

std::vector<TLUA_Function> RegistrationList(const std::vector<TLUA_Function>& hostFunctions,
                                            const std::vector<TLUA_Function>& guiFunctions) {
  std::vector<TLUA_Function> list;
  for (std::string_view name : kOrder) {
    const TLUA_Function* f = Find(hostFunctions, name);
    if (!f) f = Find(guiFunctions, name);
    if (f) list.push_back(*f);
  }
  for (const TLUA_Function& f : guiFunctions) {
    if (std::find(kOrder.begin(), kOrder.end(), f.first) == kOrder.end()) list.push_back(f);
  }
  return list;
}
