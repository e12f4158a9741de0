// Frame cost of the shared frame order on the headless EGL surface, against a bare
// clear-and-finish baseline measured in the same run, and the quad uniform cache
// against sending every uniform for every quad. Real time: llvmpipe renders on its
// own threads, so the calling thread's CPU time says little.
#include <benchmark/benchmark.h>

#include "app/App.h"
#include "gl/OGL.h"
#include "headless/EglSurface.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

void BM_BareClearAndFinish(benchmark::State& state) {
  TEglSurface surface(kWidth, kHeight);
  TZQApp app;
  app.Start(&surface, kWidth, kHeight);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
  }
}
BENCHMARK(BM_BareClearAndFinish)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_EmptyFrame(benchmark::State& state) {
  TEglSurface surface(kWidth, kHeight);
  TZQApp app(TZQApp::Options{0});
  app.Start(&surface, kWidth, kHeight);
  for (auto _ : state) app.Frame();
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

// 1000 small quads in four alternating colours and two types.
void DrawQuads(TOGL& gl, bool forceUniforms) {
  gl.Begin2D(0, 0);
  gl.BindTexture(0, gl.whiteTexture);
  for (int i = 0; i < 1000; ++i) {
    if (forceUniforms) gl.QuadBindShader();
    gl.SetQuadType(i / 500);
    gl.SetColour(1, (i / 250) % 2, 1, 1);
    gl.DrawQuad(static_cast<float>(i % 40 * 25), static_cast<float>(i / 40 * 25), 20, 20, 0, 0, 1, 1);
  }
  gl.FlushQuads();
  glFinish();
}

void BM_ThousandQuadsCached(benchmark::State& state) {
  TEglSurface surface(kWidth, kHeight);
  TZQApp app;
  app.Start(&surface, kWidth, kHeight);
  int before = app.GL()->QuadUniformCalls();
  for (auto _ : state) DrawQuads(*app.GL(), false);
  state.counters["uniform_calls_per_frame"] =
      static_cast<double>(app.GL()->QuadUniformCalls() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ThousandQuadsCached)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ThousandQuadsResendingUniforms(benchmark::State& state) {
  TEglSurface surface(kWidth, kHeight);
  TZQApp app;
  app.Start(&surface, kWidth, kHeight);
  int before = app.GL()->QuadUniformCalls();
  for (auto _ : state) DrawQuads(*app.GL(), true);
  state.counters["uniform_calls_per_frame"] =
      static_cast<double>(app.GL()->QuadUniformCalls() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ThousandQuadsResendingUniforms)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
