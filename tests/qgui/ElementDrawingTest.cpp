#include <gtest/gtest.h>
#include <png.h>

#include "GuiFixture.h"
#include "TestImages.h"
#include "font/FontBase.h"

using Quad = RecordingRenderer::Quad;
using Rect = std::array<float, 4>;
using Colour = std::array<float, 4>;

namespace {

std::string Png(int width, int height, uint16_t value = 200) {
  PngSpec spec = MakePngSpec(width, height, PNG_COLOR_TYPE_RGB_ALPHA, 8, false);
  spec.samples.assign(size_t(width) * height * 4, value);
  return EncodePNG(spec);
}

// The drawing helpers are tested through a real Lua function that deletes by id.
TQGUI_Context* g_context = nullptr;

int DeleteElement(lua_State* state) {
  if (TQGUI_Element* e = g_context->Registry().Find(ArgInt(state, 1))) g_context->Delete(*e);
  return 0;
}

}  // namespace

class ElementDrawingTest : public GuiTest {
 protected:
  void SetUp() override {
    g_context = gui.get();
    lua.Register("delete_element", DeleteElement);
  }

  // The quad's rectangle back in window pixels, y downwards.
  static Rect Window(const Quad& q) { return {q.x, 768 - q.y - q.h, q.w, q.h}; }
  static Rect TexWindow(const Quad& q) { return {q.u, q.v, q.du, q.dv}; }
  std::vector<Quad> Frame() {
    renderer.quads.clear();
    RenderFrame();
    return renderer.quads;
  }
};

TEST_F(ElementDrawingTest, ChildrenDrawAfterTheirParentInsideItsScissor) {
  TQGUI_Element& parent = Panel(10, 10, 100, 100);
  parent.scissor = true;
  parent.col1 = {1, 0, 0, 1};
  TQGUI_Element& child = Panel(50, 50, 100, 100, parent.id);
  child.col1 = {0, 1, 0, 1};
  TQGUI_Element& inner = Panel(10, 10, 200, 10, child.id);
  inner.scissor = true;
  inner.col1 = {1, 1, 0, 1};
  Panel(0, 0, 5, 5).col1 = {0, 0, 1, 1};

  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 4u);
  EXPECT_EQ(quads[0].colour, (Colour{1, 0, 0, 1}));
  EXPECT_EQ(quads[1].colour, (Colour{0, 1, 0, 1}));
  EXPECT_EQ(quads[2].colour, (Colour{1, 1, 0, 1}));
  EXPECT_EQ(quads[3].colour, (Colour{0, 0, 1, 1}));
  const std::array<int, 4> parentClip{10, 768 - 110, 100, 100};
  EXPECT_EQ(quads[0].scissor, parentClip);
  EXPECT_EQ(quads[1].scissor, parentClip);
  // The inner clip is cut to the parent's: x 70..110, window y 70..80.
  EXPECT_EQ(quads[2].scissor, (std::array<int, 4>{70, 768 - 80, 40, 10}));
  EXPECT_EQ(quads[3].scissor, (std::array<int, 4>{0, 0, 1024, 768}));
  EXPECT_EQ(Window(quads[1]), (Rect{60, 60, 100, 100}));
  EXPECT_EQ(scissor.Count(), 0u);
  EXPECT_FALSE(renderer.scissorOn);
  // Applied in push order, then restored on each pop; the desktop clips its top-level list again.
  EXPECT_EQ(renderer.scissors,
            (std::vector<std::array<int, 4>>{
                {0, 0, 1024, 768}, parentClip, {70, 688, 40, 10}, parentClip, {0, 0, 1024, 768}, {0, 0, 1024, 768}}));
}

TEST_F(ElementDrawingTest, BevelLinesFrameTheInsetFillWithTheFillsAlpha) {
  TQGUI_Element& e = Panel(10, 20, 30, 40);
  e.bevel = true;
  e.alpha = 0.5f;
  e.col1 = {0.2f, 0.3f, 0.4f, 0.5f};
  e.bevelCol1 = {1, 0, 0, 0};
  e.bevelCol2 = {0, 0, 1, 0.9f};
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 5u);
  EXPECT_EQ(Window(quads[0]), (Rect{11, 21, 28, 38}));
  EXPECT_EQ(quads[0].colour, (Colour{0.2f, 0.3f, 0.4f, 0.25f}));
  EXPECT_EQ(quads[0].texture, renderer.whiteTexture);
  EXPECT_EQ(quads[0].type, 0);
  EXPECT_EQ(Window(quads[1]), (Rect{10, 20, 29, 1}));
  EXPECT_EQ(Window(quads[2]), (Rect{10, 21, 1, 39}));
  EXPECT_EQ(Window(quads[3]), (Rect{11, 59, 29, 1}));
  EXPECT_EQ(Window(quads[4]), (Rect{39, 20, 1, 40}));
  EXPECT_EQ(quads[1].colour, (Colour{1, 0, 0, 0.25f}));
  EXPECT_EQ(quads[4].colour, (Colour{0, 0, 1, 0.25f}));

  e.col1.alpha = 0;  // no fill, no bevel
  EXPECT_TRUE(Frame().empty());
}

TEST_F(ElementDrawingTest, InnerAndOuterBorders) {
  TQGUI_Element& e = Panel(10, 10, 30, 20);
  e.col1.alpha = 0;
  e.borderSize = 2;
  e.borderType = 1;
  e.borderColour = {0, 1, 0, 0.5f};
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 4u);
  EXPECT_EQ(Window(quads[0]), (Rect{10, 10, 2, 20}));
  EXPECT_EQ(Window(quads[1]), (Rect{38, 10, 2, 20}));
  EXPECT_EQ(Window(quads[2]), (Rect{10, 10, 30, 2}));
  EXPECT_EQ(Window(quads[3]), (Rect{10, 28, 30, 2}));
  EXPECT_EQ(quads[0].colour, (Colour{0, 1, 0, 0.5f}));
  e.borderType = 2;
  quads = Frame();
  ASSERT_EQ(quads.size(), 4u);
  EXPECT_EQ(Window(quads[0]), (Rect{8, 8, 2, 24}));
  EXPECT_EQ(Window(quads[1]), (Rect{40, 8, 2, 24}));
  EXPECT_EQ(Window(quads[2]), (Rect{8, 8, 34, 2}));
  EXPECT_EQ(Window(quads[3]), (Rect{8, 30, 34, 2}));
  e.borderType = 3;
  EXPECT_TRUE(Frame().empty());
}

TEST_F(ElementDrawingTest, TheEdgeFrameIsEightQuadsFromTheEdgesTexture) {
  WriteInterfaceFile("corners2.png", Png(16, 8));
  TQGUI_Element& e = Panel(100, 100, 50, 40);
  e.col1.alpha = 0;
  e.edges = true;
  e.alpha = 0.8f;
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 8u);
  const Rect screen[8] = {{101, 101, 4, 4},  {145, 101, 4, 4},  {101, 135, 4, 4},  {145, 135, 4, 4},
                          {101, 105, 4, 30}, {145, 105, 4, 30}, {105, 101, 40, 4}, {105, 135, 40, 4}};
  const Rect texels[8] = {{0, 4, 4, 4}, {4, 4, 4, 4},  {0, 0, 4, 4}, {4, 0, 4, 4},
                          {8, 5, 4, 1}, {12, 5, 4, 1}, {9, 0, 1, 4}, {13, 0, 1, 4}};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Window(quads[i]), screen[i]) << i;
    EXPECT_EQ(TexWindow(quads[i]), (Rect{texels[i][0] / 16, texels[i][1] / 8, texels[i][2] / 16, texels[i][3] / 8}))
        << i;
    EXPECT_EQ(quads[i].colour, (Colour{1, 1, 1, 0.8f}));
    EXPECT_NE(quads[i].texture, renderer.whiteTexture);
  }
}

TEST_F(ElementDrawingTest, TextureCoordinateRules) {
  WriteInterfaceFile("tex.png", Png(64, 32));
  TQGUI_Element& e = Panel(0, 0, 0, 0);
  e.SetTexture("tex.png");
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(e.GetBounds(), (TQGUIRect{0, 0, 64, 32}));  // a 0 x 0 element takes the texture's size
  EXPECT_EQ(TexWindow(quads[0]), (Rect{0, 0, 1, 1}));

  e.SetBounds(0, 0, 128, 48);
  e.tile = true;
  EXPECT_EQ(TexWindow(Frame()[0]), (Rect{0, 0, 2, 1.5f}));
  e.tile = false;
  e.subTexture = true;
  e.subCoords = {8, 4, 16, 8};
  EXPECT_EQ(TexWindow(Frame()[0]), (Rect{8 / 64.0f, 20 / 32.0f, 16 / 64.0f, 8 / 32.0f}));
  e.tile = true;  // tiling wins over the sub-texture
  EXPECT_EQ(TexWindow(Frame()[0]), (Rect{0, 0, 2, 1.5f}));

  e.SetForeignTexture(77, 64, 32, 48, 16);  // partial images win over tiling
  quads = Frame();
  EXPECT_EQ(quads[0].texture, 77u);
  EXPECT_EQ(TexWindow(quads[0]), (Rect{0, 0, 0.75f, 0.5f}));
  EXPECT_EQ(textures.Entries()[0].references, 0);  // the old texture was released
  gui->Delete(e);
  EXPECT_TRUE(renderer.deletedTextures.empty() ||
              std::find(renderer.deletedTextures.begin(), renderer.deletedTextures.end(), 77u) ==
                  renderer.deletedTextures.end());

  TQGUI_Element& empty = Panel(0, 0, 0, 0);
  empty.col1 = {1, 1, 1, 1};
  EXPECT_TRUE(Frame().empty());  // 0 x 0 without a texture draws nothing
}

TEST_F(ElementDrawingTest, TexturesDrawTintedAndCanSwitchBlendingOff) {
  WriteInterfaceFile("tex.png", Png(64, 32));
  TQGUI_Element& e = Panel(0, 0, 10, 10);
  e.SetTexture("tex.png");
  e.col1 = {1, 0.5f, 0.25f, 0.5f};
  e.textureBlend = false;
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_FALSE(quads[0].blend);
  EXPECT_TRUE(renderer.blend);
  EXPECT_EQ(quads[0].colour, (Colour{1, 0.5f, 0.25f, 0.5f}));
  e.col1.alpha = 0;  // a transparent texture falls back to the (also transparent) fill
  EXPECT_TRUE(Frame().empty());
}

TEST_F(ElementDrawingTest, AFallbackTextureIsTriedOnceAndAFailureIsRemembered) {
  WriteInterfaceFile("tex.png", Png(64, 32));
  TQGUI_Element& e = Panel(0, 0, 10, 10);
  e.SetTexture("missing.png");
  e.fallbackTexture = "tex.png";
  Frame();
  EXPECT_EQ(e.Slot(SLOT_MAIN).name, "tex.png");
  EXPECT_TRUE(e.fallbackTexture.empty());
  EXPECT_NE(e.Slot(SLOT_MAIN).texture, 0u);

  TQGUI_Element& f = Panel(0, 0, 10, 10);
  f.SetTexture("gone.png");
  f.fallbackTexture = "also-gone.png";
  f.col1 = {0, 0, 1, 1};
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[1].colour, (Colour{0, 0, 1, 1}));  // drawn as a fill
  WriteInterfaceFile("also-gone.png", Png(8, 8));
  Frame();
  EXPECT_EQ(f.Slot(SLOT_MAIN).texture, 0u);
  f.SetTexture("also-gone.png");  // a new name is tried again
  Frame();
  EXPECT_NE(f.Slot(SLOT_MAIN).texture, 0u);
}

TEST_F(ElementDrawingTest, GradientsUseTheTwoColourQuad) {
  TQGUI_Element& e = Panel(0, 0, 20, 20);
  e.gradient = true;
  e.alpha = 0.5f;
  e.gradientCol1 = {1, 0, 0, 1};
  e.gradientCol2 = {0, 0, 1, 0.5f};
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(quads[0].type, 3);
  EXPECT_EQ(quads[0].colour, (Colour{1, 0, 0, 0.5f}));
  EXPECT_EQ(quads[0].colour2, (Colour{0, 0, 1, 0.25f}));
}

class AnimationTest : public ElementDrawingTest {
 protected:
  TQGUI_Element& Animated(const std::string& anim) {
    WriteInterfaceFile("anim.png", Png(64, 32));
    WriteInterfaceFile("anim.png.anim", anim);
    TQGUI_Element& e = Panel(0, 0, 16, 16);
    e.SetTexture("anim.png");
    LogOn(e, CALLBACK_ANIMEND, "end");
    return e;
  }
  // The frame each of `n` draws showed, from its texture window (4 frames a row).
  std::vector<int> Shown(int n) {
    std::vector<int> frames;
    for (int i = 0; i < n; ++i) {
      Quad q = Frame().at(0);
      int column = int(q.u * 4 + 0.5f);
      int row = int(q.v * 2 + 0.5f);
      frames.push_back(row * 4 + column);
    }
    return frames;
  }
};

TEST_F(AnimationTest, FramesStepWithTheClockAndLoop) {
  Animated("frames=8\nfps=8\nwidth=16\nheight=16\n");
  delta = 0.125;
  EXPECT_EQ(Shown(10), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 0, 1}));
  delta = 0.3125;  // two and a half steps a frame, the rest kept
  EXPECT_EQ(Shown(3), (std::vector<int>{2, 4, 7}));
  EXPECT_TRUE(Log().empty());
}

TEST_F(AnimationTest, AnAnimationThatDoesNotLoopStopsOnItsLastFrameOnce) {
  TQGUI_Element& e = Animated("frames=8\nfps=8\nwidth=16\nheight=16\n");
  e.animLoop = false;
  delta = 0.375;
  EXPECT_EQ(Shown(5), (std::vector<int>{0, 3, 6, 7, 7}));
  EXPECT_EQ(Log(), (std::vector<std::string>{"end " + std::to_string(e.id)}));
  EXPECT_FALSE(e.animPlay);
  e.RestartAnimation();
  EXPECT_EQ(Shown(2), (std::vector<int>{0, 3}));
}

TEST_F(AnimationTest, PingPongPlaysBackAndNeverEnds) {
  Animated("frames=4\nfps=10\nwidth=16\nheight=16\nmirror=1\n");
  delta = 0.1;
  EXPECT_EQ(Shown(10), (std::vector<int>{0, 1, 2, 3, 3, 2, 1, 0, 0, 1}));
  EXPECT_TRUE(Log().empty());
}

TEST_F(AnimationTest, TopDownRowsAndOverdraw) {
  TQGUI_Element& e = Animated("frames=8\nfps=10\nwidth=16\nheight=16\nbottomleftorder=0\n");
  e.SetBounds(0, 0, 8, 8);
  e.overdraw = true;
  delta = 0.1;
  Quad first = Frame()[0];
  EXPECT_EQ(first.v, 0.5f);  // frame 0 is in the top row
  EXPECT_EQ(Window(first), (Rect{0, 0, 16, 16}));
  for (int i = 0; i < 3; ++i) Frame();
  EXPECT_EQ(Frame()[0].v, 0.0f);  // frame 4 starts the second row
}

TEST_F(AnimationTest, BrokenAnimationsDrawTheWholeImage) {
  for (const char* anim : {"frames=0\n", "frames=4\nwidth=128\n", "frames=4\nwidth=0\n", "frames=4\nfps=0\n"}) {
    TQGUI_Element& e = Animated(anim);
    delta = 0.5;
    std::vector<Quad> quads = Frame();
    ASSERT_EQ(quads.size(), 1u) << anim;
    if (std::string(anim).find("fps=0") == std::string::npos) {
      EXPECT_EQ(TexWindow(quads[0]), (Rect{0, 0, 1, 1})) << anim;
    }
    EXPECT_EQ(TexWindow(Frame()[0]), TexWindow(quads[0])) << anim;
    gui->Delete(e);
  }
}

TEST_F(AnimationTest, AnElementMayDeleteItselfWhenItsAnimationEnds) {
  TQGUI_Element& e = Animated("frames=2\nfps=10\nwidth=16\nheight=16\n");
  e.animLoop = false;
  e.SetCallback(CALLBACK_ANIMEND, "delete_element(%id)");
  Panel(0, 0, 4, 4, e.id);
  delta = 1;
  Frame();
  EXPECT_TRUE(desktop->Children().empty());
  EXPECT_EQ(gui->PendingDeletes(), 0u);
  EXPECT_TRUE(Frame().empty());
}

class TextDrawingTest : public ElementDrawingTest {
 protected:
  TQGUI_Element& Text() {
    TQGUI_Element& e = Panel(0, 0, 200, 40);
    e.SetFontSpec("Tahoma_70_Fixed_16_2.DFF;0.5");
    EXPECT_TRUE(e.LoadFont());
    return e;
  }
  std::vector<Quad> Draw(TQGUI_Element& e, std::u16string_view text, std::string_view runs,
                         const TQGUIColour& colour = {1, 1, 1, 1}) {
    renderer.quads.clear();
    e.DrawTextLine(text, runs, 10, 20, 0.5f, colour);
    return renderer.quads;
  }
};

TEST_F(TextDrawingTest, ColourRunsColourTheirCharacters) {
  TQGUI_Element& e = Text();
  const std::string runs = std::string("\x01\0\0\0\x01", 5) + std::string("\x02\0\0\xff\0", 5);
  std::vector<Quad> quads = Draw(e, u"xyz", runs, {1, 0, 0, 1});
  ASSERT_EQ(quads.size(), 3u);
  EXPECT_EQ(quads[0].colour, (Colour{1, 0, 0, 0.5f}));  // the default colour
  EXPECT_EQ(quads[1].colour, (Colour{0, 0, 1, 0.5f}));
  EXPECT_EQ(quads[2].colour, (Colour{0, 0, 1, 0.5f}));
  EXPECT_LT(quads[0].x, quads[1].x);
  EXPECT_EQ(quads[0].type, 4);  // distance-field text

  // Without runs the whole line takes the given colour; runs longer than the text stop at its end.
  quads = Draw(e, u"ab", std::string("\xff\0\xff\0\0", 5));
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[1].colour, (Colour{0, 1, 0, 0.5f}));
}

TEST_F(TextDrawingTest, ShadowUnderlineStrikeThroughAndBackBox) {
  TQGUI_Element& e = Text();
  const int lineHeight = e.font.font->LineHeight();
  const int width = e.font.font->TextWidth(u"ab", 0);
  std::vector<Quad> plain = Draw(e, u"ab", "");
  e.shadowText = true;
  e.font.style = STYLE_UNDERLINE | STYLE_STRIKETHROUGH;
  e.font.colBack = {0.1f, 0.2f, 0.3f, 0.8f};
  std::vector<Quad> quads = Draw(e, u"ab", "", {0, 1, 0, 1});
  ASSERT_EQ(quads.size(), 7u);
  EXPECT_EQ(Window(quads[0]), (Rect{9, 20, float(width + 2), float(lineHeight)}));
  EXPECT_EQ(quads[0].colour, (Colour{0.1f, 0.2f, 0.3f, 0.4f}));
  // Shadow: black, one pixel left and down.
  EXPECT_EQ(quads[1].colour, (Colour{0, 0, 0, 0.5f}));
  EXPECT_EQ(quads[1].x, plain[0].x - 1);
  EXPECT_EQ(quads[1].y, plain[0].y - 1);
  EXPECT_EQ(quads[3].x, plain[0].x);
  EXPECT_EQ(Window(quads[5]), (Rect{9, float(20 + lineHeight + 1), float(width + 2), 1}));
  EXPECT_EQ(Window(quads[6]), (Rect{9, float(20 + lineHeight / 2), float(width + 2), 1}));
  EXPECT_EQ(quads[6].colour, (Colour{0, 1, 0, 0.5f}));
}

TEST_F(TextDrawingTest, OutlinesCharGapAndRenderingParameters) {
  TQGUI_Element& e = Text();
  std::vector<Quad> plain = Draw(e, u"ab", "");
  const long double ownParam = e.font.font->RenderParam1;
  e.SetFontSpec("Tahoma_70_Fixed_16_2.DFF;0.5;0.2;0.6;5");
  EXPECT_EQ(e.font.charGap, 5);
  e.font.style = STYLE_OUTLINE | STYLE_OUTLINE2;
  std::vector<Quad> quads = Draw(e, u"ab", "");
  ASSERT_EQ(quads.size(), 4u);
  // The second outline draws each character first in black with the raised threshold.
  EXPECT_EQ(quads[0].colour, (Colour{0, 0, 0, 0.5f}));
  EXPECT_FLOAT_EQ(quads[0].ud[1], 0.4f);
  EXPECT_FLOAT_EQ(quads[1].ud[0], 0.2f);
  EXPECT_FLOAT_EQ(quads[1].ud[1], 0.6f);
  EXPECT_EQ(quads[1].udi[0], 1);
  EXPECT_EQ(quads[3].x - quads[1].x, plain[1].x - plain[0].x + 5);
  EXPECT_EQ(renderer.quads.size(), 4u);
  EXPECT_EQ(e.font.font->CharGap, 0);
  EXPECT_EQ(e.font.font->RenderParam1, ownParam);  // the font's own parameters are back
}

TEST_F(TextDrawingTest, FontSpecsWithGarbageFallBackToDefaults) {
  TQGUI_Element& e = Panel(0, 0, 10, 10);
  e.SetFontSpec("Tahoma_70_Fixed_16_2.DFF;abc;1e999;nan;-5");
  EXPECT_EQ(e.font.name, "Tahoma_70_Fixed_16_2.DFF");
  EXPECT_EQ(e.font.scale, 1.0L);
  EXPECT_EQ(e.font.param1, 0);
  EXPECT_EQ(e.font.param2, 0);
  EXPECT_EQ(e.font.charGap, 0);
  e.SetFontSpec("Tahoma_70_Fixed_16_2.DFF;1e300");
  EXPECT_EQ(e.font.scale, 64.0L);
  e.SetFontSpec("no such font;0.5");
  EXPECT_FALSE(e.LoadFont());
  EXPECT_EQ(e.font.name, "no such font.zqf");
  e.DrawTextLine(u"text", "", 0, 0, 1);
  EXPECT_TRUE(renderer.quads.empty());
  e.SetFontSpec("");
  EXPECT_FALSE(e.LoadFont());
}
