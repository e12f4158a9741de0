#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "LuaTestHost.h"
#include "ScratchFolder.h"
#include "platform/DataFiles.h"

namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Scripts in a lua folder of a scratch executable folder; each appends its name to `ran`.
class LuaScriptFilesTest : public LuaHostTest {
 protected:
  void SetUp() override {
    folder_.UseAsExeFolder();
    for (const char* name : {"x", "5", "sub/file", "a"})
      Write(std::string(name) + ".lua", "ran = (ran or '') .. '" + std::string(name) + ";'");
    Write("self.lua", "include('self')");
    Write("broken.lua", "x = = 1");
    LuaHostTest::SetUp();
  }
  void Write(const std::string& name, const std::string& text) { folder_.Write("lua/" + name, text); }

  ScratchFolder folder_{"lua"};
};

TEST_F(LuaScriptFilesTest, IncludeRunsNamesInOrderFromTheScriptFolder) {
  lua.DoString("include('x', 5, {}, 'sub/file')");
  EXPECT_EQ(Global("ran"), "x;5;sub/file;");
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(reports.empty());
}

TEST_F(LuaScriptFilesTest, IncludeRefusesDotsAndGoesOn) {
  lua.DoString("include('a.b', '../x', 'a')");
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], std::make_pair(std::string("LUA_Include"), std::string("dots are not allowed")));
  EXPECT_EQ(Global("ran"), "a;");
}

TEST_F(LuaScriptFilesTest, FileErrorsNameThePath) {
  std::string path = (folder_.Path() / "lua" / "missing.lua").string();
  lua.DoString("include('missing')");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_THAT(errors[0], StartsWith("LUAError (2): cannot open "));
  EXPECT_THAT(errors[0], EndsWith(" Task: <" + path + ">"));

  lua.RunFile("broken.lua");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_THAT(errors[1], StartsWith("LUAError (3): "));
  EXPECT_THAT(errors[1], HasSubstr("broken.lua:1:"));
}

TEST_F(LuaScriptFilesTest, ScriptIncludingItselfIsStoppedAndReported) {
  lua.RunFile("self.lua");
  // Lua's nesting limit stops it, at one level or another; one report either way.
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_THAT(errors[0], StartsWith("LUAError ("));
  lua.RunFile("x.lua");
  EXPECT_EQ(Global("ran"), "x;");
}

}  // namespace
