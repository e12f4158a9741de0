#include <gtest/gtest.h>

#include "QGUI/ImageButton.h"
#include "WidgetTestSupport.h"
#include "font/FontBase.h"

namespace {

class ImageButtonTest : public WidgetTest {
 protected:
  // A button without text at (20, 30), 100 x 50.
  TQGUI_ImageButton& Button() {
    auto& button = MakeAs<TQGUI_ImageButton>(TYPE_IMAGEBUTTON);
    button.SetBounds(20, 30, 100, 50);
    button.SetText(u"");
    return button;
  }
  // Three 28-pixel state frames in one column, the way button strips are drawn.
  void Strip(const std::string& name, int width) {
    WriteInterfaceFile(name, SolidPng(width, 84));
    WriteInterfaceFile(name + ".anim", "width=" + std::to_string(width) + "\nheight=28\n");
  }
  TQGUI_ImageButton& ThreePieces() {
    Strip("left.png", 10);
    Strip("middle.png", 4);
    Strip("right.png", 10);
    TQGUI_ImageButton& button = Button();
    button.SetTexture("left.png");
    button.SetSlotTexture(SLOT_TEXTURE2, "middle.png");
    button.SetSlotTexture(SLOT_TEXTURE3, "right.png");
    return button;
  }
  static constexpr float kThird = 28.0f / 84;
};

TEST_F(ImageButtonTest, ThreePiecesStretchTheMiddleAndFollowTheState) {
  TQGUI_ImageButton& button = ThreePieces();
  button.col1 = {1, 0.5f, 0.25f, 0.5f};
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 3u);
  EXPECT_EQ(Window(quads[0]), (Rect{20, 30, 10, 28}));
  EXPECT_EQ(Window(quads[1]), (Rect{30, 30, 80, 28}));
  EXPECT_EQ(Window(quads[2]), (Rect{110, 30, 10, 28}));
  EXPECT_EQ(button.h, 28);  // the middle piece's frame height
  for (const Quad& q : quads) {
    EXPECT_FLOAT_EQ(q.v, 2 * kThird);  // normal: frame 2, the top row of the strip
    EXPECT_FLOAT_EQ(q.dv, kThird);
    EXPECT_EQ(q.du, 1);
    EXPECT_EQ(q.colour, (Colour{1, 0.5f, 0.25f, 0.5f}));
    EXPECT_FALSE(q.grayscale);
  }
  EXPECT_NE(quads[0].texture, quads[1].texture);

  gui->MouseMove(25, 35);
  EXPECT_FLOAT_EQ(Frame()[1].v, kThird);
  gui->MouseDown(0, 25, 35);
  EXPECT_FLOAT_EQ(Frame()[2].v, 0);
  gui->MouseUp(0, 25, 35);

  button.SetWidth(15);  // narrower than both caps: no middle
  quads = Frame();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(Window(quads[1]), (Rect{25, 30, 10, 28}));
}

TEST_F(ImageButtonTest, DisabledItShowsTheNormalFrameInGrey) {
  TQGUI_ImageButton& button = ThreePieces();
  button.textureBlend = false;
  gui->MouseMove(25, 35);
  gui->MouseDown(0, 25, 35);
  button.SetDisabled(true);
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 3u);
  for (const Quad& q : quads) {
    EXPECT_TRUE(q.grayscale);
    EXPECT_FALSE(q.blend);
    EXPECT_FLOAT_EQ(q.v, 2 * kThird);
  }
  EXPECT_TRUE(renderer.blend);
  renderer.DrawQuad(0, 0, 1, 1, 0, 0, 1, 1);
  EXPECT_FALSE(renderer.quads.back().grayscale);  // switched off after the button

  button.SetDisabled(false);
  desktop->SetDisabled(true);  // a disabled ancestor does not grey it
  EXPECT_FALSE(Frame()[0].grayscale);
}

TEST_F(ImageButtonTest, OneImageShowsItsStateCellInsetByAQuarterTexel) {
  WriteInterfaceFile("button.png", SolidPng(96, 84));
  WriteInterfaceFile("button.png.anim", "width=96\nheight=28\n");
  TQGUI_ImageButton& button = Button();
  button.SetTexture("button.png");
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(Window(quads[0]), (Rect{20, 30, 100, 28}));
  EXPECT_FLOAT_EQ(quads[0].u, 0.25f / 96);
  EXPECT_FLOAT_EQ(quads[0].v, 2 * kThird + 0.25f / 84);
  EXPECT_FLOAT_EQ(quads[0].du, 1 - 0.5f / 96);
  EXPECT_FLOAT_EQ(quads[0].dv, kThird - 0.5f / 84);
  button.SetDisabled(true);
  EXPECT_TRUE(Frame()[0].grayscale);

  // Cells side by side: hover is the second column.
  WriteInterfaceFile("row.png", SolidPng(96, 28));
  WriteInterfaceFile("row.png.anim", "width=32\nheight=28\n");
  button.SetDisabled(false);
  button.SetTexture("row.png");
  gui->MouseMove(25, 35);
  quads = Frame();
  EXPECT_FLOAT_EQ(quads[0].u, 1.0f / 3 + 0.25f / 96);
  EXPECT_FLOAT_EQ(quads[0].v, 0.25f / 28);

  WriteInterfaceFile("plain.png", SolidPng(8, 8));
  button.SetTexture("plain.png");  // without frames: the whole image over the button
  button.SetHeight(40);
  quads = Frame();
  EXPECT_EQ(Window(quads[0]), (Rect{20, 30, 100, 40}));
  EXPECT_EQ(TexWindow(quads[0]), (Rect{0, 0, 1, 1}));
}

TEST_F(ImageButtonTest, AnImageThatSizesTheButtonKeepsItsHeightAgainstTheFont) {
  WriteInterfaceFile("tall.png", SolidPng(96, 180));
  WriteInterfaceFile("tall.png.anim", "width=96\nheight=60\n");
  auto& button = MakeAs<TQGUI_ImageButton>(TYPE_IMAGEBUTTON);
  button.SetBounds(0, 0, 0, 0);
  button.SetTexture("tall.png");
  button.SetText(u"OK");
  RenderFrame();
  ASSERT_NE(button.font.font, nullptr);
  ASSERT_LT(button.font.font->LineHeight(), 60);
  EXPECT_EQ(button.GetBounds(), (TQGUIRect{0, 0, 96, 60}));
  RenderFrame();
  EXPECT_EQ(button.h, 60);
  EXPECT_TRUE(button.HitTest(50, 55));
}

TEST_F(ImageButtonTest, WithoutAUsableImageItDrawsAFlatBody) {
  Strip("middle.png", 4);
  TQGUI_ImageButton& button = Button();
  button.col1 = {0, 0, 1, 0.5f};
  button.bevel = true;
  button.gradient = true;
  button.borderType = 1;
  button.borderColour = {1, 0, 0, 1};
  button.SetSlotTexture(SLOT_TEXTURE2, "middle.png");
  button.SetSlotTexture(SLOT_TEXTURE3, "middle.png");
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 9u);  // body, four border quads, four bevel lines
  EXPECT_EQ(Window(quads[0]), (Rect{20, 30, 100, 50}));
  EXPECT_EQ(quads[0].colour, (Colour{0, 0, 1, 0.5f}));
  EXPECT_EQ(quads[0].texture, renderer.whiteTexture);
  EXPECT_EQ(quads[1].colour, (Colour{1, 0, 0, 1}));

  button.SetTexture("missing.png");  // three names, one of them missing
  EXPECT_EQ(Frame().size(), 9u);
  button.SetSlotTexture(SLOT_TEXTURE3, "");  // the main texture and texture 2 only
  button.SetTexture("middle.png");
  EXPECT_EQ(Frame()[0].texture, renderer.whiteTexture);

  auto& empty = MakeAs<TQGUI_ImageButton>(TYPE_IMAGEBUTTON);
  empty.SetText(u"");
  empty.SetBounds(0, 0, 0, 0);
  gui->Delete(button);
  EXPECT_TRUE(Frame().empty());
}

TEST_F(ImageButtonTest, FramesLargerThanTheirImagesStaySound) {
  WriteInterfaceFile("small.png", SolidPng(6, 9));
  WriteInterfaceFile("small.png.anim", "width=4000\nheight=90000\n");
  TQGUI_ImageButton& button = Button();
  button.SetTexture("small.png");
  button.SetSlotTexture(SLOT_TEXTURE2, "small.png");
  button.SetSlotTexture(SLOT_TEXTURE3, "small.png");
  gui->MouseMove(25, 35);
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 3u);
  for (const Quad& q : quads) {
    EXPECT_EQ(Window(q)[3], 9);
    EXPECT_EQ(TexWindow(q), (Rect{0, 1, 1, 1}));  // hover's row wraps onto the one cell
  }
  button.SetSlotTexture(SLOT_TEXTURE2, "");
  button.SetSlotTexture(SLOT_TEXTURE3, "");
  quads = Frame();
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_FLOAT_EQ(quads[0].u, 0.25f / 6);
  EXPECT_FLOAT_EQ(quads[0].du, 1 - 0.5f / 6);
}

}  // namespace
