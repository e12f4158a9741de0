#include <gtest/gtest.h>

#include "GLTestContext.h"
#include "app/Scene.h"

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
