#include <gtest/gtest.h>

#include <cmath>

#include "GLTestContext.h"
#include "GMBytes.h"
#include "MemoryFiles.h"
#include "model/GMWriter.h"
#include "model/ModelSystem.h"
#include "model/PaletteList.h"
#include "model/PaletteStore.h"
#include "model/PlacedModel.h"
#include "render/GPURenderer.h"

namespace {

using Pixel = std::array<uint8_t, 4>;

bool Near(Pixel a, Pixel b, int tolerance = 2) {
  for (int i = 0; i < 3; ++i)
    if (std::abs(a[i] - b[i]) > tolerance) return false;
  return true;
}

// Background of every frame: the GL object's clear colour.
const Pixel kBackground = {58, 58, 73, 255};

class ModelGLTest : public testing::Test {
 protected:
  void SetUp() override {
    renderer.SetUp(ctx.gl());
    ASSERT_TRUE(renderer.Program()->Linked()) << renderer.Program()->ErrorText();
  }

  // One frame of the scene's drawing steps, models at the given grid positions.
  void DrawFrame(const std::vector<std::pair<TGMGL*, std::pair<int, int>>>& placed) {
    TOGL& gl = ctx.gl();
    store.Upload(gl);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.SetBlend(true);
    gl.SetOrtho2D(0, 0);
    gl.SetDepthTest(true, GL_LEQUAL);
    renderer.Begin(1);
    system.ResetRenderState();
    gl.BindTexture(0, store.PageTexture(0));
    for (auto& [model, at] : placed) model->Draw(at.first, at.second, 0);
    renderer.Flush(gl);
  }

  GLTestContext ctx{64, 64};
  MemoryFiles files;
  TPaletteStore store;
  TSmartPaletteList palettes{store};
  TGPU_Renderer renderer;
  TGMGL_System system{palettes, renderer, &ctx.gl()};
};

TPalette Distinct() {
  TPalette p = GreyRamp();
  auto set = [&](int i, uint8_t r, uint8_t g, uint8_t b) {
    p[3 * i] = b;
    p[3 * i + 1] = g;
    p[3 * i + 2] = r;
  };
  set(1, 0, 0, 0);
  set(2, 248, 0, 0);
  set(3, 0, 252, 0);
  set(200, 0, 0, 248);
  set(255, 248, 252, 248);
  return p;
}

}  // namespace

TEST_F(ModelGLTest, PlacedModelDrawsItsPaletteColoursAtItsPixels) {
  // 4 x 2, file rows top first: 2 3 0 200 / 255 0 0 2; offsets centre it.
  files.files["gms\\m.gmz"] = GMBytes().Header('Q', 1).Frame(-2, -1, 4, 2, {2, 3, 0, 200, 255, 0, 0, 2}).Str();
  files.files["GMs\\m.p16"] = EncodePalette16(Distinct());
  TGMGL model(system, "GMs\\m.gmz");
  DrawFrame({{&model, {20, 30}}});
  // left = 20 - 2 = 18; bottom = 30 - (-1) - 2 = 29; the first file row is the top one (y 30).
  EXPECT_TRUE(Near(ctx.Pixel(18, 30), {248, 0, 0, 255}));
  EXPECT_TRUE(Near(ctx.Pixel(19, 30), {0, 252, 0, 255}));
  EXPECT_TRUE(Near(ctx.Pixel(20, 30), kBackground));
  EXPECT_TRUE(Near(ctx.Pixel(21, 30), {0, 0, 248, 255}));
  EXPECT_TRUE(Near(ctx.Pixel(18, 29), {248, 252, 248, 255}));
  EXPECT_TRUE(Near(ctx.Pixel(21, 29), {248, 0, 0, 255}));
  EXPECT_TRUE(Near(ctx.Pixel(17, 30), kBackground));
  EXPECT_TRUE(Near(ctx.Pixel(18, 31), kBackground));
  EXPECT_TRUE(Near(ctx.Pixel(22, 29), kBackground));
  EXPECT_TRUE(Near(ctx.Pixel(18, 28), kBackground));
  EXPECT_EQ(renderer.DrawCalls(), 1);
  GLint unit = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
  EXPECT_EQ(unit, GL_TEXTURE0);
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelGLTest, SideColourShowsAfterSetPaletteAndUpload) {
  files.files["gms\\u.gmz"] = GMBytes().Header('X', 1).Frame(0, 0, 3, 3, {0x89, 24}).Str();
  TGMGL model(system, "GMs\\u.gmz");
  TGMGL other(system, "GMs\\u.gmz");
  DrawFrame({{&model, {10, 10}}, {&other, {30, 10}}});
  EXPECT_TRUE(Near(ctx.Pixel(11, 8), {24, 24, 24, 255}));  // grey ramp: no .p16

  TPalette red = GreyRamp();
  ApplySideColour(red, 255, 0, 0);
  model.SetPalette(red);
  DrawFrame({{&model, {10, 10}}, {&other, {30, 10}}});
  EXPECT_TRUE(Near(ctx.Pixel(11, 8), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(ctx.Pixel(31, 8), {24, 24, 24, 255}));
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelGLTest, ColourAndIntensityAtlasesBlendByOpacity) {
  // "A": white at opacity 124; "E": intensity 200 through palette entry 200; "S": half-black.
  files.files["gms\\a.gmz"] =
      GMBytes()
          .Header('A', 1)
          .Frame(0, 0, 2, 2, {0x84, 0xCF, 0x7B, 0x84, 0xCF, 0x7B, 0x84, 0xCF, 0x7B, 0x84, 0xCF, 0x7B})
          .Str();
  files.files["gms\\e.gmz"] = GMBytes().Header('E', 1).Frame(0, 0, 2, 2, {200, 200, 200, 200}).Str();
  files.files["gms\\s.gmz"] = GMBytes().Header('S', 1).Frame(0, 0, 2, 2, {0x84}).Str();
  files.files["GMs\\e.p16"] = EncodePalette16(Distinct());
  files.files["GMs\\s.p16"] = EncodePalette16(Distinct());
  TGMGL a(system, "GMs\\a.gmz");
  TGMGL e(system, "GMs\\e.gmz");
  TGMGL s(system, "GMs\\s.gmz");
  DrawFrame({{&a, {10, 10}}, {&e, {20, 10}}, {&s, {30, 10}}});
  auto blend = [](Pixel colour, double alpha) {
    Pixel out{};
    for (int i = 0; i < 3; ++i)
      out[i] = static_cast<uint8_t>(std::lround(colour[i] * alpha + kBackground[i] * (1 - alpha)));
    return out;
  };
  // 0x7BCF at opacity 124: (120, 120, 120) premultiplied → about 247 unpremultiplied.
  Pixel white = {247, 247, 247, 255};
  EXPECT_TRUE(Near(ctx.Pixel(10, 8), blend(white, 124 / 255.0), 3)) << int(ctx.Pixel(10, 8)[0]);
  EXPECT_TRUE(Near(ctx.Pixel(20, 8), blend({0, 0, 248, 255}, 200 / 255.0), 3)) << int(ctx.Pixel(20, 8)[2]);
  EXPECT_TRUE(Near(ctx.Pixel(30, 8), blend({0, 0, 0, 255}, 127 / 255.0), 3)) << int(ctx.Pixel(30, 8)[0]);
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelGLTest, SixteenTexturesDrawInTwoCalls) {
  std::vector<std::unique_ptr<TGMGL>> models;
  std::vector<std::pair<TGMGL*, std::pair<int, int>>> placed;
  TPalette p = Distinct();
  for (int i = 0; i < 16; ++i) {
    std::string name = "GMs\\m" + std::to_string(i) + ".gmz";
    std::string lower = "gms\\m" + std::to_string(i) + ".gmz";
    files.files[lower] = GMBytes().Header('Q', 1).Frame(0, 0, 2, 2, {2, 2, 2, 2}).Str();
    files.files["GMs\\m" + std::to_string(i) + ".p16"] = EncodePalette16(p);
    models.push_back(std::make_unique<TGMGL>(system, name));
    placed.push_back({models.back().get(), {2 + (i % 8) * 6, 10 + (i / 8) * 20}});
  }
  DrawFrame(placed);
  EXPECT_EQ(renderer.UsedLists(), 2);
  EXPECT_EQ(renderer.DrawCalls(), 2);
  for (int i = 0; i < 16; ++i) {
    EXPECT_TRUE(Near(ctx.Pixel(2 + (i % 8) * 6, 8 + (i / 8) * 20), {248, 0, 0, 255})) << i;
  }
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelGLTest, TheLastPlacedModelOfAFileTakesItsTextureAlong) {
  files.files["gms\\t.gmz"] = GMBytes().Header('Q', 1).Frame(0, 0, 2, 2, {1, 1, 1, 1}).Str();
  auto first = std::make_unique<TGMGL>(system, "GMs\\t.gmz");
  auto second = std::make_unique<TGMGL>(system, "GMs\\T.gmz");
  GLuint texture = first->Data()->texture;
  ASSERT_TRUE(glIsTexture(texture));
  first.reset();
  EXPECT_TRUE(glIsTexture(texture));
  second.reset();
  EXPECT_FALSE(glIsTexture(texture));
  TGMGL again(system, "GMs\\t.gmz");
  EXPECT_EQ(again.ModelIndex(), 0);
  EXPECT_NE(again.Data()->texture, 0u);
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

namespace {

struct EdgeFrame {
  std::vector<uint8_t> pixels;
  int32_t records = 0;
};

// Seven 4 x 4 models on a 64 x 64 view: one inside, two partly outside, four just
// outside (touching an edge from without); with the GL 2 program when `legacy`.
EdgeFrame DrawEdgeModels(bool cull, bool legacy) {
  GLTestContext ctx(64, 64);
  if (legacy) ctx.gl().version[0] = 2;
  MemoryFiles files;
  files.files["gms\\m.gmz"] = GMBytes().Header('Q', 1).Frame(-2, -2, 4, 4, std::vector<uint8_t>(16, 2)).Str();
  files.files["GMs\\m.p16"] = EncodePalette16(Distinct());
  TPaletteStore store;
  TSmartPaletteList palettes{store};
  TGPU_Renderer renderer;
  renderer.SetUp(ctx.gl());
  EXPECT_EQ(renderer.UsesArrays(), !legacy);
  TGMGL_System system{palettes, renderer, &ctx.gl()};
  TOGL& gl = ctx.gl();
  std::vector<std::unique_ptr<TGMGL>> models;
  const std::pair<int, int> at[] = {{30, 30}, {0, 30}, {30, 63}, {-2, 30}, {66, 30}, {30, -2}, {30, 66}};
  for (size_t i = 0; i < std::size(at); ++i) models.push_back(std::make_unique<TGMGL>(system, "GMs\\m.gmz"));
  store.Upload(gl);
  gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl.SetBlend(true);
  gl.SetOrtho2D(0, 0);
  renderer.Begin(1);
  if (cull) renderer.SetCullRect(0, 0, 64, 64);
  system.ResetRenderState();
  gl.BindTexture(0, store.PageTexture(0));
  for (size_t i = 0; i < models.size(); ++i) models[i]->Draw(at[i].first, at[i].second, 0);
  renderer.Flush(gl);
  EdgeFrame frame{ctx.Pixels(), renderer.List(0).Count()};
  EXPECT_TRUE(Near(ctx.Pixel(0, 30), {248, 0, 0, 255}));
  EXPECT_TRUE(Near(ctx.Pixel(30, 63), {248, 0, 0, 255}));
  EXPECT_TRUE(Near(ctx.Pixel(31, 29), {248, 0, 0, 255}));
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
  return frame;
}

}  // namespace

TEST(ModelEdgesGL, ModelsWhollyOffScreenAreCulledAndThePictureStaysTheSame) {
  EdgeFrame all = DrawEdgeModels(false, false);
  EdgeFrame culled = DrawEdgeModels(true, false);
  EXPECT_EQ(all.records, 7);
  EXPECT_EQ(culled.records, 3);
  EXPECT_EQ(culled.pixels, all.pixels);
}

TEST(ModelEdgesGL, TheGL2ProgramDrawsWhatTheArrayProgramDraws) {
  EdgeFrame arrays = DrawEdgeModels(true, false);
  EdgeFrame units = DrawEdgeModels(true, true);
  EXPECT_EQ(units.pixels, arrays.pixels);
}

TEST_F(ModelGLTest, AListKeepsItsAtlasArrayWhileItsTexturesStay) {
  files.files["gms\\a.gmz"] = GMBytes().Header('Q', 1).Frame(0, 0, 2, 2, {2, 2, 2, 2}).Str();
  files.files["gms\\b.gmz"] =
      GMBytes().Header('Q', 2).Frame(0, 0, 6, 3, std::vector<uint8_t>(18, 3)).Frame(0, 0, 2, 2, {3, 3, 3, 3}).Str();
  files.files["GMs\\a.p16"] = EncodePalette16(Distinct());
  files.files["GMs\\b.p16"] = EncodePalette16(Distinct());
  TGMGL a(system, "GMs\\a.gmz");
  auto b = std::make_unique<TGMGL>(system, "GMs\\b.gmz");
  ASSERT_TRUE(renderer.UsesArrays());
  for (int frame = 0; frame < 3; ++frame) DrawFrame({{&a, {10, 10}}, {b.get(), {30, 10}}});
  EXPECT_EQ(renderer.ArraysBuilt(), 1);
  // The smaller atlas sits in the corner of a layer sized for the larger one.
  EXPECT_TRUE(Near(ctx.Pixel(11, 9), {248, 0, 0, 255}));
  EXPECT_TRUE(Near(ctx.Pixel(35, 8), {0, 252, 0, 255}));
  b.reset();
  TGMGL c(system, "GMs\\b.gmz");  // a new atlas, perhaps under the old name
  DrawFrame({{&a, {10, 10}}, {&c, {30, 10}}});
  EXPECT_EQ(renderer.ArraysBuilt(), 2);
  EXPECT_TRUE(Near(ctx.Pixel(35, 8), {0, 252, 0, 255}));
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}
