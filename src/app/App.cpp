#include "app/App.h"

#include <sstream>
#include <stdexcept>

#include "app/AppScripting.h"
#include "app/Scene.h"
#include "gl/OGL.h"
#include "model/PlacedModel.h"
#include "platform/Clock.h"
#include "platform/Console.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"

namespace {
constexpr double kNearPlane = 0.1;
constexpr double kFarPlane = 40000.0;
constexpr double kFieldOfView = 45.0;

void WriteLine(const std::string& line) { ConsoleWrite(ToUtf16(line)); }
}  // namespace

TZQApp::TZQApp() : TZQApp(Options{}) {}

TZQApp::TZQApp(Options options) : options_(options) { InstallScriptHooks(); }

TZQApp::~TZQApp() = default;

bool TZQApp::Ready() const { return !closed_ && ogl_ && ogl_->Initialised(); }

bool TZQApp::Start(IGLSurface* surface, int width, int height) {
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
  return true;
}

void TZQApp::Frame() {
  if (!Ready()) return;
  TOGL& gl = *ogl_;
  scene_->UploadPalettes();
  gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl.SetBlend(true);
  gl.SetOrtho2D(0, 0);
  gl.SetDepthTest(true, GL_LEQUAL);
  scene_->Draw(TickCount());
  gl.Begin2D(0, 0);
  gl.SetQuadType(QT_Textured);
  gl.SetColour3(1, 1, 1);
  gl.Set3D();
  gl.SetBlend(false);
  gl.Swap();
  ++frames_;
}

void TZQApp::Resize(int width, int height) {
  if (Ready()) ogl_->Resize(width, height);
}

void TZQApp::Close() {
  closed_ = true;
  if (scene_) scene_->Close();
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

void TZQApp::MouseMove(int, int) {}
void TZQApp::MouseDown(int, int, int) {}
void TZQApp::MouseUp(int, int, int) {}
void TZQApp::MouseWheel(int, int, int) {}
void TZQApp::KeyDown(int) {}
void TZQApp::KeyUp(int) {}
void TZQApp::Char(char16_t) {}

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
