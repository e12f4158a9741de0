#pragma once
#include <png.h>

#include <array>
#include <string>

#include "GuiFixture.h"
#include "TestImages.h"

// A PNG of one opaque colour.
inline std::string SolidPng(int width, int height, std::array<uint8_t, 3> rgb = {200, 200, 200}) {
  PngSpec spec = MakePngSpec(width, height, PNG_COLOR_TYPE_RGB, 8, false);
  for (int i = 0; i < width * height; ++i) spec.samples.insert(spec.samples.end(), rgb.begin(), rgb.end());
  return EncodePNG(spec);
}

// Widget tests on the recording renderer: quads back in window pixels, and a Lua
// function `delete_element(id)` so callbacks can delete elements the way scripts do.
class WidgetTest : public GuiTest {
 protected:
  using Quad = RecordingRenderer::Quad;
  using Rect = std::array<float, 4>;
  using Colour = std::array<float, 4>;

  WidgetTest() {
    current_ = gui.get();
    lua.Register("delete_element", [](lua_State* state) {
      if (TQGUI_Element* e = current_->Registry().Find(ArgInt(state, 1))) current_->Delete(*e);
      return 0;
    });
  }

  static Rect Window(const Quad& q) { return {q.x, 768 - q.y - q.h, q.w, q.h}; }
  static Rect TexWindow(const Quad& q) { return {q.u, q.v, q.du, q.dv}; }
  std::vector<Quad> Frame() {
    renderer.quads.clear();
    RenderFrame();
    return renderer.quads;
  }
  template <class T>
  T& MakeAs(int32_t type, int32_t parent = 0) {
    return static_cast<T&>(Make(type, parent));
  }

 private:
  static inline TQGUI_Context* current_ = nullptr;
};
