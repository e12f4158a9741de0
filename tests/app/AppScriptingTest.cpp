#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppScripting.h"
#include "platform/Console.h"
#include "platform/Text.h"
#include "script/LuaApi.h"
#include "script/LuaBindings.h"
#include "script/LuaHost.h"

namespace {

class AppScriptingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetConsole(std::make_unique<TVORN3_Console>([this](std::u16string_view line) { lines.push_back(ToUtf8(line)); }));
    InstallScriptHooks();
    lua.Start();
  }
  void TearDown() override {
    SetReportHook(nullptr);
    SetExtraRegistrationHook(nullptr);
    SetConsole(nullptr);
  }
  std::string Eval(const std::string& expression) {
    lua.DoString("result_ = " + expression);
    lua_getglobal(lua.State(), "result_");
    std::string value = ArgString(lua.State(), -1);
    Pop(lua.State(), 1);
    return value;
  }

  TLUA lua;
  std::vector<std::string> lines;
};

TEST_F(AppScriptingTest, LocalizationTruncatesTowardZero) {
  EXPECT_EQ(Eval("localization(3.9)"), "3");
  EXPECT_EQ(Eval("localization(-2.5)"), "-2");
  EXPECT_EQ(Eval("localization(1e300)"), "0");
  EXPECT_EQ(Eval("type(localization('x'))"), "string");
  lua.Start();
  EXPECT_EQ(Eval("localization(12)"), "12");
}

TEST_F(AppScriptingTest, ScriptReportsReachTheConsole) {
  lua.DoString("error('boom')");
  lua.DoString("include('a.b')");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "CFE: LUAError (0): [string \"DoString\"]:1: boom Task: <error('boom')>");
  EXPECT_EQ(lines[1], "LUA_Include: dots are not allowed");
}

}  // namespace
