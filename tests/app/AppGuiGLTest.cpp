#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "MessageRecorder.h"
#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "QGUI/Listbox.h"
#include "QGUI/ScriptedGui.h"
#include "ScratchFolder.h"
#include "TestImages.h"
#include "app/App.h"
#include "app/UnitListHost.h"
#include "gl/OGL.h"
#include "headless/EglSurface.h"
#include "platform/Console.h"
#include "platform/Text.h"
#include "script/LuaApi.h"
#include "script/LuaHost.h"

namespace {

using Strings = std::vector<std::string>;
using Pixel = std::array<uint8_t, 3>;
constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr Pixel kRed{255, 0, 0};

// A red panel over the bottom row of models, which lies between window rows 125 and
// 150 (the grid starts 25 pixels above the bottom edge).
const char kRedPanel[] = R"lua(
function Init()
  panel = qgui_create(TYPE_ELEMENT)
  qgui_set(panel, PROP_Y, 100) qgui_set(panel, PROP_W, 200) qgui_set(panel, PROP_H, 50)
  qgui_set(panel, PROP_COL1, 255, 0, 0, 255)
end
function FROMAPP_FPSCOUNTER(fps) end
)lua";

}  // namespace

// The app's frames on a headless context over a data folder whose scripts each case
// writes; shaders, fonts and models are the build's.
class AppGuiGLTest : public ::testing::Test {
 protected:
  AppGuiGLTest() {
    for (const char* shared : {"shaders", "fonts", "GMs"})
      std::filesystem::create_directory_symlink(std::filesystem::path(ZQ_TEST_BIN_DIR) / shared,
                                                folder_.Path() / shared);
    folder_.UseAsExeFolder();
    SetConsole(std::make_unique<TVORN3_Console>([this](std::u16string_view l) { console.push_back(ToUtf8(l)); }));
  }
  ~AppGuiGLTest() override {
    app.reset();
    SetConsole(nullptr);
  }

  void Script(const std::string& text, const std::string& name = "menu.lua") { folder_.Write("lua/" + name, text); }
  void Image(const std::string& name) {
    std::vector<uint16_t> samples(8 * 8 * 4, 255);
    folder_.Write("interface/" + name, EncodePNG(MakePngSpec(8, 8, PNG_COLOR_TYPE_RGBA, 8, false, samples)));
  }
  void StartApp(int models = 50) {
    app = std::make_unique<TZQApp>(TZQApp::Options{models});
    ASSERT_TRUE(app->Start(&surface, kWidth, kHeight));
    console.clear();
  }
  static Pixel At(const std::vector<uint8_t>& pixels, int x, int y) {
    size_t at = (size_t(kHeight - 1 - y) * kWidth + size_t(x)) * 4;
    return {pixels[at], pixels[at + 1], pixels[at + 2]};
  }
  Pixel At(int x, int y) { return At(surface.ReadPixels(), x, y); }
  // Pixels of the band under the panel (window rows 100 to 149) that have `colour`.
  int Count(Pixel colour) {
    std::vector<uint8_t> pixels = surface.ReadPixels();
    int count = 0;
    for (int y = 100; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) count += At(pixels, x, y) == colour;
    return count;
  }
  std::string Global(const std::string& expression) {
    lua_State* state = app->Lua()->State();
    app->Lua()->DoString("global_ = tostring(" + expression + ")");
    lua_getglobal(state, "global_");
    std::string value = ArgString(state, -1);
    Pop(state, 1);
    return value;
  }

  TEglSurface surface{kWidth, kHeight};
  std::unique_ptr<TZQApp> app;
  Strings console;

 private:
  ScratchFolder folder_{"app-gui"};
};

TEST_F(AppGuiGLTest, TheFirstFrameStartsTheGuiAndItDrawsOverTheModels) {
  Script(kRedPanel);
  StartApp();
  EXPECT_EQ(app->Gui()->Desktop(), nullptr);
  app->Frame();
  ASSERT_TRUE(app->GuiStarted());
  TQGUI_Desktop* desktop = app->Gui()->Desktop();
  ASSERT_NE(desktop, nullptr);
  EXPECT_EQ(desktop->GetBounds(), (TQGUIRect{0, 0, kWidth, kHeight}));
  EXPECT_EQ(desktop->col1, (TQGUIColour{0, 0, 0, 0}));
  const Pixel clear = At(100, 60);
  EXPECT_NE(clear, kRed);
  EXPECT_EQ(Count(kRed), kWidth * 50);

  // With the panel hidden the models show where it was.
  app->Lua()->DoString("qgui_set(panel, PROP_VISIBLE, false)");
  app->Frame();
  EXPECT_EQ(Count(kRed), 0);
  EXPECT_GT(kWidth * 50 - Count(clear), 500);
  EXPECT_EQ(console, Strings{});
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(AppGuiGLTest, ThePhasesDrawTheSceneThenTheGuiAndSwap) {
  Script(kRedPanel);
  StartApp();
  app->Frame();
  int64_t frames = app->FramesDrawn();
  app->DrawScene();
  EXPECT_NE(At(25, 125), kRed);
  app->DrawGui();
  EXPECT_EQ(At(25, 125), kRed);
  app->Present();
  EXPECT_EQ(app->FramesDrawn(), frames + 1);
}

TEST_F(AppGuiGLTest, EachFrameHandsTheScriptsTheFrameRateAndRunsTheTickList) {
  Script(R"lua(
    calls = 0 ticks = 0 seconds = 0
    function FROMAPP_FPSCOUNTER(fps) calls = calls + 1 last_fps = fps end
    function tick(delta) ticks = ticks + 1 seconds = seconds + delta end
    function Init() QGUI_register_tick_callback('tick') end
  )lua");
  StartApp();
  for (int i = 0; i < 3; ++i) app->Frame();
  EXPECT_EQ(Global("calls"), "3");
  EXPECT_EQ(Global("ticks"), "3");
  EXPECT_EQ(Global("math.floor(last_fps) == last_fps and last_fps >= 0"), "true");
  EXPECT_EQ(Global("seconds >= 0 and seconds < 3"), "true");
  EXPECT_EQ(console, Strings{});
}

TEST_F(AppGuiGLTest, InputReachesTheGuiOnceItRunsAndTheDesktopFollowsTheRenderArea) {
  Script(R"lua(
    log = {}
    function FROMAPP_FPSCOUNTER() end
    function Init()
      local e = qgui_create(TYPE_ELEMENT)
      qgui_set(e, PROP_X, 10) qgui_set(e, PROP_Y, 10)
      qgui_setcallback(e, CALLBACK_MOUSEMOVE, "log[#log+1] = 'move %x %y'")
      qgui_setcallback(e, CALLBACK_MOUSEDOWN, "log[#log+1] = 'down %b'")
      qgui_setcallback(e, CALLBACK_MOUSECLICK, "log[#log+1] = 'click %b'")
      qgui_setcallback(e, CALLBACK_MOUSEWHEEL, "log[#log+1] = 'wheel %delta'")
      qgui_setcallback(desktop, CALLBACK_KEYPRESS, "log[#log+1] = 'press %k'")
    end
  )lua");
  StartApp();
  app->MouseMove(20, 20);
  app->MouseDown(0, 20, 20);
  app->KeyDown(65);
  app->Frame();
  app->MouseUp(0, 20, 20);  // its down came before the GUI: no click
  app->KeyUp(65);
  app->MouseMove(15, 25);
  app->MouseDown(1, 15, 25);
  app->MouseUp(1, 15, 25);
  app->MouseWheel(-120, 15, 25);
  app->MouseDown(5, 15, 25);  // no such button
  app->KeyDown(37);
  app->KeyUp(37);
  app->Char(u'a');
  EXPECT_EQ(Global("table.concat(log, ',')"), "move 5 15,down 1,click 1,wheel -120,press 37");

  app->Resize(120, 90);
  EXPECT_EQ(app->Gui()->Desktop()->GetBounds(), (TQGUIRect{0, 0, 120, 90}));
}

TEST_F(AppGuiGLTest, AReloadStartsAFreshGuiFromTheEditedScripts) {
  Image("dot.png");
  Script(R"lua(
    version = 1
    function FROMAPP_FPSCOUNTER() end
    function Init()
      old = qgui_create(TYPE_ELEMENT) qgui_set(old, PROP_TAG, 1)
      qgui_set(old, PROP_TEXTURE, 'dot.png') qgui_forcetextures(old)
    end
  )lua");
  StartApp();
  app->Frame();
  TQGUI_Element* old = app->Gui()->Registry().Find(std::stoi(Global("old")));
  ASSERT_NE(old, nullptr);
  GLuint texture = old->Slot(SLOT_MAIN).texture;
  ASSERT_NE(texture, 0u);

  Script(R"lua(
    function FROMAPP_FPSCOUNTER() end
    function Init() new = qgui_create(TYPE_ELEMENT) qgui_set(new, PROP_TAG, 2) end
  )lua");
  app->Lua()->DoString("qgui_debug(0)");
  EXPECT_TRUE(app->Gui()->reloadRequested);
  app->Frame();
  EXPECT_FALSE(app->Gui()->reloadRequested);
  EXPECT_EQ(Global("version"), "nil");
  TQGUI_Element* made = app->Gui()->Registry().Find(std::stoi(Global("new")));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->tag, 2);
  int tagged = 0;
  for (int32_t id = 0; id < int32_t(app->Gui()->Registry().Size()); ++id)
    if (TQGUI_Element* e = app->Gui()->Registry().Find(id)) tagged += e->tag;
  EXPECT_EQ(tagged, 2);
  EXPECT_FALSE(glIsTexture(texture));
  EXPECT_EQ(console, Strings{});
}

TEST_F(AppGuiGLTest, BrokenScriptsAreShownAndTheFramesGoOn) {
  StartApp();  // no menu.lua at all
  for (int i = 0; i < 5; ++i) app->Frame();
  EXPECT_EQ(app->FramesDrawn(), 5);
  TQGUI_ErrorWindow& window = app->ScriptedGui()->ErrorWindow();
  ASSERT_NE(window.Backdrop(), nullptr);
  EXPECT_TRUE(window.Backdrop()->visible);
  std::u16string log = window.FullLog();
  // The missing file, the missing Init, then the missing frame-rate function each frame.
  EXPECT_EQ(std::count(log.begin(), log.end(), u'\r'), 7);
  Strings errors;
  for (const std::string& line : console)
    if (line.rfind("CFE: ", 0) == 0) errors.push_back(line);
  ASSERT_EQ(errors.size(), 3u) << errors.size();
  EXPECT_NE(errors[2].find("attempt to call global 'FROMAPP_FPSCOUNTER' (a nil value)"), std::string::npos);
}

TEST_F(AppGuiGLTest, TheConsoleRunsLuaInTheGuisInterpreter) {
  Script("function Init() end function FROMAPP_FPSCOUNTER() end");
  StartApp();
  app->RunConsoleCommand("print(1)");
  EXPECT_EQ(console, (Strings{"> print(1)", "The GUI's interpreter starts with the first frame."}));
  app->Frame();
  console.clear();
  app->RunConsoleCommand("print(1 + 1, 'x', nil)");
  app->RunConsoleCommand("x = (");
  app->RunConsoleCommand("qgui_create(99)");
  app->RunConsoleCommand("made = qgui_create(TYPE_ELEMENT)");
  EXPECT_EQ(console, (Strings{
                         "> print(1 + 1, 'x', nil)",
                         "2\tx\tnil",
                         "> x = (",
                         "LUAError (3): [string \"DoString\"]:1: unexpected symbol near '<eof>' Task: <x = (>",
                         "> qgui_create(99)",
                         "QGUI_Create: <99> is not a valid TYPE",
                         "> made = qgui_create(TYPE_ELEMENT)",
                     }));
  EXPECT_NE(app->Gui()->Registry().Find(std::stoi(Global("made"))), nullptr);
  EXPECT_FALSE(app->ScriptedGui()->ErrorWindow().Backdrop()->visible);
  // Script errors after the command go to the error window again.
  app->Lua()->DoString("error('later')");
  EXPECT_TRUE(app->ScriptedGui()->ErrorWindow().Backdrop()->visible);
}

TEST_F(AppGuiGLTest, ClosingFreesTheGuiWhileTheContextIsCurrent) {
  Image("dot.png");
  Script(R"lua(
    function FROMAPP_FPSCOUNTER() end
    function Init() e = qgui_create(TYPE_ELEMENT) qgui_set(e, PROP_TEXTURE, 'dot.png') qgui_forcetextures(e) end
  )lua");
  StartApp();
  app->Frame();
  GLuint texture = app->Gui()->Registry().Find(std::stoi(Global("e")))->Slot(SLOT_MAIN).texture;
  ASSERT_TRUE(glIsTexture(texture));
  app->Close();
  EXPECT_EQ(app->Gui(), nullptr);
  EXPECT_EQ(app->Lua(), nullptr);
  EXPECT_FALSE(glIsTexture(texture));
  app->MouseMove(1, 1);
  app->RunConsoleCommand("print(1)");
  app->Frame();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// The models' side colours fill the cells' edges: a unit list 200 pixels wide holds four
// columns of 46 spaced by 3.2, so cells start at x 3 and 52, their backgrounds 2 further.
TEST_F(AppGuiGLTest, AScriptsUnitListShowsTheModelTypesAndAClickSelectsAUnit) {
  Script(R"lua(
    function FROMAPP_FPSCOUNTER() end
    function Init()
      list = qgui_create(TYPE_UNITLIST)
      qgui_set(list, PROP_W, 200) qgui_set(list, PROP_H, 150)
    end
  )lua");
  StartApp();
  EXPECT_EQ(app->UnitLists(), nullptr);
  std::vector<int> selected;
  app->onUnitSelected = [&](int row) { selected.push_back(row); };
  app->Frame();
  ASSERT_NE(app->UnitLists(), nullptr);
  auto side = [&](size_t type) { return app->UnitLists()->SideColour(app->UnitLists()->Types()[type]); };
  ASSERT_GT(app->UnitLists()->Types().size(), 1u);
  EXPECT_EQ(At(5, 20), side(0));
  EXPECT_EQ(At(54, 20), side(1));

  app->MouseMove(72, 20);
  app->MouseDown(0, 72, 20);
  app->MouseUp(0, 72, 20);
  EXPECT_EQ(selected, (std::vector<int>{int(app->UnitLists()->Types()[1].models.front())}));

  // A reload's new list is filled too; closing takes the pictures with it.
  app->Lua()->DoString("qgui_debug(0)");
  app->Frame();
  EXPECT_EQ(At(5, 20), side(0));
  const GLuint picture = app->UnitLists()->Types()[0].picture;
  ASSERT_TRUE(glIsTexture(picture));
  app->Close();
  EXPECT_EQ(app->UnitLists(), nullptr);
  EXPECT_FALSE(glIsTexture(picture));
  EXPECT_EQ(console, Strings{});
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(AppGuiGLTest, TenThousandScriptErrorsLeaveBoundedLogsAndTheFramesGoOn) {
  Script("n = 0 function Init() end function FROMAPP_FPSCOUNTER() n = n + 1 error('call ' .. n) end");
  StartApp();
  app->Frame();
  for (int i = 0; i < 10000; ++i) app->Lua()->DoString("FROMAPP_FPSCOUNTER()");
  for (int i = 0; i < 3; ++i) app->Frame();
  EXPECT_EQ(app->FramesDrawn(), 4);
  TQGUI_ErrorWindow& window = app->ScriptedGui()->ErrorWindow();
  const std::u16string full = window.FullLog();
  EXPECT_EQ(size_t(std::count(full.begin(), full.end(), u'\r')), TQGUI_ErrorWindow::kMaxErrors);
  EXPECT_NE(full.find(u"call 10004"), std::u16string::npos);
  auto* log = dynamic_cast<TQGUI_Listbox*>(window.Log());
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(log->items.size(), TQGUI_ErrorWindow::kMaxErrors);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
