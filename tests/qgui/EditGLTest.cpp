#include "QGUI/Edit.h"
#include "TextGLFixture.h"
#include "font/FontBase.h"

namespace {

TEST_F(TextGLTest, AnEditShowsItsSelectionAndCaret) {
  auto& edit = Make<TQGUI_Edit>(TYPE_EDIT);
  edit.SetFontSpec("Trebuchet MS_70_Fixed_16_2.DFF;0.6");
  edit.x = 4;
  edit.y = 30;
  edit.w = 120;
  edit.font.col = {0, 1, 0, 1};
  edit.SetText(u"HHHH");
  edit.selectionAnchor = 1;
  edit.selectionEnd = 3;
  edit.caret = 4;
  gui->keyboardFocus = &edit;
  now = 1500;  // the top of the blink
  Draw();
  TOGL_Font_Base& f = *edit.font.font;
  const int lh = f.LineHeight();
  const int top = edit.y + edit.h / 2 - lh / 2;
  const int selLeft = 4 + f.TextWidth(u"H", 0) + 3, selRight = 4 + f.TextWidth(u"HHH", 0) + 3;
  const int caretX = 4 + f.TextWidth(u"HHHH", 0) + 3;
  ASSERT_LT(caretX + 2, kSize);

  // The selection tints the background a quarter of the way to light grey.
  const Pixel tinted{91, 91, 103, 255};
  auto isTinted = [&](Pixel p) { return Near(p, tinted, 6); };
  EXPECT_GT(Count(selLeft, top, selRight, top + lh, isTinted), (selRight - selLeft) * lh / 4);
  EXPECT_EQ(Count(0, 0, selLeft - 1, kSize, isTinted), 0);
  EXPECT_EQ(Count(selRight + 1, 0, kSize, kSize, isTinted), 0);
  EXPECT_EQ(Count(0, 0, kSize, top - 1, isTinted), 0);
  // A two-pixel caret one line high in the text colour, right of the last letter.
  auto green = [](Pixel p) { return p[1] > 200 && p[0] < 60; };
  EXPECT_GE(Count(caretX, top, caretX + 2, top + lh, green), 2 * lh - 2);
  EXPECT_EQ(Count(caretX + 3, 0, kSize, kSize, green), 0);
  EXPECT_EQ(Count(caretX, 0, caretX + 2, top - 1, green), 0);

  // Half a second on, the blink is at its lowest: no caret.
  now = 2000;
  Draw();
  EXPECT_EQ(Count(caretX, top, caretX + 2, top + lh, green), 0);
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

}  // namespace
