#include "QGUI/ScrollBox.h"
#include "WidgetGLFixture.h"

TEST_F(WidgetGLTest, AScrolledScrollBoxClipsItsShiftedChildren) {
  auto& box = static_cast<TQGUI_ScrollBox&>(Make(TYPE_SCROLLBOX, 10, 10, 60, 60));
  box.col1 = {0, 0, 1, 1};
  Make(TYPE_ELEMENT, 0, 0, 40, 30, box.id).col1 = {1, 0, 0, 1};
  Make(TYPE_ELEMENT, 0, 30, 40, 200, box.id).col1 = {0, 1, 0, 1};
  Make(TYPE_ELEMENT, 70, 0, 40, 40, box.id).col1 = {1, 1, 0, 1};  // right of the box
  box.scrollY = 20;
  box.scrollX = 5;
  Draw();
  // The red child's last 10 rows, then green down to the box's bottom edge.
  EXPECT_TRUE(Near(At(20, 12), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(At(20, 19), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(At(20, 20), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(At(20, 69), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(At(20, 75), kClear));
  // Shifted left by 5: the box's own body shows right of the children; the yellow one
  // starts at 10 + 70 - 5 = 75, outside the clip.
  EXPECT_TRUE(Near(At(10 + 36, 40), {0, 0, 255, 255}));
  EXPECT_TRUE(Near(At(10 + 34, 40), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(At(68, 40), {0, 0, 255, 255}));
  EXPECT_TRUE(Near(At(80, 20), kClear));
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}
