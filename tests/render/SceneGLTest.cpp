#include <gtest/gtest.h>

#include <filesystem>

#include "GLTestContext.h"
#include "MessageRecorder.h"
#include "ScratchFolder.h"
#include "app/Scene.h"
#include "platform/Console.h"
#include "platform/DataFiles.h"
#include "platform/Text.h"

namespace fs = std::filesystem;

// The whole scene on the built sample set: every model file textured, a few draw calls,
// the grid visible.
TEST(SceneGL, DrawsTheGridInAFewCalls) {
  GLTestContext ctx(1280, 840);
  TModelScene scene(&ctx.gl());
  scene.Start(1600);
  ASSERT_EQ(scene.ModelCount(), 1600u);
  TOGL& gl = ctx.gl();
  for (uint32_t tick : {0u, 4294967295u}) {
    scene.UploadPalettes();
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.SetBlend(true);
    gl.SetOrtho2D(0, 0);
    gl.SetDepthTest(true, GL_LEQUAL);
    scene.Draw(tick);
    EXPECT_LE(scene.Renderer().DrawCalls(), 2);
    EXPECT_GE(scene.Renderer().DrawCalls(), 1);
    EXPECT_EQ(
        scene.Renderer().List(0).Count() + (scene.Renderer().UsedLists() > 1 ? scene.Renderer().List(1).Count() : 0),
        1600);
  }
  // Something other than the background in most grid cells.
  std::vector<uint8_t> pixels = ctx.Pixels();
  int drawn = 0;
  for (size_t i = 0; i < 1600; ++i) {
    auto [x, y] = GridPosition(i);
    bool any = false;
    for (int dy = -4; dy <= 4 && !any; ++dy) {
      for (int dx = -4; dx <= 4 && !any; ++dx) {
        const uint8_t* p = &pixels[(size_t(y + dy) * 1280 + (x + dx)) * 4];
        any = std::abs(p[0] - 58) + std::abs(p[1] - 58) + std::abs(p[2] - 73) > 12;
      }
    }
    drawn += any;
  }
  EXPECT_GT(drawn, 1400);
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

// With its program broken the renderer must not fall back to the fixed pipeline, which
// would fill every cell with a black quad: the frame stays the clear colour, and the
// console hears about it once, however many frames are drawn.
TEST(SceneGL, WithoutItsProgramDrawsNothingAndSaysSoOnce) {
  GLTestContext ctx(320, 200);
  ScratchFolder data("no_program");
  for (const char* folder : {"GMs", "shaders"}) fs::copy(fs::path(ZQ_TEST_BIN_DIR) / folder, data.Path() / folder);
  for (const char* name : {"gpu_quadi", "gpu_quadi120"}) {
    data.Write(std::string("shaders/") + name + ".vglsl", "#version 130\nvoid main() { nonsense; }\n");
  }
  data.UseAsExeFolder();
  std::vector<std::string> lines;
  SetConsole(std::make_unique<TVORN3_Console>([&](std::u16string_view l) { lines.push_back(ToUtf8(l)); }));
  MessageRecorder messages;

  TOGL& gl = ctx.gl();
  TModelScene scene(&gl);
  scene.Start(1600);
  ASSERT_EQ(scene.ModelCount(), 1600u);
  gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const std::vector<uint8_t> cleared = ctx.Pixels();
  for (uint32_t tick : {0u, 60u, 120u}) {
    scene.UploadPalettes();
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.SetOrtho2D(0, 0);
    scene.Draw(tick);
    EXPECT_EQ(scene.Renderer().DrawCalls(), 0);
    EXPECT_TRUE(ctx.Pixels() == cleared) << "something was drawn at tick " << tick;
  }
  SetConsole(nullptr);
  const std::string name = scene.Renderer().UsesArrays() ? "gpu_quadi" : "gpu_quadi120";
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Models are not drawn: shader " + name + " did not link"), 1);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Shader Error");
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}
