#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "LuaTestHost.h"
#include "script/LuaBindings.h"
#include "script/LuaHostFunctions.h"

namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST_F(LuaHostTest, ErrorMessagesCarryTheStatusAndTheTask) {
  lua.DoString(" \t\r\n ");
  EXPECT_TRUE(errors.empty());

  lua.DoString("x = ");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_THAT(errors[0], StartsWith("LUAError (3): [string \"DoString\"]:1:"));
  EXPECT_THAT(errors[0], EndsWith(" Task: <x = >"));

  lua.DoString("error('boom')");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], "LUAError (0): [string \"DoString\"]:1: boom Task: <error('boom')>");

  lua.DoString("error('named')", "the task");
  EXPECT_THAT(errors.back(), EndsWith("named Task: <the task>"));

  lua.DoString("error(2.5, 0)");
  EXPECT_THAT(errors.back(), StartsWith("LUAError (0): 2.5 Task: <"));

  lua.DoString("error()");
  EXPECT_THAT(errors.back(), StartsWith("LUAError (0):  Task: <"));
  EXPECT_TRUE(reports.empty());
}

TEST_F(LuaHostTest, TaskIsCutToItsFirstHundredCharacters) {
  std::string ascii(150, 'a');
  lua.DoString("error('x')", ascii);
  EXPECT_THAT(errors.back(), EndsWith(" Task: <" + std::string(100, 'a') + ">"));

  std::string wide;
  for (int i = 0; i < 150; ++i) wide += "\xC3\xA9";
  lua.DoString("error('x')", wide);
  EXPECT_THAT(errors.back(), EndsWith(" Task: <" + wide.substr(0, 200) + ">"));
}

TEST_F(LuaHostTest, WithoutHandlerErrorsGoToTheReportHook) {
  lua.errorHandler = nullptr;
  lua.DoString("error('boom')");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].first, "CFE");
  EXPECT_THAT(reports[0].second, StartsWith("LUAError (0): "));
}

TEST_F(LuaHostTest, ChunkResultsAreDropped) {
  int top = lua_gettop(lua.State());
  lua.DoString("return 1, 2, 3");
  lua.DoString("error('x')");
  EXPECT_EQ(lua_gettop(lua.State()), top);
}

TEST_F(LuaHostTest, SplitStrings) {
  EXPECT_EQ(Eval("splitstringfirst('a,b,c', ',')"), "a");
  EXPECT_EQ(Eval("splitstringrest('a,b,c', ',')"), "b,c");
  EXPECT_EQ(Eval("splitstringfirst('abc', ',')"), "abc");
  EXPECT_EQ(Eval("splitstringrest('abc', ',')"), "abc");
  EXPECT_EQ(Eval("splitstringrest('a::b', '::')"), ":b");
  EXPECT_EQ(Eval("splitstringfirst('abc', '')"), "abc");
  EXPECT_EQ(Eval("splitstringrest(',x', ',')"), "x");
  // Positions count characters, not bytes.
  EXPECT_EQ(Eval("splitstringfirst('\xC3\xA9\xC3\xA8|z', '|')"), "\xC3\xA9\xC3\xA8");
  EXPECT_EQ(Eval("splitstringrest('\xE2\x82\xAC\xE2\x82\xAC', '\xE2\x82\xAC')"), "\xE2\x82\xAC");
}

TEST_F(LuaHostTest, QuotedStringsReadBackAsTheirText) {
  EXPECT_EQ(TLUA::QuoteString("it's C:\\x"), "'it\\'s C:/x'");
  EXPECT_EQ(TLUA::QuoteWideString(u"caf\u00e9"), "'caf\xC3\xA9'");

  lua.DoString("s = " + TLUA::QuoteString("two\nlines\r and 'quotes'"));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Global("s"), "two\nlines\r and 'quotes'");
}

TEST_F(LuaHostTest, SecondStartLeavesNothingOfTheFirst) {
  lua.DoString("left = 1; QGUI_register_tick_callback('Tick')");
  EXPECT_EQ(lua.tickCallbacks, std::vector<std::string>{"Tick"});
  lua.Start();
  EXPECT_EQ(Global("left"), "nil");
  EXPECT_TRUE(lua.tickCallbacks.empty());
  EXPECT_EQ(TLUA::HostOf(lua.State()), &lua);
}

TEST_F(LuaHostTest, PreludeFunctions) {
  EXPECT_EQ(Eval("Inc(5)"), "6");
  EXPECT_EQ(Eval("Dec(5, 2)"), "3");
  EXPECT_EQ(Eval("sign(0)"), "1");
  EXPECT_EQ(Eval("sign(-3)"), "-1");
  EXPECT_EQ(Eval("Int(2.7)"), "2");
  EXPECT_EQ(Eval("tostring(True) .. tostring(False)"), "truefalse");
  EXPECT_EQ(Eval("type(Tick)"), "function");
  EXPECT_EQ(Eval("string.upper('a') .. table.concat({1, 2}) .. math.max(1, 2)"), "A122");
  EXPECT_TRUE(errors.empty());
}

int Answer(lua_State* state) {
  lua_pushnumber(state, 42);
  return 1;
}

int Clamped(lua_State* state) {
  lua_pushnumber(state, ArgInt(state, 1));
  lua_pushstring(state, ArgString(state, 2).c_str());
  return 2;
}

int Throws(lua_State*) { throw std::runtime_error("native failure"); }

TEST_F(LuaHostTest, GuiBindingsAndTheExtraHookJoinEveryStart) {
  SetGuiBindings({"PROP_X=3; seen_before = (include == nil);", {{"qgui_get", Answer}, {"qgui_later", Answer}}});
  bool hookSawBuiltIns = false;
  auto previous = SetExtraRegistrationHook([&](TLUA& host) {
    lua_getglobal(host.State(), "qgui_get");
    hookSawBuiltIns = lua_isfunction(host.State(), -1);
    Pop(host.State(), 1);
    host.Register("localization", Answer);
    host.DoString("Inc = nil");
  });
  lua.Start();
  SetExtraRegistrationHook(previous);
  SetGuiBindings({});

  EXPECT_TRUE(hookSawBuiltIns);
  EXPECT_EQ(Global("PROP_X"), "3");
  EXPECT_EQ(Eval("tostring(seen_before)"), "true");
  EXPECT_EQ(Eval("qgui_get() + qgui_later() + localization()"), "126");
  EXPECT_EQ(Eval("Inc(1)"), "2");  // the prelude runs after the hook
  EXPECT_TRUE(errors.empty());
}

TEST(LuaRegistrationList, KeepsTheFixedOrderAndAppendsUnknownNames) {
  auto list =
      RegistrationList(HostFunctions(), {{"QGUI_widesub", Answer}, {"qgui_extra", Answer}, {"qgui_create", Answer}});
  std::vector<std::string> names;
  for (const auto& f : list) names.push_back(f.first);
  EXPECT_EQ(names,
            (std::vector<std::string>{"include", "qgui_create", "runstring", "splitstringfirst", "splitstringrest",
                                      "QGUI_widesub", "QGUI_register_tick_callback", "qgui_extra"}));
}

TEST_F(LuaHostTest, ArgumentHelpers) {
  lua.Register("clamped", Clamped);
  EXPECT_EQ(Eval("clamped(-2.7)"), "-2");
  EXPECT_EQ(Eval("clamped(1e300)"), "2147483647");
  EXPECT_EQ(Eval("clamped(-1e300)"), "-2147483648");
  EXPECT_EQ(Eval("clamped(0/0)"), "0");
  EXPECT_EQ(Eval("clamped('12')"), "12");
  EXPECT_EQ(Eval("select(2, clamped(1, nil))"), "");
  EXPECT_EQ(Eval("select(2, clamped(1, 2.5))"), "2.5");
}

TEST_F(LuaHostTest, BadScriptsAreReportedAndTheHostKeepsWorking) {
  lua.DoString("function f() return 1 + f() end f()");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_THAT(errors[0], HasSubstr("stack overflow"));

  lua.DoString("s = string.rep('x', 2^30)");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_THAT(errors[1], HasSubstr("not enough memory"));

  lua.DoString("t = {} for i = 1, 1e9 do t[i] = i end");
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_THAT(errors[2], HasSubstr("not enough memory"));
  lua.DoString("t = nil collectgarbage()");

  // Each nested runstring is a protected call; Lua stops the nesting before the C stack runs out.
  lua.DoString("function g() runstring('g()') end g()");
  ASSERT_EQ(errors.size(), 4u);
  EXPECT_THAT(errors[3], HasSubstr("C stack overflow"));

  lua.DoString("ok, message = xpcall(function() error('a') end, function(m) error('b') end)");
  EXPECT_EQ(Eval("tostring(ok)"), "false");

  lua.Register("throws", Guarded<Throws>);
  lua.DoString("throws()");
  EXPECT_THAT(errors.back(), StartsWith("LUAError (0): native failure Task: <throws()>"));

  errors.clear();
  EXPECT_EQ(Eval("Inc(41)"), "42");
  EXPECT_TRUE(errors.empty());
}

TEST_F(LuaHostTest, ErrorsInsideTheErrorHandlerAreReportedNotRepeated) {
  int calls = 0;
  lua.errorHandler = [&](const std::string& message) {
    ++calls;
    lua.DoString("error('inside the handler')");
  };
  lua.DoString("error('first')");
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].first, "CFE");
  EXPECT_THAT(reports[0].second, HasSubstr("inside the handler"));

  lua.errorHandler = [](const std::string&) { throw std::runtime_error("handler failed"); };
  lua.DoString("error('second')");
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_THAT(reports[1].second, HasSubstr("second"));
  EXPECT_EQ(Eval("Inc(1)"), "2");
}

TEST(LuaHostWithoutStart, IgnoresWorkAndClosesTwice) {
  TLUA lua;
  EXPECT_EQ(LUA(), &lua);
  lua.DoString("x = 1");
  lua.RunFile("menu.lua");
  lua.Close();
  EXPECT_FALSE(lua.IsOpen());
}

}  // namespace
