#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "QGUI/Element.h"
#include "QGUI/Scissor.h"
#include "QGUI/TextureManager.h"
#include "RecordingRenderer.h"
#include "ScratchFolder.h"
#include "font/FontManager.h"
#include "script/LuaApi.h"
#include "script/LuaHost.h"

// A GUI on the recording renderer with a real Lua interpreter, the build's fonts, a
// clock and frame delta the test sets, and the reports kept. Callback code appends to
// the Lua table `log`, which Log() reads back.
class GuiTest : public ::testing::Test {
 protected:
  GuiTest();
  ~GuiTest() override;

  TQGUI_Element& Make(int32_t type = TYPE_ELEMENT, int32_t parent = 0);
  // A plain element at the bounds given, under `parent`.
  TQGUI_Element& Panel(int32_t x, int32_t y, int32_t w, int32_t h, int32_t parent = 0);
  // Adds code that logs "`word` %id" plus the placeholders given (e.g. " %x %y").
  void LogOn(TQGUI_Element& element, TQGUI_Callback callback, const std::string& word,
             const std::string& placeholders = "");
  std::vector<std::string> Log();
  void ClearLog();
  void Click(int32_t x, int32_t y, uint8_t button = 0);
  void RenderFrame();
  // Puts a file into the `interface` folder of a scratch executable folder that also
  // sees the build's fonts and shaders.
  void WriteInterfaceFile(const std::string& name, const std::string& bytes);

  RecordingRenderer renderer;
  TQGUI_TextureManager textures;
  TQGUI_Scissor_Stack scissor;
  TOGL_Font_Manager fonts;
  TLUA lua;
  uint32_t now = 100000;
  double delta = 0.016;
  std::unique_ptr<TQGUI_Context> gui;
  TQGUI_Desktop* desktop = nullptr;
  std::vector<std::pair<std::string, std::string>> reports;
  std::vector<std::string> luaErrors;

 private:
  TLUA_ReportHook previousHook_;
  std::unique_ptr<ScratchFolder> folder_;
};
