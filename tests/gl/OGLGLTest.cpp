#include <gtest/gtest.h>

#include "GLTestContext.h"
#include "MessageRecorder.h"

using Pixel = std::array<uint8_t, 4>;

namespace {

std::vector<uint8_t> TextureBytes(GLuint texture, GLenum format, int count) {
  std::vector<uint8_t> bytes(count);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, bytes.data());
  return bytes;
}

GLint TexParam(GLuint texture, GLenum name) {
  GLint value = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
  return value;
}

}  // namespace

TEST(OGLGL, InitClearsToTheBackgroundColourAndReadsTheVersion) {
  MessageRecorder messages;
  GLTestContext ctx(32, 32);
  EXPECT_TRUE(ctx.gl().Initialised());
  EXPECT_TRUE(OGLReady());
  EXPECT_EQ(ctx.Pixel(5, 5), (Pixel{58, 58, 73, 255}));
  EXPECT_GE(ctx.gl().version[0], 3);  // Mesa offers 4.5 compatibility here
  EXPECT_EQ(ctx.gl().singleChannelFormat, static_cast<GLenum>(GL_R8));
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(OGLGL, DefaultTexturesHoldWhiteBlackAndTheGrid) {
  GLTestContext ctx;
  TOGL& gl = ctx.gl();
  EXPECT_EQ(TextureBytes(gl.whiteTexture, GL_RGB, 12), std::vector<uint8_t>(12, 255));
  EXPECT_EQ(TextureBytes(gl.blackTexture, GL_RGB, 12), std::vector<uint8_t>(12, 0));
  std::vector<uint8_t> grid = TextureBytes(gl.gridTexture, GL_RED, 64 * 64);
  auto at = [&](int x, int y) { return grid[y * 64 + x]; };
  EXPECT_EQ(at(10, 0), 0);
  EXPECT_EQ(at(10, 1), 0);
  EXPECT_EQ(at(10, 2), 255);
  EXPECT_EQ(at(62, 30), 0);
  EXPECT_EQ(at(63, 30), 0);
  EXPECT_EQ(at(61, 30), 255);
  EXPECT_EQ(TexParam(gl.gridTexture, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
  EXPECT_EQ(TexParam(gl.whiteTexture, GL_TEXTURE_WRAP_S), GL_REPEAT);
  GLint levels = 0;
  glBindTexture(GL_TEXTURE_2D, gl.gridTexture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 6, GL_TEXTURE_WIDTH, &levels);
  EXPECT_EQ(levels, 1) << "the grid's mipmaps were generated";
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(OGLGL, TexturesUploadWithAndWithoutRowFlip) {
  GLTestContext ctx;
  TOGL& gl = ctx.gl();
  const uint8_t rows[2 * 3 * 4] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                   13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
  GLuint plain = gl.CreateTexture(3, 2, GL_RGBA, GL_RGBA, rows, false, true);
  GLuint flipped = gl.CreateTexture(3, 2, GL_RGBA, GL_RGBA, rows, true, false);
  std::vector<uint8_t> a = TextureBytes(plain, GL_RGBA, 24);
  std::vector<uint8_t> b = TextureBytes(flipped, GL_RGBA, 24);
  EXPECT_EQ(a, std::vector<uint8_t>(rows, rows + 24));
  EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 12), std::vector<uint8_t>(rows + 12, rows + 24));
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 12, b.end()), std::vector<uint8_t>(rows, rows + 12));
  EXPECT_EQ(TexParam(plain, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
  EXPECT_EQ(TexParam(flipped, GL_TEXTURE_WRAP_T), GL_REPEAT);
  EXPECT_EQ(TexParam(plain, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
  GLuint linear = gl.CreateTextureLinear(3, 2, GL_RGBA, GL_RGBA, rows, false, true);
  EXPECT_EQ(TexParam(linear, GL_TEXTURE_MIN_FILTER), GL_LINEAR);

  // Three-byte rows are flipped too rather than left undefined.
  const uint8_t rgb[2 * 2 * 3] = {10, 11, 12, 13, 14, 15, 20, 21, 22, 23, 24, 25};
  std::vector<uint8_t> c = TextureBytes(gl.CreateTexture(2, 2, GL_RGB, GL_RGB, rgb, true, true), GL_RGB, 12);
  EXPECT_EQ(c, (std::vector<uint8_t>{20, 21, 22, 23, 24, 25, 10, 11, 12, 13, 14, 15}));

  const uint16_t pixels565[2] = {0xF800, 0x07E0};  // red, green
  std::vector<uint8_t> d = TextureBytes(gl.CreateTexture565(2, 1, pixels565, false, true), GL_RGB, 6);
  EXPECT_EQ(d, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0}));
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(OGLGL, ResizeFollowsTheSurfaceAndOrthoUsesTheViewport) {
  GLTestContext ctx(64, 64);
  TOGL& gl = ctx.gl();
  gl.Resize(1024, 600);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1024);
  EXPECT_EQ(viewport[3], 600);
  EXPECT_EQ(gl.projection, PerspectiveMatrix(45, 1024.0 / 600.0, 0.1, 40000));
  gl.SetOrtho2D(0, 0);
  EXPECT_EQ(gl.projection, OrthoMatrix(0, 1024, 0, 600, -1, 1));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  gl.Set3D();
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(gl.projection, PerspectiveMatrix(45, 1024.0 / 600.0, 0.1, 40000));
  gl.Resize(800, 0);
  EXPECT_EQ(gl.Height(), 1);
  EXPECT_EQ(gl.projection, PerspectiveMatrix(45, 800, 0.1, 40000));
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(OGLGL, MultisampleContextsResolveForReading) {
  GLTestContext ctx(16, 16, 4);
  EXPECT_TRUE(ctx.gl().Multisample());
  std::vector<uint8_t> pixels = ctx.Pixels();
  EXPECT_EQ(pixels[0], 58);
  EXPECT_EQ(pixels[2], 73);
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}
