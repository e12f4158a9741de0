#include "script/LuaApi.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>

namespace {
TLUA_ReportHook& Hook() {
  static TLUA_ReportHook hook;
  return hook;
}
}  // namespace

std::string ArgString(lua_State* state, int index) {
  size_t length = 0;
  const char* text = lua_tolstring(state, index, &length);
  return text ? std::string(text, length) : std::string();
}

int32_t ArgInt(lua_State* state, int index) {
  double value = std::trunc(lua_tonumber(state, index));
  if (std::isnan(value)) return 0;
  if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

void Pop(lua_State* state, int n) { lua_settop(state, -n - 1); }

void RegisterFunction(lua_State* state, const char* name, lua_CFunction function) {
  lua_pushstring(state, name);
  lua_pushcclosure(state, function, 0);
  lua_settable(state, LUA_GLOBALSINDEX);
}

TLUA_ReportHook SetReportHook(TLUA_ReportHook hook) {
  TLUA_ReportHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

void ReportError(std::string_view source, std::string_view message) {
  if (Hook()) Hook()(source, message);
}

int CallGuarded(lua_State* state, lua_CFunction function) {
  char message[512];
  try {
    return function(state);
  } catch (const std::exception& e) {
    std::snprintf(message, sizeof message, "%s", e.what());
  } catch (...) {
    std::snprintf(message, sizeof message, "unknown failure in a native function");
  }
  lua_pushstring(state, message);
  return lua_error(state);
}
