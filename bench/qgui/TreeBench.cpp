// The element tree's own cost: drawing 1,000 elements (fills, bevels, borders, clipped
// panels) and routing one pointer move through them, on the recording renderer so
// only the tree's work is timed; the baseline hands the recording renderer the same
// quads directly. On GL the same tree is timed against a bare clear.
#include <benchmark/benchmark.h>

#include <memory>

#include "GLTestContext.h"
#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "QGUI/Element.h"
#include "QGUI/Scissor.h"
#include "RecordingRenderer.h"

namespace {

constexpr int kPanels = 100;
constexpr int kChildren = 9;  // 100 panels with 9 children: 1,000 elements

struct Tree {
  explicit Tree(TOGL_Renderer& renderer) {
    TQGUI_Services services;
    services.renderer = &renderer;
    services.scissor = &scissor;
    services.frameDelta = [] { return 0.016; };
    gui = std::make_unique<TQGUI_Context>(services);
    gui->CreateDesktop().col1 = {0, 0, 0, 0};
    for (int p = 0; p < kPanels; ++p) {
      TQGUI_Element& panel = *gui->Registry().CreateElement(TYPE_ELEMENT, 0);
      panel.SetBounds(p % 10 * 100, p / 10 * 75, 96, 72);
      panel.col1 = {0.2f, 0.2f, 0.25f, 0.8f};
      panel.bevel = true;
      panel.scissor = true;
      for (int c = 0; c < kChildren; ++c) {
        TQGUI_Element& child = *gui->Registry().CreateElement(TYPE_ELEMENT, panel.id);
        child.SetBounds(4 + c % 3 * 30, 4 + c / 3 * 22, 28, 20);
        child.col1 = {0.5f, 0.1f * c, 0.3f, 1};
        child.borderType = c % 2 ? 1 : 0;
      }
    }
  }
  TQGUI_Scissor_Stack scissor;
  std::unique_ptr<TQGUI_Context> gui;
};

void BM_RenderTree(benchmark::State& state) {
  RecordingRenderer renderer;
  Tree tree(renderer);
  size_t quads = 0;
  for (auto _ : state) {
    renderer.quads.clear();
    renderer.scissors.clear();
    tree.gui->Render();
    quads = renderer.quads.size();
  }
  state.counters["quads"] = double(quads);
  state.counters["ns_per_element"] = benchmark::Counter(
      double(kPanels * (kChildren + 1)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RenderTree);

void BM_BaselineSameQuadsDirect(benchmark::State& state) {
  RecordingRenderer renderer;
  Tree tree(renderer);
  tree.gui->Render();
  std::vector<RecordingRenderer::Quad> quads = renderer.quads;
  for (auto _ : state) {
    renderer.quads.clear();
    for (const auto& q : quads) {
      renderer.SetColour(q.colour[0], q.colour[1], q.colour[2], q.colour[3]);
      renderer.DrawQuad(q.x, q.y, q.w, q.h, q.u, q.v, q.du, q.dv);
    }
  }
  state.counters["quads"] = double(quads.size());
}
BENCHMARK(BM_BaselineSameQuadsDirect);

void BM_RouteMouseMove(benchmark::State& state) {
  RecordingRenderer renderer;
  Tree tree(renderer);
  int i = 0;
  for (auto _ : state) {
    ++i;
    tree.gui->MouseMove(i % 1000, (i * 7) % 750);
  }
  state.counters["ns_per_element"] = benchmark::Counter(
      double(kPanels * (kChildren + 1)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RouteMouseMove);

void BM_TreeOnGL(benchmark::State& state) {
  GLTestContext ctx(1024, 768);
  Tree tree(ctx.gl());
  TOGL& gl = ctx.gl();
  int drawCalls = 0;
  for (auto _ : state) {
    const int before = gl.QuadDrawCalls();
    gl.Clear(GL_COLOR_BUFFER_BIT);
    gl.SetBlend(true);
    gl.Begin2D(0, 0);
    tree.gui->Render();
    glFinish();
    drawCalls = gl.QuadDrawCalls() - before;
  }
  state.counters["draw_calls"] = double(drawCalls);
}
BENCHMARK(BM_TreeOnGL)->Unit(benchmark::kMillisecond);

void BM_BaselineClearOnGL(benchmark::State& state) {
  GLTestContext ctx(1024, 768);
  TOGL& gl = ctx.gl();
  for (auto _ : state) {
    gl.Clear(GL_COLOR_BUFFER_BIT);
    glFinish();
  }
}
BENCHMARK(BM_BaselineClearOnGL)->Unit(benchmark::kMillisecond);

}  // namespace
