#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <vector>

#include "GLTestContext.h"
#include "QGUI/Scissor.h"
#include "QGUI/TextureManager.h"
#include "TestImages.h"
#include "TextureFolder.h"

namespace {

using Pixel = std::array<uint8_t, 4>;

// The texture's texels as GL holds them: row 0 first, red, green, blue, alpha.
std::vector<uint8_t> Texels(GLuint texture, int width, int height) {
  std::vector<uint8_t> texels(size_t(width) * height * 4);
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

Pixel At(const std::vector<uint8_t>& texels, int width, int x, int row) {
  const uint8_t* p = &texels[(size_t(row) * width + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

bool Near(Pixel a, Pixel b) {
  for (int i = 0; i < 4; ++i)
    if (std::abs(a[i] - b[i]) > 6) return false;
  return true;
}

TEST(QGUITexturesGL, TexturesHoldTheImageBottomRowFirstInItsOwnColours) {
  GLTestContext ctx(64, 64);
  TextureFolder folder;
  // 3 x 2: top row red, green, blue; bottom row half-transparent white, black, yellow.
  PngSpec png =
      MakePngSpec(3, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8, false,
                  {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128, 0, 0, 0, 255, 255, 255, 0, 255});
  folder.Write("rgb.png", EncodePNG(png));
  std::vector<uint8_t> halves;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 15; ++x) halves.insert(halves.end(), {uint8_t(y < 8 ? 250 : 0), 0, uint8_t(y < 8 ? 0 : 250)});
  folder.Write("halves.jpg", EncodeJPEG(15, 16, halves, false, false));

  TQGUI_TextureManager manager;
  TQGUITexSlot slot;
  slot.name = "rgb.png";
  manager.LoadTexture(slot);
  ASSERT_NE(slot.texture, 0u);
  std::vector<uint8_t> texels = Texels(slot.texture, 3, 2);
  EXPECT_EQ(At(texels, 3, 0, 0), (Pixel{255, 255, 255, 128}));
  EXPECT_EQ(At(texels, 3, 2, 0), (Pixel{255, 255, 0, 255}));
  EXPECT_EQ(At(texels, 3, 0, 1), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(At(texels, 3, 2, 1), (Pixel{0, 0, 255, 255}));

  // An odd width of 3-byte pixels: rows must not be padded.
  TQGUITexSlot jpeg;
  jpeg.name = "halves.jpg";
  manager.LoadTexture(jpeg);
  ASSERT_NE(jpeg.texture, 0u);
  texels = Texels(jpeg.texture, 15, 16);
  EXPECT_TRUE(Near(At(texels, 15, 14, 0), Pixel{0, 0, 250, 255}));
  EXPECT_TRUE(Near(At(texels, 15, 0, 15), Pixel{250, 0, 0, 255}));

  manager.ReleaseTexture(slot);
  EXPECT_FALSE(glIsTexture(slot.texture));
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

TEST(QGUIScissorGL, NestedScissorsClipWhatIsDrawn) {
  GLTestContext ctx(64, 64);
  TOGL& gl = ctx.gl();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);

  TQGUI_Scissor_Stack stack;
  stack.PushScissor(0, 0, 40, 40);
  stack.PushScissor(20, 20, 40, 40);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  stack.PopScissor();
  gl.Begin2D(0, 0);
  gl.BindTexture(0, gl.whiteTexture);
  gl.SetColour(0, 1, 0, 1);
  gl.DrawQuad(0, 0, 10, 64, 0, 0, 1, 1);
  stack.PopScissor();
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));

  EXPECT_EQ(ctx.Pixel(30, 30), (Pixel{255, 0, 0, 255}));  // inside both
  EXPECT_EQ(ctx.Pixel(45, 30), (Pixel{0, 0, 0, 255}));    // inside the inner one only
  EXPECT_EQ(ctx.Pixel(15, 30), (Pixel{0, 0, 0, 255}));    // inside the outer one only
  EXPECT_EQ(ctx.Pixel(5, 5), (Pixel{0, 255, 0, 255}));    // drawn after the inner pop
  EXPECT_EQ(ctx.Pixel(5, 50), (Pixel{0, 0, 0, 255}));     // beyond the outer one
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

}  // namespace
