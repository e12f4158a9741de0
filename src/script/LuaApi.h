#pragma once
#include <cstdint>
#include <functional>
#include <lua.hpp>
#include <string>
#include <string_view>

// Helpers shared by every native function that Lua scripts call.

// The argument at `index` as text; a missing or non-convertible argument is "".
std::string ArgString(lua_State* state, int index);
// The argument as a number truncated towards zero; non-numbers read as 0 and values
// beyond the 32-bit range are clamped to it.
int32_t ArgInt(lua_State* state, int index);
void Pop(lua_State* state, int n);
// Stores `function` as a global named `name`.
void RegisterFunction(lua_State* state, const char* name, lua_CFunction function);

// Where hosts send the complaints of native functions (source, message): the app
// routes them to the console. Without a hook, reports are dropped.
using TLUA_ReportHook = std::function<void(std::string_view source, std::string_view message)>;
// Returns the previous hook; an empty one removes it.
TLUA_ReportHook SetReportHook(TLUA_ReportHook hook);
void ReportError(std::string_view source, std::string_view message);

// C++ exceptions must not cross Lua's C frames; this turns one into an ordinary Lua
// error of the running chunk, raised after every C++ object of `function` is gone.
int CallGuarded(lua_State* state, lua_CFunction function);
template <lua_CFunction Function>
int Guarded(lua_State* state) {
  return CallGuarded(state, Function);
}
