#pragma once
#include <cstdint>
#include <memory>
#include <span>

#include "QGUI/Types.h"

class TQGUI_Context;
class TQGUI_Element;

// Makes an element of one type with its parent (or none) and top-level flag, already
// placed in its parent's children or the desktop's top-level list.
using TQGUI_ElementFactory = TQGUI_Element& (*)(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

// One element type scripts create by number. A type without a class yet has no factory.
struct TQGUI_ElementType {
  TQGUI_Type number;
  const char* name;  // the Lua constant
  TQGUI_ElementFactory create;
};

// Every type, in number order (index = type number).
std::span<const TQGUI_ElementType> ElementTypes();
const TQGUI_ElementType* FindElementType(int32_t number);

bool IsLabelKind(int32_t type);
bool IsScrollBoxKind(int32_t type);
