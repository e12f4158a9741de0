// 300 x 200 elements drawn through each element shader, against the same quads drawn by
// the plain quad program in the same run. Each iteration draws kElements of them and
// finishes, so shading outweighs the cost of a finish. Real time: llvmpipe shades on
// its own threads.
#include <benchmark/benchmark.h>

#include <string>

#include "gl/OGL.h"
#include "headless/EglSurface.h"
#include "platform/DataFiles.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr float kW = 300, kH = 200;
constexpr int kElements = 20;

struct Scene {
  Scene() {
    gl.Init(&surface, TPixelFormatRequest::Default(), kWidth, kHeight, 0);
    gl.SetBlend(true);
    gl.Begin2D(0, 0);
    gl.BindTexture(0, gl.whiteTexture);
  }
  TEglSurface surface{kWidth, kHeight};
  TOGL gl{0.1, 40000.0, 45.0};
};

void BM_PlainQuad(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    for (int i = 0; i < kElements; ++i) scene.gl.DrawQuad(100, 100, kW, kH, 0, 0, 1, 1);
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_PlainQuad)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ElementShader(benchmark::State& state, const std::string& name) {
  Scene scene;
  TGLSL_Program program;
  std::string vertex = "\\shaders\\QGUI" + std::to_string(scene.gl.version[0]) + ".vglsl";
  program.LoadFiles(DataPath(vertex), DataPath("\\shaders\\" + name + ".fglsl"));
  if (!program.Linked()) {
    state.SkipWithError("the shader did not link");
    return;
  }
  GLint resolution = program.UniformLocation("iResolution");
  GLint time = program.UniformLocation("iGlobalTime");
  float seconds = 0;
  for (auto _ : state) {
    for (int i = 0; i < kElements; ++i) {
      scene.gl.DrawQuadWithProgram(
          program,
          [&] {
            program.SetUniform2f(resolution, kW, kH);
            program.SetUniform1f(time, seconds);
          },
          100, 100, kW, kH, 0, 0, 1, 1);
      seconds += 1.0f / 60;
    }
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK_CAPTURE(BM_ElementShader, plasma, std::string("plasma"))->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ElementShader, tunnel, std::string("tunnel"))->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ElementShader, glow, std::string("glow"))->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
