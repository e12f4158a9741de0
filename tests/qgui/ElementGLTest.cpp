#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdlib>

#include "GLTestContext.h"
#include "MessageRecorder.h"
#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "QGUI/Element.h"
#include "QGUI/Scissor.h"
#include "QGUI/TextureManager.h"
#include "TestImages.h"
#include "TextureFolder.h"

namespace {

using Pixel = std::array<uint8_t, 4>;
constexpr int kSize = 128;
constexpr Pixel kClear{58, 58, 73, 255};

bool Near(Pixel a, Pixel b, int tolerance = 8) {
  for (int i = 0; i < 3; ++i)
    if (std::abs(a[i] - b[i]) > tolerance) return false;
  return true;
}

// A GUI drawn through the real GL object, with pixels read back in window
// coordinates (y from the top).
class ElementGLTest : public ::testing::Test {
 protected:
  ElementGLTest() {
    ctx.gl().Begin2D(0, 0);  // the quad program, before the scratch folder stands in for the data
    TQGUI_Services services;
    services.renderer = &ctx.gl();
    services.textures = &textures;
    services.scissor = &scissor;
    services.frameDelta = [] { return 0.0; };
    gui = std::make_unique<TQGUI_Context>(services);
    gui->CreateDesktop().col1 = {0, 0, 0, 0};
    gui->Resize(kSize, kSize);
  }
  ~ElementGLTest() override { gui.reset(); }

  TQGUI_Element& Panel(int x, int y, int w, int h, TQGUIColour colour, int parent = 0) {
    TQGUI_Element& e = *gui->Registry().CreateElement(TYPE_ELEMENT, parent);
    e.SetBounds(x, y, w, h);
    e.col1 = colour;
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

  GLTestContext ctx{kSize, kSize};
  TQGUI_TextureManager textures;
  TQGUI_Scissor_Stack scissor;
  std::unique_ptr<TQGUI_Context> gui;
};

TEST_F(ElementGLTest, FillGradientBevelBorderAndTextureLandOnTheirPixels) {
  TextureFolder folder;
  // 2 x 2: top row red, green; bottom row blue, white.
  folder.Write("quad.png", EncodePNG(MakePngSpec(2, 2, PNG_COLOR_TYPE_RGB, 8, false,
                                                 {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255})));
  Panel(0, 0, 20, 10, {1, 0, 0, 1});
  TQGUI_Element& gradient = Panel(30, 0, 20, 40, {1, 1, 1, 1});
  gradient.gradient = true;
  gradient.gradientCol1 = {1, 0, 0, 1};
  gradient.gradientCol2 = {0, 0, 1, 1};
  TQGUI_Element& bevelled = Panel(60, 0, 20, 20, {0, 1, 0, 1});
  bevelled.bevel = true;
  bevelled.bevelCol1 = {1, 1, 1, 0};
  bevelled.bevelCol2 = {0, 0, 0, 0};
  TQGUI_Element& bordered = Panel(90, 0, 20, 20, {0, 0, 0, 0});
  bordered.borderType = 1;
  bordered.borderSize = 3;
  bordered.borderColour = {1, 1, 0, 1};
  TQGUI_Element& textured = Panel(0, 60, 40, 40, {1, 1, 1, 1});
  textured.SetTexture("quad.png");
  textured.Slot(SLOT_MAIN).linear = false;
  Draw();

  EXPECT_TRUE(Near(At(0, 0), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(At(19, 9), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(At(20, 5), kClear));
  EXPECT_TRUE(Near(At(10, 10), kClear));
  // The gradient's first colour is at the top.
  EXPECT_TRUE(Near(At(40, 1), {250, 0, 5, 255}, 12));
  EXPECT_TRUE(Near(At(40, 38), {5, 0, 250, 255}, 12));
  EXPECT_TRUE(Near(At(40, 20), {128, 0, 128, 255}, 12));
  // Bevel: light top-left, dark bottom-right, green inside.
  EXPECT_TRUE(Near(At(65, 0), {255, 255, 255, 255}));
  EXPECT_TRUE(Near(At(60, 10), {255, 255, 255, 255}));
  EXPECT_TRUE(Near(At(79, 10), {0, 0, 0, 255}));
  EXPECT_TRUE(Near(At(65, 19), {0, 0, 0, 255}));
  EXPECT_TRUE(Near(At(70, 10), {0, 255, 0, 255}));
  // An inner border three pixels wide around a transparent body.
  EXPECT_TRUE(Near(At(90, 10), {255, 255, 0, 255}));
  EXPECT_TRUE(Near(At(92, 10), {255, 255, 0, 255}));
  EXPECT_TRUE(Near(At(93, 10), kClear));
  EXPECT_TRUE(Near(At(100, 19), {255, 255, 0, 255}));
  // The image's top row is at the element's top.
  EXPECT_TRUE(Near(At(5, 65), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(At(35, 65), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(At(5, 95), {0, 0, 255, 255}));
  EXPECT_TRUE(Near(At(35, 95), {255, 255, 255, 255}));
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

TEST_F(ElementGLTest, AScissoredParentClipsItsChild) {
  TQGUI_Element& parent = Panel(10, 10, 40, 40, {0, 0, 1, 1});
  parent.scissor = true;
  Panel(20, 20, 60, 60, {1, 0, 0, 1}, parent.id);
  Draw();
  EXPECT_TRUE(Near(At(15, 15), {0, 0, 255, 255}));
  EXPECT_TRUE(Near(At(35, 35), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(At(49, 49), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(At(50, 45), kClear));
  EXPECT_TRUE(Near(At(45, 51), kClear));
  EXPECT_TRUE(Near(At(70, 70), kClear));
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

TEST_F(ElementGLTest, HalfTransparentElementsBlendOverWhatIsBelow) {
  Panel(0, 0, 50, 50, {1, 0, 0, 1});
  TQGUI_Element& over = Panel(0, 0, 50, 50, {0, 0, 1, 1});
  over.alpha = 0.5f;
  Draw();
  EXPECT_TRUE(Near(At(25, 25), {128, 0, 128, 255}, 10));
}

TEST_F(ElementGLTest, AnElementShaderDrawsItsRectangleAndABrokenOneLeavesTheFill) {
  TQGUI_Element& shaded = Panel(10, 10, 60, 40, {1, 0, 0, 1});
  shaded.LoadShader("plasma", 60, 40);
  ASSERT_NE(shaded.Shader(), nullptr);
  Draw();
  int changed = 0;
  for (int x = 15; x < 65; x += 5) changed += !Near(At(x, 30), kClear) && !Near(At(x, 30), {255, 0, 0, 255});
  EXPECT_GT(changed, 5);
  EXPECT_TRUE(Near(At(75, 30), kClear));
  EXPECT_TRUE(Near(At(30, 55), kClear));
  // The quads drawn after it still go through the quad program.
  Panel(80, 80, 10, 10, {0, 1, 0, 1});
  Draw();
  EXPECT_TRUE(Near(At(85, 85), {0, 255, 0, 255}));

  MessageRecorder messages;
  TQGUI_Element& broken = Panel(90, 10, 20, 20, {0, 0, 1, 1});
  broken.LoadShader("no such shader", 20, 20);
  EXPECT_EQ(broken.Shader(), nullptr);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Shader Error");
  Draw();
  EXPECT_TRUE(Near(At(100, 20), {0, 0, 255, 255}));
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

}  // namespace
