#include "ScriptFixture.h"

#include "QGUI/ScriptInterface.h"

namespace {

const char kShow[] = R"(
function show(...)
  if select('#', ...) == 0 then return 'none' end
  local value = ...
  if type(value) ~= 'table' then return tostring(value) end
  local keys = {}
  for key in pairs(value) do keys[#keys + 1] = key end
  table.sort(keys)
  local parts = {}
  for _, key in ipairs(keys) do parts[#parts + 1] = key .. '=' .. tostring(value[key]) end
  return table.concat(parts, ' ')
end)";

double GlobalNumber(lua_State* state, const char* name) {
  lua_getglobal(state, name);
  double value = lua_tonumber(state, -1);
  Pop(state, 1);
  return value;
}

}  // namespace

ScriptTest::ScriptTest() {
  InstallGuiBindings();
  lua.Start();
  scripted = std::make_unique<TQGUI_ScriptedGui>(*gui, lua);
  scripted->Attach();
  lua.DoString("log = {}");
  DefineShow();
}

void ScriptTest::DefineShow() { lua.DoString(kShow); }

ScriptTest::~ScriptTest() { scripted.reset(); }

std::string ScriptTest::Show(const std::string& call) {
  lua.DoString("shown_ = show(" + call + ")");
  lua_getglobal(lua.State(), "shown_");
  std::string value = ArgString(lua.State(), -1);
  Pop(lua.State(), 1);
  lua.DoString("shown_ = nil");
  return value;
}

double ScriptTest::Number(const std::string& expression) {
  lua.DoString("number_ = " + expression);
  return GlobalNumber(lua.State(), "number_");
}

std::vector<std::string> ScriptTest::ReportsFrom(const std::string& source) const {
  std::vector<std::string> messages;
  for (const auto& [from, message] : reports)
    if (from == source) messages.push_back(message);
  return messages;
}

TQGUI_Element& ScriptTest::Created(const std::string& name, const std::string& arguments) {
  lua.DoString(name + " = qgui_create(" + arguments + ")");
  TQGUI_Element* element = gui->Registry().Find(int32_t(GlobalNumber(lua.State(), name.c_str())));
  EXPECT_NE(element, nullptr) << name;
  return *element;
}
