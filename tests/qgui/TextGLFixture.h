#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>

#include "GLTestContext.h"
#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "QGUI/Element.h"
#include "QGUI/Scissor.h"
#include "QGUI/TextureManager.h"
#include "font/FontManager.h"

// Text widgets drawn through the real GL object with the build's fonts; pixels are
// read back in window coordinates (y from the top).
class TextGLTest : public ::testing::Test {
 public:
  using Pixel = std::array<uint8_t, 4>;

 protected:
  static constexpr int kSize = 128;
  static constexpr Pixel kClear{58, 58, 73, 255};

  TextGLTest() {
    ctx.gl().Begin2D(0, 0);
    TQGUI_Services services;
    services.renderer = &ctx.gl();
    services.textures = &textures;
    services.scissor = &scissor;
    services.fonts = &fonts;
    services.frameDelta = [] { return 0.0; };
    services.tickCount = [this] { return now; };
    gui = std::make_unique<TQGUI_Context>(services);
    gui->CreateDesktop().col1 = {0, 0, 0, 0};
    gui->Resize(kSize, kSize);
  }
  ~TextGLTest() override { gui.reset(); }

  template <class T>
  T& Make(int32_t type) {
    return static_cast<T&>(*gui->Registry().CreateElement(type, 0));
  }
  void Draw() {
    TOGL& gl = ctx.gl();
    gl.Clear(GL_COLOR_BUFFER_BIT);
    gl.SetBlend(true);
    gl.Begin2D(0, 0);
    gui->Render();
    glFinish();
  }
  Pixel At(int x, int y) { return ctx.Pixel(x, kSize - 1 - y); }
  // Pixels of the rectangle that `test` accepts.
  int Count(int x0, int y0, int x1, int y1, const std::function<bool(Pixel)>& test) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) count += test(At(x, y)) ? 1 : 0;
    return count;
  }
  static bool Near(Pixel a, Pixel b, int tolerance = 8) {
    for (int i = 0; i < 3; ++i)
      if (std::abs(a[i] - b[i]) > tolerance) return false;
    return true;
  }

  GLTestContext ctx{kSize, kSize};
  TQGUI_TextureManager textures;
  TQGUI_Scissor_Stack scissor;
  TOGL_Font_Manager fonts;
  uint32_t now = 250;
  std::unique_ptr<TQGUI_Context> gui;
};
