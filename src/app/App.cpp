#include "app/App.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>

#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "QGUI/Scissor.h"
#include "QGUI/ScriptedGui.h"
#include "QGUI/TextureManager.h"
#include "app/AppScripting.h"
#include "app/Scene.h"
#include "app/UnitListHost.h"
#include "font/FontManager.h"
#include "gl/OGL.h"
#include "gl/Timer.h"
#include "model/PlacedModel.h"
#include "platform/Clock.h"
#include "platform/Console.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "script/LuaHost.h"

namespace {
constexpr double kNearPlane = 0.1;
constexpr double kFarPlane = 40000.0;
constexpr double kFieldOfView = 45.0;

void WriteLine(const std::string& line) { ConsoleWrite(ToUtf16(line)); }
}  // namespace

TZQApp::TZQApp() : TZQApp(Options{}) {}

TZQApp::TZQApp(Options options) : options_(options) { InstallScriptHooks(); }

TZQApp::~TZQApp() { FreeGui(); }

bool TZQApp::Ready() const { return !closed_ && ogl_ && ogl_->Initialised(); }

bool TZQApp::Start(IGLSurface* surface, int width, int height) {
  FreeGui();
  scene_.reset();
  ogl_.reset();
  ogl_ = std::make_unique<TOGL>(kNearPlane, kFarPlane, kFieldOfView);
  try {
    ogl_->Init(surface, TPixelFormatRequest::Default(), width, height, 0);
  } catch (const std::exception& e) {
    ShowMessageBox("Error", e.what());
    return false;
  }
  ogl_->SetVSync(false);
  scene_ = std::make_unique<TModelScene>(ogl_.get());
  if (options_.everyModelOnScreen) scene_->SetLayout(TModelScene::TLayout::Screen);
  scene_->Start(options_.models);
  WriteLine("Vendor: " + GLString(GL_VENDOR));
  WriteLine("Renderer: " + GLString(GL_RENDERER));
  WriteLine("Version: " + GLString(GL_VERSION));
  WriteLine("");
  WriteLine("Resolution: " + std::to_string(ogl_->Width()) + "x" + std::to_string(ogl_->Height()));
  CreateGui();
  return true;
}

void TZQApp::CreateGui() {
  lua_ = std::make_unique<TLUA>();
  fonts_ = std::make_unique<TOGL_Font_Manager>();
  guiTextures_ = std::make_unique<TQGUI_TextureManager>();
  scissor_ = std::make_unique<TQGUI_Scissor_Stack>();
  TQGUI_Services services;
  services.renderer = ogl_.get();
  services.textures = guiTextures_.get();
  services.scissor = scissor_.get();
  services.fonts = fonts_.get();
  services.lua = lua_.get();
  gui_ = std::make_unique<TQGUI_Context>(services);
  scripted_ = std::make_unique<TQGUI_ScriptedGui>(*gui_, *lua_);
  guiStarted_ = false;
}

void TZQApp::FreeGui() {
  unitLists_.reset();
  scripted_.reset();
  gui_.reset();
  scissor_.reset();
  guiTextures_.reset();
  fonts_.reset();
  lua_.reset();
}

void TZQApp::Frame() {
  if (!Ready()) return;
  StartGuiIfDue();
  scene_->UploadPalettes();
  RunFrameScripts();
  DrawScene();
  DrawGui();
  Present();
}

// The first frame starts the GUI; later ones restart it when it asked for a reload
// (the error window's "Reload QGUI"), so edited scripts show without a restart.
void TZQApp::StartGuiIfDue() {
  if (!guiStarted_) {
    guiStarted_ = true;
    ogl_->Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ogl_->Swap();
    StartGui();
  } else if (gui_->reloadRequested) {
    StartGui();
  }
}

// Each start gets a fresh unit-list host, so no list of the tree before is remembered.
void TZQApp::StartGui() {
  unitLists_.reset();
  unitLists_ = std::make_unique<TUnitListHost>(*gui_, *scene_, ogl_.get());
  unitLists_->onSelect = [this](int row) {
    if (onUnitSelected) onUnitSelected(row);
  };
  scripted_->Start(kGuiScreenWidth, kGuiScreenHeight, false);
  gui_->Resize(ogl_->Width(), ogl_->Height());
  if (TQGUI_Desktop* desktop = gui_->Desktop()) desktop->col1 = {0, 0, 0, 0};
  // The next frame's delta runs from here, not from before the scripts loaded.
  FrameTimer().Reset();
}

void TZQApp::RunFrameScripts() {
  lua_->DoString("FROMAPP_FPSCOUNTER(" + std::to_string(FrameTimer().FramesPerSecond()) + ")");
  lua_->RunTickCallbacks(double(FrameTimer().Delta()));
}

void TZQApp::DrawScene() {
  if (!Ready()) return;
  TOGL& gl = *ogl_;
  gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl.SetBlend(true);
  gl.SetOrtho2D(0, 0);
  gl.SetDepthTest(true, GL_LEQUAL);
  scene_->Draw(TickCount());
}

void TZQApp::DrawGui() {
  if (!Ready()) return;
  TOGL& gl = *ogl_;
  gl.Begin2D(0, 0);
  gl.SetQuadType(QT_Textured);
  gl.SetColour3(1, 1, 1);
  gui_->Render();
}

void TZQApp::Present() {
  if (!Ready()) return;
  TOGL& gl = *ogl_;
  gl.Set3D();
  gl.SetBlend(false);
  gl.Swap();
  ++frames_;
}

void TZQApp::Resize(int width, int height) {
  if (!Ready()) return;
  ogl_->Resize(width, height);
  gui_->Resize(ogl_->Width(), ogl_->Height());
}

void TZQApp::Close() {
  closed_ = true;
  if (scene_) scene_->Close();
  FreeGui();
}

void TZQApp::RunConsoleCommand(const std::string& line) {
  WriteLine("> " + line);
  if (!lua_ || !lua_->IsOpen()) {
    WriteLine("The GUI's interpreter starts with the first frame.");
    return;
  }
  TLUA::ErrorHandlerProc guiHandler = std::move(lua_->errorHandler);
  lua_->errorHandler = [](const std::string& message) { WriteLine(message); };
  lua_->DoString(line);
  lua_->errorHandler = std::move(guiHandler);
}

const std::vector<std::string>& TZQApp::UnitRows() const {
  static const std::vector<std::string> none;
  return scene_ ? scene_->UnitRows() : none;
}

void TZQApp::ApplyUnitSideColour(int row, uint8_t red, uint8_t green, uint8_t blue) {
  if (scene_) scene_->ApplyUnitSideColour(row, {red, green, blue});
}

std::array<uint8_t, 3> TZQApp::UnitSideColour(int row) const {
  if (!scene_ || row < 0 || static_cast<size_t>(row) >= scene_->ModelCount()) return {0, 0, 0};
  const uint8_t* entry = scene_->Model(static_cast<size_t>(row)).Palette() + 24 * 3;
  return {entry[2], entry[1], entry[0]};
}

void TZQApp::RandomSideColours() {
  if (scene_) scene_->RandomSideColours();
}

void TZQApp::MouseMove(int x, int y) {
  if (gui_) gui_->MouseMove(x, y);
}

void TZQApp::MouseDown(int button, int x, int y) {
  if (gui_ && button >= 0 && button <= 2) gui_->MouseDown(uint8_t(button), x, y);
}

void TZQApp::MouseUp(int button, int x, int y) {
  if (gui_ && button >= 0 && button <= 2) gui_->MouseUp(uint8_t(button), x, y);
}

void TZQApp::MouseWheel(int delta, int x, int y) {
  if (gui_) gui_->MouseWheel(x, y, int16_t(std::clamp(delta, -32768, 32767)));
}

void TZQApp::KeyDown(int key) {
  if (gui_) gui_->KeyDown(key);
}

void TZQApp::KeyUp(int key) {
  if (gui_) gui_->KeyUp(key);
}

void TZQApp::Char(char16_t character) {
  if (gui_) gui_->KeyChar(character);
}

std::vector<std::string> TZQApp::InfoLines() const {
  if (!ogl_ || !ogl_->Initialised()) return {};
  std::vector<std::string> lines = {"Vendor: " + GLString(GL_VENDOR),
                                    "Renderer: " + GLString(GL_RENDERER),
                                    "Version: " + GLString(GL_VERSION),
                                    "",
                                    "Settings:",
                                    std::string("Multisample: ") + (ogl_->Multisample() ? "True" : "False"),
                                    "",
                                    "OGL Extentions:"};
  std::istringstream extensions(GLString(GL_EXTENSIONS));
  for (std::string name; extensions >> name;) lines.push_back(name);
  return lines;
}
