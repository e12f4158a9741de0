#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "QGUI/Types.h"

// One callback id: its Lua constant and the classes that keep its code.
struct TQGUI_CallbackInfo {
  TQGUI_Callback id;
  const char* name;
  TQGUI_ClassRule keptBy;
};

// Every callback, in id order (index = id).
const std::array<TQGUI_CallbackInfo, kCallbackCount>& Callbacks();
// Whether an element of `type` keeps the code of callback `id`; false for ids out of range.
bool KeepsCallback(int32_t type, int32_t id);
