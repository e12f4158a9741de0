// Text drawing: characters per second through the real quad program on the headless
// EGL surface, against the same number of plain quads drawn without a font in the
// same run, and the font's own cost with a recording renderer. Draw calls per 1000
// characters count the quad batches drawn; one_page=1 draws text whose glyphs all lie
// on the font's first page.
#include <benchmark/benchmark.h>

#include <string>

#include "RecordingRenderer.h"
#include "font/FontManager.h"
#include "gl/OGL.h"
#include "headless/EglSurface.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kLines = 10;
const char* kFont = "\\fonts\\Trebuchet MS_70_Fixed_16_2.DFF";

// 100 characters; the spaces among them draw nothing. The first spans the font's pages,
// the second lies on its first page only.
const std::u16string kLine =
    u"The quick brown fox jumps over the lazy dog; Pack my box with five dozen liquor jugs. 0123456789 AB";
const std::u16string kPageLine =
    u"ABCDEFGHI 0123456789 !#$%&()*+,-./:;<=>?@ ABCDEFGHI 0123456789 !#$%&()*+,-./:;<=>?@ ABCDEFGHI 012345";
const std::u16string& Line(int64_t onePage) { return onePage ? kPageLine : kLine; }

struct GLSetup {
  GLSetup() : surface(kWidth, kHeight), gl(0.1, 40000.0, 45.0) {
    gl.Init(&surface, TPixelFormatRequest::Default(), kWidth, kHeight, 0);
    gl.SetBlend(true);
    gl.Begin2D(0, 0);
  }
  TEglSurface surface;
  TOGL gl;
};

void DrawLines(TOGL_Font_Base& font, const std::u16string& line) {
  font.SetColour(1, 1, 1, 1);
  for (int i = 0; i < kLines; ++i) font.DrawText(line, 4, 10 + i * font.LineHeight());
}

void BM_TextGL(benchmark::State& state) {
  GLSetup setup;
  TOGL_Font_Manager fonts;
  TOGL_Font_Base* font = fonts.GetFont(kFont, state.range(0) / 100.0L);
  const int before = setup.gl.QuadDrawCalls();
  for (auto _ : state) {
    DrawLines(*font, Line(state.range(1)));
    setup.gl.FlushQuads();
    glFinish();
  }
  const int64_t chars = kLines * int64_t(kLine.size());
  state.SetItemsProcessed(state.iterations() * chars);
  state.counters["draws_per_1000_chars"] =
      double(setup.gl.QuadDrawCalls() - before) * 1000.0 / double(chars * state.iterations());
}
BENCHMARK(BM_TextGL)
    ->ArgNames({"scale", "one_page"})
    ->ArgsProduct({{30, 100}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// Baseline: the quads of the same text, drawn as one batch of plain white quads.
void BM_PlainQuadsGL(benchmark::State& state) {
  GLSetup setup;
  std::vector<RecordingRenderer::Quad> quads;
  {
    RecordingRenderer recorder(kWidth, kHeight);
    TOGL_Font_Manager fonts;
    DrawLines(*fonts.GetFont(kFont, state.range(0) / 100.0L), Line(state.range(1)));
    quads = recorder.quads;
  }
  setup.gl.Begin2D(0, 0);
  for (auto _ : state) {
    setup.gl.BindTexture(0, setup.gl.whiteTexture);
    for (const auto& q : quads) setup.gl.DrawQuad(q.x, q.y, q.w, q.h, q.u, q.v, q.du, q.dv);
    setup.gl.FlushQuads();
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kLines * int64_t(kLine.size()));
}
BENCHMARK(BM_PlainQuadsGL)
    ->ArgNames({"scale", "one_page"})
    ->ArgsProduct({{30, 100}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_TextRecording(benchmark::State& state) {
  RecordingRenderer recorder(kWidth, kHeight);
  TOGL_Font_Manager fonts;
  TOGL_Font_Base* font = fonts.GetFont(kFont, 1.0L);
  int draws = 0;
  for (auto _ : state) {
    recorder.quads.clear();
    const int before = recorder.Flushes();
    DrawLines(*font, Line(state.range(0)));
    recorder.FlushQuads();
    draws = recorder.Flushes() - before;
  }
  const int64_t chars = kLines * int64_t(kLine.size());
  state.SetItemsProcessed(state.iterations() * chars);
  state.counters["draws_per_1000_chars"] = double(draws) * 1000.0 / double(chars);
}
BENCHMARK(BM_TextRecording)->ArgName("one_page")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_TextWidth(benchmark::State& state) {
  RecordingRenderer recorder(kWidth, kHeight);
  TOGL_Font_Manager fonts;
  TOGL_Font_Base* font = fonts.GetFont(kFont, 0.5L);
  for (auto _ : state) benchmark::DoNotOptimize(font->TextWidth(kLine, 1));
  state.SetItemsProcessed(state.iterations() * int64_t(kLine.size()));
}
BENCHMARK(BM_TextWidth);

}  // namespace
