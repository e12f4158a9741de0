#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "script/LuaApi.h"
#include "script/LuaHost.h"

// A started Lua host whose error messages and reports are kept for the test to read.
class LuaHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousHook_ = SetReportHook([this](std::string_view source, std::string_view message) {
      reports.emplace_back(std::string(source), std::string(message));
    });
    lua.errorHandler = [this](const std::string& message) { errors.push_back(message); };
    lua.Start();
  }
  void TearDown() override { SetReportHook(std::move(previousHook_)); }

  // A global as Lua's string conversion shows it; "nil" when it is not a string or number.
  std::string Global(const char* name) {
    lua_getglobal(lua.State(), name);
    std::string value = lua_isstring(lua.State(), -1) ? ArgString(lua.State(), -1) : "nil";
    Pop(lua.State(), 1);
    return value;
  }
  std::string Eval(const std::string& expression) {
    lua.DoString("result_ = " + expression);
    return Global("result_");
  }

  TLUA lua;
  std::vector<std::string> errors;
  std::vector<std::pair<std::string, std::string>> reports;

 private:
  TLUA_ReportHook previousHook_;
};
