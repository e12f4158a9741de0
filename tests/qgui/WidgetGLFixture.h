#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>

#include "GLTestContext.h"
#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "QGUI/Element.h"
#include "QGUI/Scissor.h"
#include "QGUI/TextureManager.h"
#include "font/FontManager.h"

// A GUI on the real GL object with the build's fonts, 128 x 128, pixels read back in
// window coordinates (y from the top).
class WidgetGLTest : public ::testing::Test {
 protected:
  using Pixel = std::array<uint8_t, 4>;
  static constexpr int kSize = 128;
  static constexpr Pixel kClear{58, 58, 73, 255};

  WidgetGLTest() {
    ctx.gl().Begin2D(0, 0);
    TQGUI_Services services;
    services.renderer = &ctx.gl();
    services.textures = &textures;
    services.scissor = &scissor;
    services.fonts = &fonts;
    services.frameDelta = [] { return 0.0; };
    gui = std::make_unique<TQGUI_Context>(services);
    gui->CreateDesktop().col1 = {0, 0, 0, 0};
    gui->Resize(kSize, kSize);
  }
  ~WidgetGLTest() override { gui.reset(); }

  TQGUI_Element& Make(int32_t type, int x, int y, int w, int h, int parent = 0) {
    TQGUI_Element& e = *gui->Registry().CreateElement(type, parent);
    e.SetBounds(x, y, w, h);
    return e;
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
  static bool Near(Pixel a, Pixel b, int tolerance = 8) {
    for (int i = 0; i < 3; ++i)
      if (std::abs(a[i] - b[i]) > tolerance) return false;
    return true;
  }
  // Pixels of the window rectangle for which `test` holds.
  template <class Test>
  int Count(int x, int y, int w, int h, Test test) {
    int n = 0;
    for (int py = y; py < y + h; ++py)
      for (int px = x; px < x + w; ++px) n += test(At(px, py));
    return n;
  }

  GLTestContext ctx{kSize, kSize};
  TQGUI_TextureManager textures;
  TQGUI_Scissor_Stack scissor;
  TOGL_Font_Manager fonts;
  std::unique_ptr<TQGUI_Context> gui;
};
