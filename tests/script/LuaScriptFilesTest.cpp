#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "LuaTestHost.h"
#include "ScratchFolder.h"
#include "platform/DataFiles.h"
#include "script/LuaFiles.h"

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

// FIFOs and devices would block the host or fill its memory; they are file errors, for
// the host's own include and for the base library's dofile and loadfile alike.
TEST_F(LuaScriptFilesTest, OnlyRegularFilesWithinTheLimitAreRead) {
  fs::path fifo = folder_.Fifo("lua/fifo.lua");
  fs::path zero = folder_.Link("lua/zero.lua", "/dev/zero");
  folder_.Write("lua/big.lua", std::string(kMaxScriptFile + 1, ' '));
  lua.DoString("include('fifo', 'zero', 'big')");
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_THAT(errors[0], StartsWith("LUAError (2): cannot open " + fifo.string() + ": not a regular file"));
  EXPECT_THAT(errors[1], StartsWith("LUAError (2): cannot open " + zero.string() + ": not a regular file"));
  EXPECT_THAT(errors[2], HasSubstr("big.lua: larger than 16 MiB"));

  lua.DoString("chunk, message = loadfile('" + fifo.string() + "')");
  EXPECT_EQ(Global("chunk"), "nil");
  EXPECT_EQ(Global("message"), "cannot open " + fifo.string() + ": not a regular file");
  lua.DoString("dofile('" + zero.string() + "')");
  ASSERT_EQ(errors.size(), 4u);
  EXPECT_THAT(errors[3], HasSubstr("cannot open " + zero.string() + ": not a regular file"));
  lua.DoString("dofile()");
  ASSERT_EQ(errors.size(), 5u);
  EXPECT_THAT(errors[4], HasSubstr("bad argument #1 to 'dofile'"));
}

TEST_F(LuaScriptFilesTest, DofileAndLoadfileStillRunScripts) {
  fs::path script = folder_.Write("lua/values.lua", "#!/usr/bin/lua\nreturn 1 + 1, 'two'\n");
  fs::path broken = folder_.Write("lua/late.lua", "#!/usr/bin/lua\nx = = 1\n");
  EXPECT_EQ(Eval("select(2, dofile('" + script.string() + "'))"), "two");
  EXPECT_EQ(Eval("loadfile('" + script.string() + "')()"), "2");
  lua.DoString("chunk, message = loadfile('" + broken.string() + "')");
  EXPECT_THAT(Global("message"), HasSubstr("late.lua:2:")) << "the skipped first line still counts";
  EXPECT_TRUE(errors.empty());
}

}  // namespace
