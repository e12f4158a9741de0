// The GUI functions scripts call. Each finds its GUI through the interpreter it runs in
// and holds a guard while it touches the tree, so callback code it sets off may delete
// anything. Results are pushed only after the guard is gone: a Lua error raised while
// pushing must not skip the guard's end.
#include "QGUI/ScriptInterface.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <variant>

#include "QGUI/Callbacks.h"
#include "QGUI/CustomListBox.h"
#include "QGUI/Desktop.h"
#include "QGUI/Element.h"
#include "QGUI/ElementTypes.h"
#include "QGUI/Label.h"
#include "QGUI/Properties.h"
#include "QGUI/ScriptedGui.h"
#include "QGUI/ScrollBox.h"
#include "platform/Text.h"
#include "script/LuaApi.h"

namespace {

using Guard = TQGUI_Context::Guard;

const char kLessThanOneOrNotNumber[] = "Less than one param or param is not a number";
const char kLessThanOne[] = "Less than 1 params";
const char kFirstNotNumber[] = "param 1 is not a number";
const char kLessThanTwo[] = "Less than 2 params";
const char kLessThanThree[] = "Less than 3 params";
const char kFirstOrSecondNotNumber[] = "param 1 and/or 2 is not a number";

struct TextConstant {
  const char* name;
  int32_t value;
};
#define CONSTANT(name) \
  TextConstant { #name, name }
constexpr std::array kTextConstants = {
    CONSTANT(ALIGN_LEFT),   CONSTANT(ALIGN_MIDDLE),     CONSTANT(ALIGN_RIGHT),       CONSTANT(ALIGN_TOP),
    CONSTANT(ALIGN_BOTTOM), CONSTANT(CASE_NORMAL),      CONSTANT(CASE_LOWER),        CONSTANT(CASE_UPPER),
    CONSTANT(CASE_TITLE),   CONSTANT(BORDER_TYPE_NONE), CONSTANT(BORDER_TYPE_INNER), CONSTANT(BORDER_TYPE_OUTER),
};
#undef CONSTANT

std::string Angled(int32_t number) { return "<" + std::to_string(number) + ">"; }

void ReportNotFound(const char* source, int32_t id) {
  ReportError(source, "Unable to find Element with ID " + Angled(id));
}

// Lua's string conversion without converting the value in place, which allocates and
// could raise a Lua error past C++ objects.
std::string SafeString(lua_State* state, int index) {
  switch (lua_type(state, index)) {
    case LUA_TSTRING: {
      size_t length = 0;
      const char* text = lua_tolstring(state, index, &length);
      return std::string(text, length);
    }
    case LUA_TNUMBER:
      return LuaNumberText(lua_tonumber(state, index));
    default:
      return {};
  }
}

// A property's values: the Lua arguments from `first` on.
class LuaArgs : public TQGUI_PropertyArgs {
 public:
  LuaArgs(lua_State* state, int first) : state_(state), first_(first), top_(lua_gettop(state)) {}

  int32_t Int(int index) const override { return TruncateToInt(Number(index)); }
  double Number(int index) const override { return Present(index) ? lua_tonumber(state_, At(index)) : 0; }
  bool Bool(int index) const override { return Present(index) && lua_toboolean(state_, At(index)); }
  std::string String(int index) const override { return Present(index) ? SafeString(state_, At(index)) : ""; }

 private:
  int At(int index) const { return first_ + index; }
  bool Present(int index) const { return index >= 0 && At(index) <= top_; }

  lua_State* state_;
  int first_;
  int top_;
};

int PushString(lua_State* state, const std::string& text) {
  lua_pushlstring(state, text.data(), text.size());
  return 1;
}

int PushNumber(lua_State* state, double number) {
  lua_pushnumber(state, number);
  return 1;
}

int PushBool(lua_State* state, bool flag) {
  lua_pushboolean(state, flag);
  return 1;
}

int PushTable(lua_State* state, const TQGUI_Table& table) {
  lua_createtable(state, 0, int(table.count));
  for (size_t i = 0; i < table.count; ++i) {
    const TQGUI_Field& field = table.fields[i];
    if (const bool* flag = std::get_if<bool>(&field.value)) {
      lua_pushboolean(state, *flag);
    } else {
      lua_pushnumber(state, std::get<double>(field.value));
    }
    lua_setfield(state, -2, field.key);
  }
  return 1;
}

int PushValue(lua_State* state, const TQGUI_Value& value) {
  struct Pusher {
    lua_State* state;
    int operator()(std::monostate) const { return 0; }
    int operator()(double number) const { return PushNumber(state, number); }
    int operator()(bool flag) const { return PushBool(state, flag); }
    int operator()(const std::string& text) const { return PushString(state, text); }
    int operator()(const TQGUI_Table& table) const { return PushTable(state, table); }
  };
  return std::visit(Pusher{state}, value);
}

bool IsNumber(lua_State* state, int index) { return lua_isnumber(state, index) != 0; }

TQGUI_Element* FindOrReport(TQGUI_Context& context, int32_t id, const char* source) {
  TQGUI_Element* element = context.Registry().Find(id);
  if (!element) ReportNotFound(source, id);
  return element;
}

// The checks of the functions taking one id: "Less than 1 params", "param 1 is not a
// number", then the element.
TQGUI_Element* OneElement(lua_State* state, TQGUI_Context& context, const char* source) {
  if (lua_gettop(state) < 1) {
    ReportError(source, kLessThanOne);
    return nullptr;
  }
  if (!IsNumber(state, 1)) {
    ReportError(source, kFirstNotNumber);
    return nullptr;
  }
  return FindOrReport(context, ArgInt(state, 1), source);
}

// The checks of qgui_bringtofront and qgui_sendtoback.
TQGUI_Element* NumberedElement(lua_State* state, TQGUI_Context& context, const char* source) {
  if (lua_gettop(state) < 1 || !IsNumber(state, 1)) {
    ReportError(source, kLessThanOneOrNotNumber);
    return nullptr;
  }
  return FindOrReport(context, ArgInt(state, 1), source);
}

// The checks of qgui_set, qgui_setcallback (three arguments) and qgui_get (two).
bool IdAndNumber(lua_State* state, int needed, const char* source) {
  int count = lua_gettop(state);
  if (count >= needed && IsNumber(state, 1) && IsNumber(state, 2)) return true;
  ReportError(source, count >= needed ? kFirstOrSecondNotNumber : needed == 3 ? kLessThanThree : kLessThanTwo);
  return false;
}

TQGUI_Context* ContextOf(lua_State* state) {
  TQGUI_ScriptedGui* gui = TQGUI_ScriptedGui::Of(state);
  return gui ? &gui->Context() : nullptr;
}

// ---- Elements

int Create(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  int count = lua_gettop(state);
  if (count < 1 || !IsNumber(state, 1)) {
    ReportError("QGUI_Create", kLessThanOneOrNotNumber);
    return 0;
  }
  int32_t parent = count >= 2 && IsNumber(state, 2) ? ArgInt(state, 2) : 0;
  if (count >= 3 && lua_toboolean(state, 3)) parent = -1;
  int32_t id = 0;
  {
    Guard guard(*context);
    TQGUI_Element* element = context->Registry().CreateElement(ArgInt(state, 1), parent);
    if (!element) return 0;
    id = element->id;
  }
  return PushNumber(state, id);
}

int Delete(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  Guard guard(*context);
  TQGUI_Element* element = OneElement(state, *context, "QGUI_Element_Delete");
  if (!element) return 0;
  if (element == context->Desktop()) {
    ReportError("QGUI_Element_Delete", "Unable to delete Desktop.....");
    return 0;
  }
  context->Delete(*element);
  return 0;
}

int DeleteChildren(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  Guard guard(*context);
  if (TQGUI_Element* element = OneElement(state, *context, "QGUI_Element_DeleteChildren")) element->DeleteChildren();
  return 0;
}

int Set(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context || !IdAndNumber(state, 3, "QGUI_Set")) return 0;
  Guard guard(*context);
  TQGUI_Element* element = FindOrReport(*context, ArgInt(state, 1), "QGUI_Set");
  if (!element) return 0;
  int32_t id = ArgInt(state, 2);
  const TQGUI_Property* property = FindProperty(id);
  if (!property || property->setOn == TQGUI_ClassRule::None) {
    ReportError("QGUI_Set", Angled(id) + " is not a valid PROP");
    return 0;
  }
  SetProperty(*element, *property, LuaArgs(state, 3));
  return 0;
}

int SetCallback(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context || !IdAndNumber(state, 3, "QGUI_SetCallback")) return 0;
  Guard guard(*context);
  TQGUI_Element* element = FindOrReport(*context, ArgInt(state, 1), "QGUI_SetCallback");
  if (!element) return 0;
  int32_t callback = ArgInt(state, 2);
  if (callback < 0 || callback >= kCallbackCount) {
    ReportError("QGUI_SetCallback", Angled(callback) + " is not a valid CALLBACK");
    return 0;
  }
  element->SetCallback(callback, SafeString(state, 3));
  return 0;
}

int Get(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context || !IdAndNumber(state, 2, "QGUI_Get")) return 0;
  TQGUI_Value value;
  {
    Guard guard(*context);
    TQGUI_Element* element = FindOrReport(*context, ArgInt(state, 1), "QGUI_Get");
    if (!element) return 0;
    int32_t id = ArgInt(state, 2);
    const TQGUI_Property* property = FindProperty(id);
    if (!property) {
      ReportError("QGUI_Get", Angled(id) + " is not a valid PROP");
      return 0;
    }
    value = GetProperty(*element, *property, ArgInt(state, 3));
  }
  return PushValue(state, value);
}

int SetKeyboardFocus(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  if (lua_gettop(state) < 1) {
    ReportError("QGUI_SetKeyboardFocus", kLessThanOne);
    return 0;
  }
  if (!IsNumber(state, 1)) {
    ReportError("QGUI_SetKeyboardFocus", kFirstNotNumber);
    return 0;
  }
  int32_t id = ArgInt(state, 1);
  context->keyboardFocus = id >= 0 ? context->Registry().Find(id) : nullptr;
  if (TQGUI_Desktop* desktop = context->Desktop()) desktop->ClearPressedKeys();
  return 0;
}

int BringToFront(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  Guard guard(*context);
  if (TQGUI_Element* element = NumberedElement(state, *context, "QGUI_BringToFront")) element->BringToFront();
  return 0;
}

int SendToBack(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  Guard guard(*context);
  if (TQGUI_Element* element = NumberedElement(state, *context, "QGUI_SendToBack")) element->SendToBack();
  return 0;
}

int ForceTextures(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  Guard guard(*context);
  if (TQGUI_Element* element = OneElement(state, *context, "QGUI_forcetextures")) element->ForceTextures();
  return 0;
}

int AutosizeCheck(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  Guard guard(*context);
  TQGUI_Element* element = OneElement(state, *context, "QGUI_autosizecheck");
  if (auto* label = dynamic_cast<TQGUI_Label*>(element)) label->AutoSizeCheck(true);
  return 0;
}

// Anything but a scroll box (custom list boxes included) is left alone, unreported.
int ScrollboxXYReset(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  if (lua_gettop(state) < 1) {
    ReportError("QGUI_Scrollbox_XYReset", kLessThanOne);
    return 0;
  }
  if (!IsNumber(state, 1)) {
    ReportError("QGUI_Scrollbox_XYReset", kFirstNotNumber);
    return 0;
  }
  int32_t id = ArgInt(state, 1);
  TQGUI_Element* element = id >= 0 ? context->Registry().Find(id) : nullptr;
  if (auto* box = dynamic_cast<TQGUI_ScrollBox*>(element)) box->ResetScroll();
  return 0;
}

int SetTextureId(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  Guard guard(*context);
  TQGUI_Element* element = FindOrReport(*context, ArgInt(state, 1), "QGUI_settextureid");
  if (element)
    element->SetForeignTexture(GLuint(ArgInt(state, 2)), ArgInt(state, 3), ArgInt(state, 4), ArgInt(state, 5),
                               ArgInt(state, 6));
  return 0;
}

int ScrollbarScroll(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  Guard guard(*context);
  TQGUI_Element* element = FindOrReport(*context, ArgInt(state, 1), "QGUI_scrollbar_scroll");
  if (!element) return 0;
  if (element->Type() != TYPE_SCROLLBAR) {
    ReportError("QGUI_scrollbar_scroll", "Element is not a scrollbar!!!!!");
    return 0;
  }
  element->ScrollBy(ArgInt(state, 2));
  return 0;
}

// ---- The pointer and absolute positions

struct PointerOffset {
  bool found = false;
  int32_t x = 0;
  int32_t y = 0;
  bool inside = false;
};

// The desktop's pointer relative to the element's absolute position.
PointerOffset PointerOver(lua_State* state, const char* source) {
  PointerOffset offset;
  TQGUI_Context* context = ContextOf(state);
  if (!context) return offset;
  TQGUI_Element* element = FindOrReport(*context, ArgInt(state, 1), source);
  TQGUI_Desktop* desktop = context->Desktop();
  if (!element || !desktop) return offset;
  offset.found = true;
  offset.x = desktop->mouseX - element->GetAbsX();
  offset.y = desktop->mouseY - element->GetAbsY();
  offset.inside = element->Inside(offset.x, offset.y);
  return offset;
}

int MouseOverElement(lua_State* state) {
  PointerOffset offset = PointerOver(state, "QGUI_mouseoverelement");
  return PushBool(state, offset.found && offset.inside);
}

int MouseOverElementX(lua_State* state) {
  PointerOffset offset = PointerOver(state, "QGUI_mouseoverelementX");
  return offset.found ? PushNumber(state, offset.x) : PushBool(state, false);
}

int MouseOverElementY(lua_State* state) {
  PointerOffset offset = PointerOver(state, "QGUI_mouseoverelementY");
  return offset.found ? PushNumber(state, offset.y) : PushBool(state, false);
}

int GetAbsX(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  TQGUI_Element* element = context ? FindOrReport(*context, ArgInt(state, 1), "QGUI_absX") : nullptr;
  return element ? PushNumber(state, element->GetAbsX()) : 0;
}

int GetAbsY(lua_State* state) {
  TQGUI_Context* context = ContextOf(state);
  TQGUI_Element* element = context ? FindOrReport(*context, ArgInt(state, 1), "QGUI_GetAbsY") : nullptr;
  return element ? PushNumber(state, element->GetAbsY()) : 0;
}

// ---- Custom list boxes; other elements do nothing.

using ListAction = void (*)(TQGUI_CustomListBox& list, lua_State* state);

int OnCustomListBox(lua_State* state, const char* source, ListAction action) {
  TQGUI_Context* context = ContextOf(state);
  if (!context) return 0;
  Guard guard(*context);
  if (auto* list = dynamic_cast<TQGUI_CustomListBox*>(FindOrReport(*context, ArgInt(state, 1), source)))
    action(*list, state);
  return 0;
}

int CustomListBoxAddItem(lua_State* state) {
  return OnCustomListBox(state, "QGUI_CustomListBox_AddItem",
                         [](TQGUI_CustomListBox& list, lua_State* s) { list.AddItem(SafeString(s, 2)); });
}

int CustomListBoxDeleteItem(lua_State* state) {
  return OnCustomListBox(state, "QGUI_CustomListBox_DeleteItem",
                         [](TQGUI_CustomListBox& list, lua_State* s) { list.DeleteItem(ArgInt(s, 2)); });
}

int CustomListBoxClearItems(lua_State* state) {
  return OnCustomListBox(state, "QGUI_customlistbox_clearitems",
                         [](TQGUI_CustomListBox& list, lua_State*) { list.ClearItems(); });
}

// ---- Text and commands

int WideSub(lua_State* state) {
  std::u16string text = ToUtf16(SafeString(state, 1));
  int64_t last = lua_isnoneornil(state, 3) ? int64_t(text.size()) : ArgInt(state, 3);
  return PushString(state, ToUtf8(WideSubstring(text, ArgInt(state, 2), last)));
}

int Debug(lua_State* state) {
  if (TQGUI_ScriptedGui* gui = TQGUI_ScriptedGui::Of(state)) {
    Guard guard(gui->Context());
    gui->DebugCommand(ArgInt(state, 1));
  }
  return 0;
}

}  // namespace

std::u16string WideSubstring(const std::u16string& text, int64_t first, int64_t last) {
  int64_t count = last - first + 1;
  int64_t start = std::max<int64_t>(first, 1) - 1;
  if (count < 1 || start >= int64_t(text.size())) return {};
  return text.substr(size_t(start), size_t(std::min<int64_t>(count, int64_t(text.size()) - start)));
}

std::string GuiConstantsChunk() {
  std::string chunk;
  auto add = [&](std::string_view name, int32_t value) {
    chunk.append(name).append("=").append(std::to_string(value)).append(";");
  };
  for (const TQGUI_ElementType& type : ElementTypes()) add(type.name, type.number);
  add("desktop", 0);
  for (const TQGUI_Property& property : Properties()) add(property.name, property.id);
  for (const TQGUI_CallbackInfo& callback : Callbacks()) add(callback.name, callback.id);
  for (const TextConstant& constant : kTextConstants) add(constant.name, constant.value);
  return chunk;
}

std::vector<TLUA_Function> GuiFunctions() {
  return {
      {"qgui_create", Guarded<Create>},
      {"qgui_delete", Guarded<Delete>},
      {"qgui_deletechildren", Guarded<DeleteChildren>},
      {"qgui_set", Guarded<Set>},
      {"qgui_setcallback", Guarded<SetCallback>},
      {"qgui_get", Guarded<Get>},
      {"qgui_setkeyboardfocus", Guarded<SetKeyboardFocus>},
      {"qgui_bringtofront", Guarded<BringToFront>},
      {"qgui_sendtoback", Guarded<SendToBack>},
      {"qgui_scrollbox_xyreset", Guarded<ScrollboxXYReset>},
      {"qgui_debug", Guarded<Debug>},
      {"qgui_forcetextures", Guarded<ForceTextures>},
      {"qgui_autosizecheck", Guarded<AutosizeCheck>},
      {"QGUI_settextureid", Guarded<SetTextureId>},
      {"QGUI_mouseoverelement", Guarded<MouseOverElement>},
      {"QGUI_mouseoverelementx", Guarded<MouseOverElementX>},
      {"QGUI_mouseoverelementy", Guarded<MouseOverElementY>},
      {"QGUI_scrollbar_scroll", Guarded<ScrollbarScroll>},
      {"QGUI_getabsx", Guarded<GetAbsX>},
      {"QGUI_getabsy", Guarded<GetAbsY>},
      {"QGUI_customlistbox_additem", Guarded<CustomListBoxAddItem>},
      {"QGUI_customlistbox_deleteitem", Guarded<CustomListBoxDeleteItem>},
      {"QGUI_customlistbox_clearitems", Guarded<CustomListBoxClearItems>},
      {"QGUI_widesub", Guarded<WideSub>},
  };
}

void InstallGuiBindings() { SetGuiBindings({GuiConstantsChunk(), GuiFunctions()}); }
