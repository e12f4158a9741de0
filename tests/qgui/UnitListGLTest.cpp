#include <vector>

#include "QGUI/UnitList.h"
#include "WidgetGLFixture.h"

TEST_F(WidgetGLTest, AUnitListCellShowsItsPictureBackgroundAndBar) {
  std::vector<uint8_t> yellow(4 * 4 * 4, 255);
  for (size_t i = 2; i < yellow.size(); i += 4) yellow[i] = 0;
  const GLuint picture = ctx.gl().CreateTexture(4, 4, GL_RGBA, GL_RGBA, yellow.data(), false, true);
  auto& list = static_cast<TQGUI_UnitList&>(Make(TYPE_UNITLIST, 0, 0, 100, 100));
  TQGUI_UnitListHooks hooks;
  // One 40 x 30 cell: spacing (100 - 46) / 2 = 27, so its origin is (27, 0).
  hooks.getLayout = [](int32_t, TQGUI_UL_Layout& layout) { layout = {1, 1, 40, 30, 0, 0, 1, false}; };
  hooks.getCellData = [&](int32_t, int32_t, TQGUI_UL_UpdateUnitData& data) {
    data.texture = picture;
    data.showBackground = true;
    data.backgroundColour = {0, 0, 1, 1};
    data.bar1Value = 0.5f;
    data.bar1Colour = {0, 1, 0, 1};
  };
  list.InstallHooks(hooks, 0);
  Draw();
  const int x = 27, y = 0;
  EXPECT_TRUE(Near(At(x + 3, y + 3), {255, 255, 0, 255}));
  EXPECT_TRUE(Near(At(x + 42, y + 32), {255, 255, 0, 255}));
  EXPECT_TRUE(Near(At(x + 2, y + 10), {0, 0, 255, 255}));  // the background's one-pixel rim
  EXPECT_TRUE(Near(At(x + 43, y + 10), {0, 0, 255, 255}));
  EXPECT_TRUE(Near(At(x + 1, y + 10), kClear));
  // The bar strip below: green for half the cell, black after.
  EXPECT_TRUE(Near(At(x + 5, y + 35), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(At(x + 22, y + 36), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(At(x + 30, y + 35), {0, 0, 0, 255}));
  EXPECT_TRUE(Near(At(x + 30, y + 39), kClear));
  ctx.gl().DeleteTexture(picture);
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}
