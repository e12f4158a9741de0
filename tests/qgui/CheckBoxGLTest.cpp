#include "QGUI/CheckBox.h"
#include "WidgetGLFixture.h"

namespace {

using CheckBoxGLTest = WidgetGLTest;

TEST_F(CheckBoxGLTest, ACheckedBoxFillsItsInsetMark) {
  auto& box = static_cast<TQGUI_CheckBox&>(Make(TYPE_CHECKBOX, 10, 10, 20, 20));
  box.col1 = {0, 0, 1, 1};
  box.col2 = {1, 1, 0, 1};
  Draw();
  EXPECT_TRUE(Near(At(20, 20), {0, 0, 255, 255}));

  box.SetChecked(true);
  Draw();
  for (auto [x, y] : {std::pair{13, 13}, {26, 26}, {20, 20}, {13, 26}}) {
    EXPECT_TRUE(Near(At(x, y), {255, 255, 0, 255})) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{12, 20}, {27, 20}, {20, 12}, {20, 27}, {10, 10}, {29, 29}}) {
    EXPECT_TRUE(Near(At(x, y), {0, 0, 255, 255})) << x << "," << y;
  }
  EXPECT_TRUE(Near(At(31, 20), kClear));
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

}  // namespace
