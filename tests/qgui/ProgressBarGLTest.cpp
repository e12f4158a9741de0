#include "QGUI/ProgressBar.h"
#include "WidgetGLFixture.h"

namespace {

using ProgressBarGLTest = WidgetGLTest;

TEST_F(ProgressBarGLTest, AHalfFullBarFillsItsLeftHalfInsideTheBevel) {
  auto& bar = static_cast<TQGUI_ProgressBar&>(Make(TYPE_PROGRESSBAR, 10, 40, 102, 20));
  bar.col1 = {0, 0, 1, 1};
  bar.col2 = {0, 1, 0, 1};
  bar.bevelCol1 = {1, 1, 1, 1};
  bar.bevelCol2 = {1, 1, 1, 1};
  bar.SetProgress(50);
  Draw();
  // Bevel at x 10 and 111, fill over x 11..60 (50 of the 100 inner pixels), body after.
  for (int x : {11, 35, 60}) EXPECT_TRUE(Near(At(x, 50), {0, 255, 0, 255})) << x;
  for (int x : {61, 90, 110}) EXPECT_TRUE(Near(At(x, 50), {0, 0, 255, 255})) << x;
  EXPECT_TRUE(Near(At(10, 50), {255, 255, 255, 255}));
  EXPECT_TRUE(Near(At(35, 40), {255, 255, 255, 255}));
  EXPECT_TRUE(Near(At(35, 41), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(At(35, 58), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(At(35, 59), {255, 255, 255, 255}));

  bar.SetProgress(0);
  Draw();
  EXPECT_TRUE(Near(At(35, 50), {0, 0, 255, 255}));
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

}  // namespace
