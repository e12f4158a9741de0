// Every element vertex stage linked with every element fragment shader of the build's
// data, drawn as an element quad would be and read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "GLTestContext.h"
#include "MessageRecorder.h"

namespace fs = std::filesystem;

namespace {

using Pixel = std::array<uint8_t, 4>;

constexpr int kWidth = 96;
constexpr int kHeight = 64;
// The element: x, y (from the bottom), width, height.
constexpr int kX = 16, kY = 12, kW = 60, kH = 40;
const Pixel kClear = {58, 58, 73, 255};

struct Frame {
  std::vector<uint8_t> pixels;
  Pixel At(int x, int y) const {
    const uint8_t* p = &pixels[(size_t(y) * kWidth + size_t(x)) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
};

int Difference(Pixel a, Pixel b) {
  int most = 0;
  for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(int(a[c]) - int(b[c])));
  return most;
}

bool InElement(int x, int y) { return x >= kX && x < kX + kW && y >= kY && y < kY + kH; }

class ElementShaders : public ::testing::TestWithParam<std::tuple<int, std::string>> {
 protected:
  Frame Draw(TGLSL_Program& program, float time) {
    TOGL& gl = ctx.gl();
    gl.Clear(GL_COLOR_BUFFER_BIT);
    gl.SetBlend(true);
    gl.Begin2D(0, 0);
    gl.BindTexture(0, gl.whiteTexture);
    GLint resolution = program.UniformLocation("iResolution");
    GLint globalTime = program.UniformLocation("iGlobalTime");
    GLint mouse = program.UniformLocation("iMouse");
    gl.DrawQuadWithProgram(
        program,
        [&] {
          program.SetUniform2f(resolution, kW, kH);
          program.SetUniform1f(globalTime, time);
          program.SetUniform4f(mouse, 0, 0, 0, 0);
        },
        kX, kY, kW, kH, 0, 0, 1, 1);
    return {ctx.Pixels()};
  }

  GLTestContext ctx{kWidth, kHeight};
  MessageRecorder messages;
};

}  // namespace

TEST_P(ElementShaders, DrawAnAnimatedTranslucentElementAndNothingElse) {
  auto [major, name] = GetParam();
  fs::path folder = fs::path(ZQ_TEST_BIN_DIR) / "shaders";
  TGLSL_Program program;
  program.LoadFiles(folder / ("QGUI" + std::to_string(major) + ".vglsl"), folder / (name + ".fglsl"));
  ASSERT_TRUE(program.Linked()) << (messages.messages.empty() ? "" : messages.messages[0].text);
  EXPECT_TRUE(messages.messages.empty());
  for (const char* uniform : {"iResolution", "iGlobalTime", "QS", "TO", "ProjMatrix"})
    EXPECT_GE(program.UniformLocation(uniform), 0) << uniform;

  Frame early = Draw(program, 0.5f);
  Frame late = Draw(program, 1.75f);
  int inside = 0, drawn = 0, changed = 0, dark = 0;
  std::set<uint32_t> colours;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      Pixel p = early.At(x, y);
      if (!InElement(x, y)) {
        ASSERT_EQ(p, kClear) << "outside the element at " << x << "," << y;
        ASSERT_EQ(late.At(x, y), kClear);
        continue;
      }
      ++inside;
      drawn += Difference(p, kClear) > 4;
      changed += Difference(p, late.At(x, y)) > 4;
      dark += p[0] + p[1] + p[2] < 12;
      colours.insert(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
    }
  }
  EXPECT_GT(drawn, inside * 9 / 10) << "the element shows over the clear colour";
  EXPECT_LT(dark, inside / 2) << "not black";
  EXPECT_GT(colours.size(), 20u) << "not one flat colour";
  EXPECT_GT(changed, inside / 20) << "it moves with iGlobalTime";
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(EveryStageAndShader, ElementShaders,
                         ::testing::Combine(::testing::Values(2, 3, 4), ::testing::Values("plasma", "tunnel", "glow")),
                         [](const auto& info) {
                           return std::get<1>(info.param) + "_QGUI" + std::to_string(std::get<0>(info.param));
                         });
