#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "QGUI/Properties.h"
#include "ScriptFixture.h"
#include "TestImages.h"

namespace {

using Strings = std::vector<std::string>;

}  // namespace

// GUI starts over scripts of a scratch `lua` folder.
class GuiStartTest : public ScriptTest {
 protected:
  GuiStartTest() : folder_("gui-start") {
    for (const char* shared : {"fonts", "shaders"})
      std::filesystem::create_directory_symlink(std::filesystem::path(ZQ_TEST_BIN_DIR) / shared,
                                                folder_.Path() / shared);
    folder_.UseAsExeFolder();
  }
  void Script(const std::string& name, const std::string& text) { folder_.Write("lua/" + name, text); }
  void Start(int32_t width = 1024, int32_t height = 768, bool eastAsian = false) {
    scripted->Start(width, height, eastAsian);
    desktop = gui->Desktop();
    DefineShow();
  }
  void Image(const std::string& name) {
    std::vector<uint16_t> samples(4 * 4 * 4, 255);
    folder_.Write("interface/" + name, EncodePNG(MakePngSpec(4, 4, PNG_COLOR_TYPE_RGBA, 8, false, samples)));
  }
  size_t Registered() const {
    size_t count = 0;
    for (int32_t id = 0; id < int32_t(gui->Registry().Size()); ++id) count += gui->Registry().Find(id) != nullptr;
    return count;
  }

 private:
  ScratchFolder folder_;
};

TEST_F(GuiStartTest, ScriptsSeeTheScreenTheDefaultFontAndAnEmptyFontList) {
  Script("menu.lua", "function Init() end");
  Start();
  EXPECT_EQ(Show("ScrWidth, ScrHeight"), "1024");
  EXPECT_EQ(Number("ScrHeight"), 768);
  EXPECT_EQ(Show("japanese"), "false");
  EXPECT_EQ(Show("default_font"), "trebuchet ms H20Wdefault");
  EXPECT_EQ(Show("FontListCount"), "0");
  EXPECT_EQ(Show("#FontList"), "0");
  EXPECT_EQ(Show("TYPE_SPRITEMAPBUTTONS, PROP_SCROLL_TEXT, CALLBACK_MOUSEWHEEL, True, Inc(5)"), "13");
  EXPECT_EQ(Show("type(qgui_create)"), "function");
  EXPECT_TRUE(ReportsFrom("CFE").empty());

  Start(640, 480, true);
  EXPECT_EQ(Show("japanese"), "true");
  EXPECT_EQ(Show("default_font"), "Arial Unicode MS 19,0");
  EXPECT_EQ(Number("ScrWidth"), 640);
}

TEST_F(GuiStartTest, TheStepsRunInOrder) {
  // The menu script sees the error window but not yet the screen size; Init sees both.
  Script("menu.lua",
         "menu_w = qgui_get(desktop, PROP_W) window_w = qgui_get(1, PROP_W) "
         "function Init() init_w = qgui_get(desktop, PROP_W) init_h = qgui_get(desktop, PROP_H) end");
  bool hooked = false;
  scripted->postStartHook = [&] {
    hooked = true;
    EXPECT_EQ(Number("init_w"), 800);
  };
  Start(800, 600);
  EXPECT_TRUE(hooked);
  EXPECT_EQ(Number("menu_w"), 1024);
  EXPECT_EQ(Number("window_w"), 1024);
  EXPECT_EQ(Number("init_h"), 600);
  EXPECT_EQ(desktop->GetBounds(), (TQGUIRect{0, 0, 800, 600}));
  EXPECT_EQ(gui->Registry().Find(-1), desktop);
  EXPECT_EQ(gui->Registry().Find(0), desktop);
}

TEST_F(GuiStartTest, StartingPresentsOneBlackFrameFirst) {
  Script("menu.lua", "function Init() end");
  renderer.quads.clear();
  int clears = renderer.clears, swaps = renderer.swaps;
  Start();
  EXPECT_EQ(renderer.clears, clears + 1);
  EXPECT_EQ(renderer.swaps, swaps + 1);
  ASSERT_EQ(renderer.quads.size(), 1u);
  const RecordingRenderer::Quad& quad = renderer.quads[0];
  EXPECT_EQ((std::array<float, 4>{quad.x, quad.y, quad.w, quad.h}), (std::array<float, 4>{0, 0, 1024, 768}));
  EXPECT_EQ(quad.colour, (std::array<float, 4>{0, 0, 0, 1}));
  EXPECT_EQ(quad.texture, renderer.whiteTexture);
}

TEST_F(GuiStartTest, TheFontListLeavesOutEntriesWithAHash) {
  Script("menu.lua", "function Init() end");
  gui->fontList = {"\\fonts\\a.dff", "\\fonts\\b#c.zqf", "C:/x/d\"q\\.zqf", "e.zqf#"};
  Start();
  EXPECT_EQ(Number("FontListCount"), 2);
  EXPECT_EQ(Show("FontList[1]"), "a.dff");
  EXPECT_EQ(Show("FontList[2]"), ".zqf");
  EXPECT_EQ(Show("FontList[3]"), "nil");
  gui->fontList = {"x/d\"q.zqf"};
  Start();
  EXPECT_EQ(Show("FontList[1]"), "d\"q.zqf");
}

TEST_F(GuiStartTest, ASecondStartLeavesNothingOfTheFirst) {
  Image("red.png");
  Script("menu.lua",
         "first = true "
         "function t() end QGUI_register_tick_callback('t') "
         "function Init() "
         "  for i = 1, 3 do local e = qgui_create(0) qgui_set(e, PROP_TEXTURE, 'red.png') qgui_forcetextures(e) end "
         "end");
  bool reset = false;
  scripted->resetHook = [&] { reset = true; };
  Start();
  size_t windowOnly = Registered() - 3;
  EXPECT_EQ(textures.Entries().size(), 1u);
  EXPECT_EQ(textures.Entries()[0].references, 3);
  EXPECT_EQ(lua.tickCallbacks.size(), 1u);

  Script("menu.lua", "function Init() end");
  gui->reloadRequested = true;
  Start();
  EXPECT_TRUE(reset);
  EXPECT_FALSE(gui->reloadRequested);
  EXPECT_EQ(Registered(), windowOnly);
  EXPECT_EQ(gui->Registry().Find(0), desktop);
  EXPECT_EQ(gui->Registry().Find(1), scripted->ErrorWindow().Backdrop());
  EXPECT_EQ(textures.Entries()[0].references, 0);
  EXPECT_EQ(renderer.deletedTextures.size(), 1u);
  EXPECT_EQ(Show("first"), "nil");
  EXPECT_TRUE(lua.tickCallbacks.empty());
  EXPECT_EQ(TQGUI_ScriptedGui::Of(lua.State()), scripted.get());
  EXPECT_TRUE(ReportsFrom("CFE").empty());
}

TEST_F(GuiStartTest, AMissingOrBrokenMenuIsShownAndTheStartGoesOn) {
  Start();
  ASSERT_NE(scripted->ErrorWindow().Backdrop(), nullptr);
  EXPECT_TRUE(scripted->ErrorWindow().Backdrop()->visible);
  Strings errors = ReportsFrom("CFE");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].rfind("LUAError (2): cannot open ", 0), 0u) << errors[0];
  EXPECT_NE(errors[0].find("/lua/menu.lua: No such file or directory Task: <"), std::string::npos) << errors[0];
  EXPECT_EQ(errors[1],
            "LUAError (0): [string \"DoString\"]:1: attempt to call global 'Init' (a nil value) Task: <Init();>");
  EXPECT_EQ(Number("FontListCount"), 0);

  reports.clear();
  Script("menu.lua", "function Init() end\nx = = 1");
  Start();
  errors = ReportsFrom("CFE");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].rfind("LUAError (3): ", 0), 0u) << errors[0];
  EXPECT_NE(errors[0].find("menu.lua:2: unexpected symbol near '='"), std::string::npos) << errors[0];
  EXPECT_EQ(scripted->ErrorWindow().VisibleLog().find(u"LUAError (3)"), 0u);

  // An error in Init after the menu built part of the interface leaves that part.
  reports.clear();
  Script("menu.lua", "function Init() qgui_create(0) error('half way') end");
  Start();
  EXPECT_EQ(ReportsFrom("CFE").size(), 1u);
  EXPECT_EQ(desktop->Children().size(), 2u);
}

TEST_F(GuiStartTest, IncludedScriptsComeFromTheLuaFolder) {
  Script("menu.lua", "include('parts/more') function Init() end");
  Script("parts/more.lua", "more = qgui_create(0)");
  Start();
  EXPECT_NE(gui->Registry().Find(int32_t(Number("more"))), nullptr);
  EXPECT_TRUE(ReportsFrom("CFE").empty());
}
