#pragma once
#include <string>
#include <vector>

#include "script/LuaBindings.h"

// The host's own Lua functions: "include", "runstring", "splitstringfirst",
// "splitstringrest" and "QGUI_register_tick_callback".
const std::vector<TLUA_Function>& HostFunctions();

// Where "splitstringfirst" and "splitstringrest" cut: the first occurrence of
// `separator`, counted in UTF-16 characters.
std::u16string SplitFirst(const std::u16string& text, const std::u16string& separator);
std::u16string SplitRest(const std::u16string& text, const std::u16string& separator);
