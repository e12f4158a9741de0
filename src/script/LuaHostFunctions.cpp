#include "script/LuaHostFunctions.h"

#include <algorithm>

#include "platform/Text.h"
#include "script/LuaApi.h"
#include "script/LuaHost.h"

namespace {

// 1-based position of the first occurrence, 0 when absent; an empty separator is never found.
size_t Position(const std::u16string& text, const std::u16string& separator) {
  if (separator.empty()) return 0;
  size_t found = text.find(separator);
  return found == std::u16string::npos ? 0 : found + 1;
}

void PushString(lua_State* state, const std::string& text) { lua_pushlstring(state, text.data(), text.size()); }

// Names come without extension and may not climb out of the script folder.
int Include(lua_State* state) {
  TLUA* host = TLUA::HostOf(state);
  int count = lua_gettop(state);
  for (int i = 1; i <= count; ++i) {
    if (!lua_isstring(state, i)) continue;
    std::string name = ArgString(state, i);
    std::replace(name.begin(), name.end(), '/', '\\');
    if (name.find('.') != std::string::npos) {
      ReportError("LUA_Include", "dots are not allowed");
      continue;
    }
    if (host) host->RunFile(name + ".lua");
  }
  return 0;
}

int RunString(lua_State* state) {
  TLUA* host = TLUA::HostOf(state);
  int count = lua_gettop(state);
  for (int i = 1; i <= count; ++i) {
    if (lua_isstring(state, i) && host) host->DoString(ArgString(state, i));
  }
  return 0;
}

int SplitStringFirst(lua_State* state) {
  PushString(state, ToUtf8(SplitFirst(ToUtf16(ArgString(state, 1)), ToUtf16(ArgString(state, 2)))));
  return 1;
}

int SplitStringRest(lua_State* state) {
  PushString(state, ToUtf8(SplitRest(ToUtf16(ArgString(state, 1)), ToUtf16(ArgString(state, 2)))));
  return 1;
}

// A name already in the list is not added again: a tick function registering itself
// would otherwise double the list every frame.
int RegisterTickCallback(lua_State* state) {
  TLUA* host = TLUA::HostOf(state);
  if (!host || !lua_isstring(state, 1)) return 0;
  std::string name = ArgString(state, 1);
  std::vector<std::string>& names = host->tickCallbacks;
  if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  return 0;
}

}  // namespace

std::u16string SplitFirst(const std::u16string& text, const std::u16string& separator) {
  size_t p = Position(text, separator);
  return p == 0 ? text : text.substr(0, p - 1);
}

// The rest starts one character after the separator's start, whatever its length.
std::u16string SplitRest(const std::u16string& text, const std::u16string& separator) {
  size_t p = Position(text, separator);
  return p == 0 ? text : text.substr(p);
}

const std::vector<TLUA_Function>& HostFunctions() {
  static const std::vector<TLUA_Function> functions = {
      {"include", Guarded<Include>},
      {"runstring", Guarded<RunString>},
      {"splitstringfirst", Guarded<SplitStringFirst>},
      {"splitstringrest", Guarded<SplitStringRest>},
      {"QGUI_register_tick_callback", Guarded<RegisterTickCallback>},
  };
  return functions;
}
