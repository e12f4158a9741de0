#include "QGUI/Label.h"
#include "TextGLFixture.h"
#include "font/FontBase.h"

namespace {

bool Reddish(TextGLTest::Pixel p) { return p[0] > 150 && p[1] < 90; }
bool Greenish(TextGLTest::Pixel p) { return p[1] > 150 && p[0] < 90; }

TEST_F(TextGLTest, AColourCodeColoursTheTextAfterIt) {
  auto& label = Make<TQGUI_Label>(TYPE_LABEL);
  label.SetFontSpec("Trebuchet MS_70_Fixed_16_2.DFF;0.6");
  label.x = 2;
  label.y = 10;
  label.w = 124;
  label.font.col = {0, 1, 0, 1};
  label.SetText(u"HH#C0000FFHH");
  Draw();
  ASSERT_NE(label.font.font, nullptr);
  const int split = 2 + 4 + label.font.font->TextWidth(u"HH", 0);
  const int end = 2 + 4 + label.font.font->TextWidth(u"HHHH", 0);
  const int top = label.y, bottom = label.y + label.h;
  ASSERT_LT(end, kSize);
  // Green strokes before the code and red after it, never the other way round.
  EXPECT_GT(Count(0, top, split, bottom, Greenish), 40);
  EXPECT_EQ(Count(0, top, split, bottom, Reddish), 0);
  EXPECT_GT(Count(split, top, end + 2, bottom, Reddish), 40);
  EXPECT_EQ(Count(split, top, kSize, bottom, Greenish), 0);
  // Nothing outside the line: the body of a label is transparent.
  EXPECT_EQ(Count(0, 0, kSize, top - 2, [](Pixel p) { return !Near(p, kClear); }), 0);
  EXPECT_EQ(Count(0, bottom + 2, kSize, kSize, [](Pixel p) { return !Near(p, kClear); }), 0);
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

TEST_F(TextGLTest, AScissoredLabelClipsItsLinesToTheBorder) {
  auto& label = Make<TQGUI_Label>(TYPE_LABEL);
  label.SetFontSpec("Trebuchet MS_70_Fixed_16_2.DFF;0.6");
  label.SetBounds(10, 10, 100, 40);
  label.vAlign = ALIGN_TOP;
  label.scissor = true;
  label.scissorBorder = 6;
  label.font.col = {1, 1, 1, 1};
  std::u16string text;
  for (int i = 0; i < 50; ++i) text += u"MMMMMMMMMMMM\r";
  label.SetText(text);
  Draw();
  auto lit = [](Pixel p) { return p[0] > 120; };
  EXPECT_GT(Count(16, 16, 104, 44, lit), 200);
  EXPECT_EQ(Count(0, 0, kSize, 16, lit), 0);
  EXPECT_EQ(Count(0, 44, kSize, kSize, lit), 0);
  EXPECT_EQ(Count(104, 0, kSize, kSize, lit), 0);
  EXPECT_EQ(Count(0, 0, 16, kSize, lit), 0);
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

}  // namespace
