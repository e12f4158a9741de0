#include "QGUI/Listbox.h"
#include "WidgetGLFixture.h"

TEST_F(WidgetGLTest, AListBoxHighlightsItsSelectedRowAndDrawsEachLineInItsColour) {
  auto& list = static_cast<TQGUI_Listbox&>(Make(TYPE_LISTBOX, 4, 4, 120, 100));
  list.col1 = {0, 0, 0, 1};
  list.highlightCol = {0, 1, 0, 1};
  list.font.col = {1, 1, 1, 1};
  list.font.colOver = {1, 0, 0, 1};
  list.SetText(u"MMMM\rMMMM\rMMMM");
  list.SetItemIndex(1);
  Draw();
  const int rh = list.RowHeight();
  ASSERT_GT(rh, 8);
  const int row1 = 4 + rh + 1;  // row tops in the window
  // Right of the text the selected row is the highlight, the others the black body.
  EXPECT_TRUE(Near(At(115, row1 + rh / 2), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(At(115, 4 + 1 + rh / 2), {0, 0, 0, 255}));
  EXPECT_TRUE(Near(At(115, row1 + rh + rh / 2), {0, 0, 0, 255}));
  EXPECT_TRUE(Near(At(4, row1 + rh / 2), {22, 22, 22, 255}));  // the bevel line is not filled over
  auto red = [](Pixel p) { return p[0] > 180 && p[1] < 90 && p[2] < 90; };
  auto white = [](Pixel p) { return p[0] > 180 && p[1] > 180 && p[2] > 180; };
  // The selected line is red text, the others white; each only inside its own row.
  EXPECT_GT(Count(8, row1, 100, rh, red), 40);
  EXPECT_EQ(Count(8, row1, 100, rh, white), 0);
  EXPECT_GT(Count(8, 5, 100, rh, white), 40);
  EXPECT_EQ(Count(8, 5, 100, rh, red), 0);
  EXPECT_GT(Count(8, row1 + rh, 100, rh, white), 40);
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}
