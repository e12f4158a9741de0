#pragma once
#include <string>
#include <vector>

#include "script/LuaBindings.h"

// The GUI's part of every interpreter: the constants chunk ("TYPE_ELEMENT=0;...", made
// from the type, property and callback tables and the alignment, case and border
// constants) and the qgui_ and QGUI_ functions. Hands both to the Lua host; run once at
// program start, before any interpreter starts.
void InstallGuiBindings();

std::string GuiConstantsChunk();
std::vector<TLUA_Function> GuiFunctions();

// Positions count from 1 in UTF-16 characters; a `first` below 1 starts at the first
// character without changing the count (last - first + 1), which is cut at the end.
std::u16string WideSubstring(const std::u16string& text, int64_t first, int64_t last);
