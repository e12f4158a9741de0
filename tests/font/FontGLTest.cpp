// Text drawn through the real quad program on a headless context, read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FontBuilder.h"
#include "FontWriter.h"
#include "GLTestContext.h"
#include "font/FontManager.h"

namespace {

constexpr int kWidth = 400, kHeight = 200;
const char* kTrebuchet = "\\fonts\\Trebuchet MS_70_Fixed_16_2.DFF";

struct Box {
  int left = kWidth, top = kHeight, right = -1, bottom = -1;  // top-down, inclusive
  int count = 0;
  bool Empty() const { return count == 0; }
};

// Pixels whose red channel stands well above the background's, in top-down coordinates.
Box Ink(GLTestContext& ctx, int threshold = 130) {
  std::vector<uint8_t> pixels = ctx.Pixels();
  Box box;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (pixels[(size_t(y) * kWidth + x) * 4] < threshold) continue;
      const int top = kHeight - 1 - y;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, top);
      box.bottom = std::max(box.bottom, top);
      ++box.count;
    }
  }
  return box;
}

class FontGLTest : public testing::Test {
 protected:
  FontGLTest() : ctx_(kWidth, kHeight) {}

  void Begin() {
    ctx_.gl().Clear(GL_COLOR_BUFFER_BIT);
    ctx_.gl().SetBlend(true);
    ctx_.gl().Begin2D(0, 0);
  }

  GLTestContext ctx_;
  TOGL_Font_Manager fonts_;
};

}  // namespace

TEST_F(FontGLTest, ALineCoversItsBoxAtEveryScaleWithItsTopAtY) {
  const std::u16string text = u"Hxg Hxg";
  int widthAtOne = 0;
  for (long double scale : {0.5L, 1.0L, 2.0L}) {
    SCOPED_TRACE(double(scale));
    TOGL_Font_Base* font = fonts_.GetFont(kTrebuchet, scale);
    ASSERT_NE(font, nullptr);
    Begin();
    font->SetColour(1, 1, 1, 1);
    const int x = 20, y = 30;
    const int width = font->DrawText(text, x, y);
    EXPECT_EQ(width, font->TextWidth(text, 0));
    Box ink = Ink(ctx_);
    ASSERT_FALSE(ink.Empty());
    // The ink stays inside the line box, starts near the pen and fills most of the width.
    EXPECT_GE(ink.top, y - 1);
    EXPECT_LE(ink.bottom, y + font->LineHeight());
    EXPECT_GE(ink.left, x - 2);
    EXPECT_LE(ink.right, x + width);
    EXPECT_GT(ink.right - ink.left, width * 8 / 10);
    // Capitals reach up to the top part of the line, "g" down into its lower part.
    EXPECT_LT(ink.top, y + font->LineHeight() / 3);
    EXPECT_GT(ink.bottom, y + font->LineHeight() * 2 / 3);
    if (scale == 1.0L) widthAtOne = ink.right - ink.left;
    if (scale == 2.0L) {
      EXPECT_NEAR(ink.right - ink.left, 2 * widthAtOne, widthAtOne / 10);
    }
  }
  EXPECT_EQ(ctx_.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FontGLTest, ColourAndAlphaApplyToTheGlyphs) {
  TOGL_Font_Base* font = fonts_.GetFont(kTrebuchet, 2.0L);
  ASSERT_NE(font, nullptr);
  Begin();
  font->SetColour(1, 0, 0, 0.5f);
  font->DrawText(u"llll", 20, 20);
  std::vector<uint8_t> pixels = ctx_.Pixels();
  int solid = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) {
    // Never more than half of pure red over the background (58, 58, 73): (156, 29, 37).
    ASSERT_LE(pixels[i], 159);
    ASSERT_LE(pixels[i + 1], 60);
    if (pixels[i] < 153) continue;  // glyph edges
    EXPECT_NEAR(pixels[i + 1], 29, 3);
    EXPECT_NEAR(pixels[i + 2], 37, 3);
    ++solid;
  }
  EXPECT_GT(solid, 4 * 8 * 40);  // four stems, several pixels wide, most of the line tall
}

TEST_F(FontGLTest, EdgesStaySharpWhenEnlargedAndOutlinesAreDark) {
  for (long double scale : {0.5L, 1.0L, 4.0L}) {
    SCOPED_TRACE(double(scale));
    TOGL_Font_Base* font = fonts_.GetFont(kTrebuchet, scale);
    Begin();
    font->SetColour(1, 1, 1, 1);
    font->DrawText(u"l", 20, 10);
    // Along a row through the stem, partly covered pixels: at most one or two per edge.
    std::vector<uint8_t> pixels = ctx_.Pixels();
    const int row = kHeight - 1 - (10 + font->LineHeight() / 2);
    int partial = 0, full = 0;
    for (int x = 0; x < kWidth; ++x) {
      const int red = pixels[(size_t(row) * kWidth + x) * 4];
      if (red > 250) ++full;
      if (red > 80 && red < 230) ++partial;
    }
    EXPECT_LE(partial, 4);
    EXPECT_GE(full, int(scale * 2));
  }
  TOGL_Font_Base* font = fonts_.GetFont(kTrebuchet, 1.5L);
  Begin();
  font->SetOutline(true);
  font->SetColour(1, 1, 1, 1);
  font->DrawText(u"O", 20, 10);
  font->SetOutline(false);
  std::vector<uint8_t> pixels = ctx_.Pixels();
  int dark = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) dark += pixels[i] < 20;
  EXPECT_GT(dark, 100);  // the rim, darker than the background
}

TEST(FontGL, BothQuadProgramsDrawTheSameText) {
  std::vector<uint8_t> modern, legacy;
  for (bool gl2 : {false, true}) {
    GLTestContext ctx(kWidth, kHeight);
    if (gl2) {
      // As a GL 2 driver reports itself: quad120 and three-channel font pages.
      ctx.gl().version[0] = 2;
      ctx.gl().singleChannelFormat = GL_RGB;
    }
    TOGL_Font_Manager fonts;
    ctx.gl().Clear(GL_COLOR_BUFFER_BIT);
    ctx.gl().SetBlend(true);
    ctx.gl().Begin2D(0, 0);
    for (long double scale : {0.3L, 1.0L}) {
      TOGL_Font_Base* font = fonts.GetFont(kTrebuchet, scale);
      font->SetColour(1, 0.5f, 0, 1);
      font->DrawText(u"Sample text", 10, scale < 1 ? 10 : 40);
    }
    (gl2 ? legacy : modern) = ctx.Pixels();
  }
  ASSERT_EQ(modern.size(), legacy.size());
  int different = 0, ink = 0;
  for (size_t i = 0; i < modern.size(); ++i) different += std::abs(modern[i] - legacy[i]) > 1;
  for (size_t i = 0; i < modern.size(); i += 4) ink += modern[i] > 200;
  EXPECT_EQ(different, 0);
  EXPECT_GT(ink, 200);
}

namespace {

// Text from a quarter to three times its size (0.66 and 0.67 either side of the
// 1.5 texels a pixel where the minified filter starts), plain and outlined, between fills.
void DrawTextAtManyScales(TOGL& gl, TOGL_Font_Manager& fonts) {
  int y = 4;
  for (long double scale : {0.25L, 0.5L, 0.6L, 0.66L, 0.67L, 0.7L, 0.8L, 1.0L, 1.6L, 3.0L}) {
    TOGL_Font_Base* font = fonts.GetFont(kTrebuchet, scale);
    gl.BindTexture(0, gl.whiteTexture);
    gl.SetQuadType(QT_Textured);
    gl.SetColour(0.2f, 0.3f, 0.9f, 0.6f);
    gl.DrawQuad(0, float(y), 30, float(font->LineHeight()), 0, 0, 1, 1);
    font->SetOutline(scale == 0.5L || scale == 1.6L);
    font->SetColour(1, 0.5f, 0.25f, 0.9f);
    font->DrawText(u"Quartz glyph 0.6", 12, y);
    y += font->LineHeight() / 2 + 2;
  }
}

}  // namespace

// The lean program (no minified-text filter) takes every batch it can: it must draw what
// the full program draws, on either GL version's programs.
TEST(FontGL, TheLeanQuadProgramDrawsWhatTheFullOneDraws) {
  constexpr int kW = 640, kH = 480;
  for (bool gl2 : {false, true}) {
    SCOPED_TRACE(gl2 ? "quad120" : "quad130");
    std::vector<uint8_t> pixels[2];
    for (bool lean : {false, true}) {
      GLTestContext ctx(kW, kH);
      if (gl2) ctx.gl().version[0] = 2;
      TOGL_Font_Manager fonts;
      ctx.gl().SetLeanQuadProgram(lean);
      ctx.gl().Clear(GL_COLOR_BUFFER_BIT);
      ctx.gl().SetBlend(true);
      ctx.gl().Begin2D(0, 0);
      DrawTextAtManyScales(ctx.gl(), fonts);
      const int draws = ctx.gl().QuadDrawCalls();
      pixels[lean] = ctx.Pixels();
      const int full = ctx.gl().FullProgramBatches(), batches = ctx.gl().QuadDrawCalls();
      EXPECT_EQ(batches, draws + 1);
      if (lean)
        EXPECT_LT(full, batches) << "text at full size and above left the full program";
      else
        EXPECT_EQ(full, batches);
      EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
    }
    ASSERT_EQ(pixels[0].size(), pixels[1].size());
    int different = 0, ink = 0;
    for (size_t i = 0; i < pixels[0].size(); ++i) different += pixels[0][i] != pixels[1][i];
    for (size_t i = 0; i < pixels[0].size(); i += 4) ink += pixels[0][i] > 150;
    EXPECT_EQ(different, 0);
    EXPECT_GT(ink, 3000);
  }
}

// Only minified text, or text through matrices other than pixel space, takes the full
// program, and it takes the whole batch along without splitting it.
TEST_F(FontGLTest, MinifiedTextTakesItsWholeBatchToTheFullProgram) {
  TOGL& gl = ctx_.gl();
  for (long double scale : {0.3L, 1.0L, 2.0L}) fonts_.GetFont(kTrebuchet, scale);  // pages uploaded
  Begin();
  auto drawn = [&](long double scale) {
    const int full = gl.FullProgramBatches(), draws = gl.QuadDrawCalls();
    gl.BindTexture(0, gl.whiteTexture);
    gl.SetQuadType(QT_Textured);
    gl.DrawQuad(0, 0, 10, 10, 0, 0, 1, 1);
    TOGL_Font_Base* font = fonts_.GetFont(kTrebuchet, scale);
    font->SetColour(1, 1, 1, 1);
    font->DrawText(u"AB 12", 20, 20);  // glyphs of the first page
    gl.BindTexture(0, gl.whiteTexture);
    gl.SetQuadType(QT_Textured);
    gl.DrawQuad(0, 20, 10, 10, 0, 0, 1, 1);
    gl.FlushQuads();
    EXPECT_EQ(gl.QuadDrawCalls(), draws + 1) << double(scale);
    return gl.FullProgramBatches() - full;
  };
  EXPECT_EQ(drawn(1.0L), 0);
  EXPECT_EQ(drawn(2.0L), 0);
  EXPECT_EQ(drawn(0.3L), 1);
  EXPECT_EQ(drawn(1.0L), 0) << "the next batch goes back to the lean program";
  gl.model[12] = 5;  // a translation: not pixel space, so the full program decides
  gl.QuadBindShader();
  EXPECT_EQ(drawn(1.0L), 1);
  gl.SetOrtho2D(0, 0);
  gl.QuadBindShader();
  EXPECT_EQ(drawn(1.0L), 0);
  EXPECT_EQ(ctx_.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FontGLTest, PlainCoverageFontsDrawCrispAtScaleOne) {
  TOGL_Font_Base* font = fonts_.GetFont("\\fonts\\trebuchet ms H20Wdefault.zqf", 1.0L);
  ASSERT_NE(font, nullptr);
  EXPECT_FALSE(font->IsDistanceField);
  EXPECT_EQ(font->LineHeight(), 24);
  Begin();
  font->SetColour(1, 1, 1, 1);
  font->DrawText(u"IIII", 10, 10);
  Box ink = Ink(ctx_, 250);
  // A hinted stem at scale 1 has fully covered pixels, one column per stem at least.
  EXPECT_GE(ink.count, 4 * 10);
  EXPECT_GE(ink.top, 9);
}

TEST_F(FontGLTest, ABitmapFontWithoutExtensionDrawsThroughTheBitmapLoader) {
  TBuildOptions options;
  options.pixelSize = 20;
  options.margin = 0;
  options.distanceField = false;
  TBuiltFont built;
  ASSERT_EQ(BuildFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", options, built), "");
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "zq_font_gl_test_bitmap";
  {
    std::ofstream out(file, std::ios::binary);
    ASSERT_EQ(WriteZQFont(built, true, out), "");
  }
  TOGL_Font_Base* font = fonts_.GetFont(file.string(), 1.0L);
  std::filesystem::remove(file);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->CloneAtScale(2.0L), font);
  font->Release();
  Begin();
  font->SetColour(1, 1, 1, 1);
  const int width = font->DrawText(u"Bitmap", 10, 50);
  Box ink = Ink(ctx_);
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.left, 9);
  EXPECT_LE(ink.right, 10 + width);
  EXPECT_GE(ink.top, 49);
  EXPECT_LE(ink.bottom, 50 + font->LineHeight());
}
