#include "app/AppScripting.h"

#include <cmath>
#include <cstdint>
#include <string>

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

}  // namespace

void InstallScriptHooks() {
  SetReportHook([](std::string_view source, std::string_view message) {
    ConsoleWrite(ToUtf16(std::string(source) + ": " + std::string(message)));
  });
  SetExtraRegistrationHook([](TLUA& lua) { lua.Register("localization", Guarded<Localization>); });
}
