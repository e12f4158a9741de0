#include "GuiFixture.h"

#include <filesystem>

#include "platform/DataFiles.h"

GuiTest::GuiTest() {
  SetExeFolder(ZQ_TEST_BIN_DIR);
  previousHook_ = SetReportHook([this](std::string_view source, std::string_view message) {
    reports.emplace_back(std::string(source), std::string(message));
  });
  lua.errorHandler = [this](const std::string& message) { luaErrors.push_back(message); };
  lua.Start();
  lua.DoString("log = {}");
  TQGUI_Services services;
  services.renderer = &renderer;
  services.textures = &textures;
  services.scissor = &scissor;
  services.fonts = &fonts;
  services.lua = &lua;
  services.frameDelta = [this] { return delta; };
  services.tickCount = [this] { return now; };
  services.doubleClickTime = [] { return 500u; };
  gui = std::make_unique<TQGUI_Context>(services);
  desktop = &gui->CreateDesktop();
  desktop->col1 = {0, 0, 0, 0};
}

GuiTest::~GuiTest() {
  gui.reset();
  folder_.reset();
  SetReportHook(std::move(previousHook_));
}

TQGUI_Element& GuiTest::Make(int32_t type, int32_t parent) {
  TQGUI_Element* element = gui->Registry().CreateElement(type, parent);
  EXPECT_NE(element, nullptr) << "type " << type;
  return *element;
}

TQGUI_Element& GuiTest::Panel(int32_t x, int32_t y, int32_t w, int32_t h, int32_t parent) {
  TQGUI_Element& element = Make(TYPE_ELEMENT, parent);
  element.SetBounds(x, y, w, h);
  return element;
}

void GuiTest::LogOn(TQGUI_Element& element, TQGUI_Callback callback, const std::string& word,
                    const std::string& placeholders) {
  element.SetCallback(callback, "log[#log+1]='" + word + " %id" + placeholders + "'");
}

std::vector<std::string> GuiTest::Log() {
  lua_State* state = lua.State();
  std::vector<std::string> entries;
  lua_getglobal(state, "log");
  for (int i = 1;; ++i) {
    lua_rawgeti(state, -1, i);
    if (lua_isnil(state, -1)) {
      Pop(state, 1);
      break;
    }
    entries.push_back(ArgString(state, -1));
    Pop(state, 1);
  }
  Pop(state, 1);
  return entries;
}

void GuiTest::ClearLog() { lua.DoString("log = {}"); }

void GuiTest::Click(int32_t x, int32_t y, uint8_t button) {
  gui->MouseMove(x, y);
  gui->MouseDown(button, x, y);
  gui->MouseUp(button, x, y);
}

void GuiTest::RenderFrame() {
  renderer.Begin2D(0, 0);
  gui->Render();
}

void GuiTest::WriteInterfaceFile(const std::string& name, const std::string& bytes) {
  if (!folder_) {
    folder_ = std::make_unique<ScratchFolder>("gui");
    for (const char* shared : {"fonts", "shaders"})
      std::filesystem::create_directory_symlink(std::filesystem::path(ZQ_TEST_BIN_DIR) / shared,
                                                folder_->Path() / shared);
    folder_->UseAsExeFolder();
  }
  folder_->Write("interface/" + name, bytes);
}
