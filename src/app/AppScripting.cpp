#include "app/AppScripting.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "QGUI/ScriptInterface.h"
#include "platform/Console.h"
#include "platform/Text.h"
#include "script/LuaApi.h"
#include "script/LuaBindings.h"
#include "script/LuaHost.h"

namespace {

// "localization"(n): the number truncated toward zero, as decimal text.
int Localization(lua_State* state) {
  double value = std::trunc(lua_tonumber(state, 1));
  if (!(std::abs(value) < 9.2e18)) value = 0;
  std::string text = std::to_string(static_cast<int64_t>(value));
  lua_pushlstring(state, text.data(), text.size());
  return 1;
}

// Each argument through Lua's own tostring, joined with tabs; the text is copied out
// only once every Lua call that may raise an error is done.
int Print(lua_State* state) {
  int count = lua_gettop(state);
  luaL_checkstack(state, 2 * count + 2, "too many arguments to print");
  for (int i = 1; i <= count; ++i) {
    lua_getglobal(state, "tostring");
    lua_pushvalue(state, i);
    lua_call(state, 1, 1);
    if (!lua_isstring(state, -1)) return luaL_error(state, "'tostring' must return a string to 'print'");
    if (i < count) lua_pushliteral(state, "\t");
  }
  lua_concat(state, count > 0 ? 2 * count - 1 : 0);
  size_t length = 0;
  const char* text = lua_tolstring(state, -1, &length);
  ConsoleWrite(ToUtf16(std::string_view(text, length)));
  return 0;
}

}  // namespace

void InstallScriptHooks() {
  InstallGuiBindings();
  SetReportHook([](std::string_view source, std::string_view message) {
    ConsoleWrite(ToUtf16(std::string(source) + ": " + std::string(message)));
  });
  SetExtraRegistrationHook([](TLUA& lua) {
    lua.Register("localization", Guarded<Localization>);
    lua.Register("print", Guarded<Print>);
  });
}
