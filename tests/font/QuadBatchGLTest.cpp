// Batched quads draw exactly what quads flushed one by one draw, on a headless context.
#include <gtest/gtest.h>

#include "GLTestContext.h"
#include "font/FontManager.h"

namespace {

constexpr int kWidth = 320, kHeight = 200;

// Fills, gradients, a textured quad, text in two fonts with and without outline, more
// colours than one batch has setting entries, and clip changes.
void DrawMixedScene(TOGL& gl, TOGL_Font_Manager& fonts) {
  static const uint8_t kChecker[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128};
  TOGL_Font_Base* trebuchet = fonts.GetFont("\\fonts\\Trebuchet MS_70_Fixed_16_2.DFF", 0.4L);
  TOGL_Font_Base* courier = fonts.GetFont("\\fonts\\Courier New_70_Fixed_16_2.DFF", 0.3L);
  ASSERT_TRUE(trebuchet && courier);
  GLuint checker = gl.CreateTexture(2, 2, GL_RGBA, GL_RGBA, kChecker, false, true);
  gl.Clear(GL_COLOR_BUFFER_BIT);
  gl.SetBlend(true);
  gl.Begin2D(0, 0);
  for (int i = 0; i < 90; ++i) {
    gl.BindTexture(0, gl.whiteTexture);
    gl.SetQuadType(QT_Textured);
    gl.SetColour(i / 90.0f, 1 - i / 90.0f, 0.5f, 0.75f);
    gl.DrawQuad(float(i * 3), 0, 12, 12, 0, 0, 1, 1);
  }
  gl.SetQuadType(QT_Gradient);
  gl.SetColour(1, 0, 0, 1);
  gl.SetColour2(0, 0, 1, 1);
  gl.DrawQuad(0, 20, 60, 40, 0, 0, 1, 1);
  gl.SetQuadType(QT_Textured);
  gl.SetColour(1, 1, 1, 1);
  gl.BindTexture(0, checker);
  gl.DrawQuad(70, 20, 30, 30, 0, 0, 1, 1);
  gl.SetGrayscale(true);
  gl.DrawQuad(105, 20, 30, 30, 0, 0, 1, 1);
  gl.SetGrayscale(false);
  trebuchet->SetColour(1, 1, 0.2f, 1);
  trebuchet->DrawText(u"Batched text, one page", 5, 70);
  trebuchet->SetOutline(true);
  trebuchet->DrawText(u"Outlined", 200, 70);
  trebuchet->SetOutline(false);
  gl.SetScissor(10, 30, 150, 40);
  gl.EnableScissor(true);
  courier->SetColour(0.2f, 1, 1, 1);
  courier->DrawText(u"Clipped Courier over a fill", 0, 120);
  gl.BindTexture(0, gl.whiteTexture);
  gl.SetQuadType(QT_Textured);
  gl.SetColour(1, 1, 1, 0.3f);
  gl.DrawQuad(20, 40, 200, 20, 0, 0, 1, 1);
  gl.SetScissor(100, 0, 60, 200);
  courier->SetColour(1, 0.5f, 0, 1);
  courier->DrawText(u"Another clip", 90, 150);
  gl.EnableScissor(false);
  gl.SetBlend(false);
  trebuchet->SetColour(1, 1, 1, 1);
  trebuchet->DrawText(u"No blend", 200, 180);
  gl.DeleteTexture(checker);
}

}  // namespace

TEST(QuadBatchGL, BatchedQuadsDrawThePixelsOfQuadsFlushedOneByOne) {
  std::vector<uint8_t> batched, single;
  int batchedCalls = 0, singleCalls = 0;
  for (bool each : {false, true}) {
    GLTestContext ctx(kWidth, kHeight);
    TOGL_Font_Manager fonts;
    ctx.gl().SetFlushEveryQuad(each);
    DrawMixedScene(ctx.gl(), fonts);
    (each ? single : batched) = ctx.Pixels();
    (each ? singleCalls : batchedCalls) = ctx.gl().QuadDrawCalls();
    EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
  }
  ASSERT_EQ(batched.size(), single.size());
  size_t different = 0;
  for (size_t i = 0; i < batched.size(); ++i) different += batched[i] != single[i];
  EXPECT_EQ(different, 0u);
  size_t inked = 0;
  for (size_t i = 0; i < batched.size(); i += 4) inked += batched[i] != 58 || batched[i + 2] != 73;
  EXPECT_GT(inked, size_t(kWidth * kHeight / 10)) << "the scene drew something";
  EXPECT_GT(singleCalls, 150);
  EXPECT_LT(batchedCalls * 4, singleCalls);
}

TEST(QuadBatchGL, ARunOfTextFromOnePageIsOneDrawCall) {
  GLTestContext ctx(kWidth, kHeight);
  TOGL_Font_Manager fonts;
  TOGL& gl = ctx.gl();
  // Capitals, digits and blanks all lie on this font's first page.
  TOGL_Font_Base* font = fonts.GetFont("\\fonts\\Courier New_70_Fixed_16_2.DFF", 0.3L);
  ASSERT_NE(font, nullptr);
  gl.Begin2D(0, 0);
  font->SetColour(1, 1, 1, 1);
  const int before = gl.QuadDrawCalls();
  for (int line = 0; line < 10; ++line) font->DrawText(u"THE QUICK BROWN FOX JUMPS 0123456789", 2, 10 + line * 18);
  gl.FlushQuads();
  EXPECT_EQ(gl.QuadDrawCalls() - before, 1);
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}
