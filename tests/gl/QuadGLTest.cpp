#include <gtest/gtest.h>

#include "GLTestContext.h"
#include "MessageRecorder.h"

using Pixel = std::array<uint8_t, 4>;

namespace {

// A 2 x 2 texture: bottom row red, green; top row blue, white (as uploaded, row 0 first).
GLuint Checker(TOGL& gl) {
  const uint8_t texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
  return gl.CreateTexture(2, 2, GL_RGBA, GL_RGBA, texels, false, true);
}

bool Near(Pixel a, Pixel b, int tolerance = 2) {
  for (int i = 0; i < 4; ++i)
    if (std::abs(a[i] - b[i]) > tolerance) return false;
  return true;
}

std::vector<uint8_t> DrawTypes(GLTestContext& ctx) {
  TOGL& gl = ctx.gl();
  gl.Clear(GL_COLOR_BUFFER_BIT);
  gl.SetBlend(true);
  gl.Begin2D(0, 0);
  gl.BindTexture(0, Checker(gl));
  gl.SetColour(1, 1, 0.5f, 1);
  gl.DrawQuad(0, 0, 16, 16, 0, 0, 1, 1);
  gl.BindTexture(0, gl.whiteTexture);
  gl.SetQuadType(3);
  gl.SetColour(1, 0, 0, 1);
  gl.SetColour2(0, 0, 1, 1);
  gl.DrawQuad(16, 0, 16, 32, 0, 0, 1, 1);
  gl.SetQuadType(0);
  gl.SetGrayscale(true);
  gl.SetColour(0, 1, 0, 1);
  gl.DrawQuad(32, 0, 16, 16, 0, 0, 1, 1);
  return ctx.Pixels();
}

}  // namespace

TEST(QuadGL, ATintedTexturedQuadLandsOnItsPixelsCountedFromTheBottom) {
  GLTestContext ctx(64, 64);
  TOGL& gl = ctx.gl();
  gl.Begin2D(0, 0);
  gl.BindTexture(0, Checker(gl));
  gl.SetColour(1, 1, 1, 1);
  gl.DrawQuad(10, 20, 20, 20, 0, 0, 1, 1);
  EXPECT_EQ(ctx.Pixel(12, 22), (Pixel{255, 0, 0, 255}));  // lower left texel
  EXPECT_EQ(ctx.Pixel(27, 22), (Pixel{0, 255, 0, 255}));  // lower right
  EXPECT_EQ(ctx.Pixel(12, 37), (Pixel{0, 0, 255, 255}));  // upper left
  EXPECT_EQ(ctx.Pixel(9, 22), (Pixel{58, 58, 73, 255}));  // outside
  EXPECT_EQ(ctx.Pixel(12, 40), (Pixel{58, 58, 73, 255}));

  gl.SetColour(0.5f, 1, 1, 1);
  gl.DrawQuad(40, 0, 10, 10, 0.5f, 0.5f, 0.5f, 0.5f);  // only the white texel
  EXPECT_TRUE(Near(ctx.Pixel(45, 5), Pixel{128, 255, 255, 255}));
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(QuadGL, QuadTypesFillGradientsAndGrayscale) {
  GLTestContext ctx(64, 64);
  std::vector<uint8_t> pixels = DrawTypes(ctx);
  auto at = [&](int x, int y) {
    const uint8_t* p = &pixels[(y * 64 + x) * 4];
    return Pixel{p[0], p[1], p[2], p[3]};
  };
  EXPECT_TRUE(Near(at(2, 2), Pixel{255, 0, 0, 255}));
  EXPECT_TRUE(Near(at(2, 14), Pixel{0, 0, 128, 255}));
  // Gradient: the first colour on top, the second at the bottom.
  EXPECT_GT(at(24, 30)[0], 230);
  EXPECT_LT(at(24, 30)[2], 25);
  EXPECT_LT(at(24, 1)[0], 25);
  EXPECT_GT(at(24, 1)[2], 230);
  // Grayscale: pure green becomes its luminance.
  Pixel grey = at(40, 8);
  EXPECT_TRUE(Near(grey, Pixel{150, 150, 150, 255}, 3)) << int(grey[0]) << " " << int(grey[1]);
}

TEST(QuadGL, BothQuadProgramsCompileAndDrawTheSamePixels) {
  MessageRecorder messages;
  std::vector<uint8_t> modern, legacy;
  {
    GLTestContext ctx(64, 64);
    modern = DrawTypes(ctx);
  }
  {
    GLTestContext ctx(64, 64);
    ctx.gl().version[0] = 2;  // as a GL 2 driver reports it, so the first Begin2D picks quad120
    legacy = DrawTypes(ctx);
    EXPECT_NE(ctx.gl().QuadProgram()->VertexStage().FilePath().string().find("quad120"), std::string::npos);
  }
  EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;
  ASSERT_EQ(modern.size(), legacy.size());
  int different = 0;
  for (size_t i = 0; i < modern.size(); ++i) different += std::abs(modern[i] - legacy[i]) > 1;
  EXPECT_EQ(different, 0);
}

TEST(QuadGL, UniformsAreSentOnlyWhenTheyChange) {
  GLTestContext ctx;
  TOGL& gl = ctx.gl();
  gl.Begin2D(0, 0);
  TGLSL_Program* program = gl.QuadProgram();
  gl.Begin2D(0, 0);
  EXPECT_EQ(gl.QuadProgram(), program) << "quad resources are made once";
  int sent = gl.QuadUniformCalls();
  gl.SetColour(1, 1, 1, 1);
  gl.SetUD(0, 0.58f);
  gl.SetUDI(0, 0);
  gl.SetQuadType(0);
  gl.SetGrayscale(false);
  gl.SetColour2(1, 1, 1, 1);
  EXPECT_EQ(gl.QuadUniformCalls(), sent);
  gl.SetUD(0.58f, 0.58f);
  gl.SetUD(0.58f, 0.58f);
  gl.SetColour(1, 1, 1, 0.5f);
  EXPECT_EQ(gl.QuadUniformCalls(), sent + 2);
  float ud[2];
  glGetUniformfv(program->Name(), program->UniformLocation("ud"), ud);
  EXPECT_FLOAT_EQ(ud[0], 0.58f);
  // Binding the program again resets the cache and the uniforms.
  gl.QuadBindShader();
  glGetUniformfv(program->Name(), program->UniformLocation("ud"), ud);
  EXPECT_FLOAT_EQ(ud[0], 0.0f);
  EXPECT_FLOAT_EQ(ud[1], 0.58f);
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}
