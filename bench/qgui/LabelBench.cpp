// Label text on the recording renderer, so the label's own work and the font's are
// timed and not the GPU's: SetText of a 2,000-character label with colour codes, its
// word-wrapped draw, and a 1,000-line label under a scissor that shows a few lines.
// Each is set against drawing the same characters straight through the font in the
// same run. Items are characters.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "QGUI/Label.h"
#include "QGUI/Scissor.h"
#include "RecordingRenderer.h"
#include "font/FontBase.h"
#include "font/FontManager.h"

namespace {

const std::u16string kSentence = u"The quick brown fox jumps over the lazy dog; pack my box with five dozen jugs. ";

// 2,000 characters after the codes are taken out, a colour code every sentence.
std::u16string CodedText() {
  std::u16string text;
  size_t shown = 0;
  for (int i = 0; shown < 2000; ++i) {
    text += i % 2 ? u"#C00FFFF" : u"#CFF8000";
    std::u16string piece = kSentence.substr(0, std::min(kSentence.size(), 2000 - shown));
    text += piece;
    shown += piece.size();
  }
  return text;
}

struct LabelSetup {
  LabelSetup() {
    TQGUI_Services services;
    services.renderer = &renderer;
    services.scissor = &scissor;
    services.fonts = &fonts;
    services.frameDelta = [] { return 0.016; };
    gui = std::make_unique<TQGUI_Context>(services);
    gui->CreateDesktop().col1 = {0, 0, 0, 0};
    label = static_cast<TQGUI_Label*>(gui->Registry().CreateElement(TYPE_LABEL, 0));
    label->SetFontSpec("Trebuchet MS_70_Fixed_16_2.DFF;0.3");
    label->LoadFont();
  }
  void Frame() {
    renderer.quads.clear();
    gui->Render();
  }
  // The lines the label shows, drawn through the font alone at the same places.
  void DrawThroughFont(const std::vector<std::u16string>& shown, size_t first, size_t count) {
    renderer.quads.clear();
    TOGL_Font_Base& font = *label->font.font;
    font.SetColour(1, 1, 1, 1);
    const int lh = font.LineHeight();
    for (size_t i = first; i < first + count && i < shown.size(); ++i)
      font.DrawText(shown[i], label->GetAbsX() + 4, label->GetAbsY() + int(i - first) * lh);
  }

  RecordingRenderer renderer;
  TQGUI_Scissor_Stack scissor;
  TOGL_Font_Manager fonts;
  std::unique_ptr<TQGUI_Context> gui;
  TQGUI_Label* label = nullptr;
};

void BM_LabelSetText(benchmark::State& state) {
  LabelSetup setup;
  const std::u16string text = CodedText();
  for (auto _ : state) setup.label->SetText(text);
  state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_LabelSetText)->Unit(benchmark::kMicrosecond);

void WrappedLabel(LabelSetup& setup) {
  setup.label->SetBounds(0, 0, 600, 740);
  setup.label->vAlign = ALIGN_TOP;
  setup.label->SetText(CodedText());
  setup.label->SetWordWrap(true);
}

void BM_LabelWrappedDraw(benchmark::State& state) {
  LabelSetup setup;
  WrappedLabel(setup);
  for (auto _ : state) setup.Frame();
  state.SetItemsProcessed(state.iterations() * 2000);
  state.counters["lines"] = double(setup.label->wrappedLines.size());
  state.counters["quads"] = double(setup.renderer.quads.size());
}
BENCHMARK(BM_LabelWrappedDraw)->Unit(benchmark::kMicrosecond);

void BM_BaselineWrappedLinesThroughFont(benchmark::State& state) {
  LabelSetup setup;
  WrappedLabel(setup);
  const std::vector<std::u16string> shown = setup.label->wrappedLines;
  for (auto _ : state) setup.DrawThroughFont(shown, 0, shown.size());
  state.SetItemsProcessed(state.iterations() * 2000);
  state.counters["quads"] = double(setup.renderer.quads.size());
}
BENCHMARK(BM_BaselineWrappedLinesThroughFont)->Unit(benchmark::kMicrosecond);

void ScrolledLabel(LabelSetup& setup) {
  std::u16string text;
  for (int i = 0; i < 1000; ++i)
    text += u"line " + std::u16string(1, char16_t(u'0' + i % 10)) + u" " + kSentence + u"\r";
  setup.label->SetBounds(0, 0, 600, 200);
  setup.label->vAlign = ALIGN_TOP;
  setup.label->scissor = true;
  setup.label->SetText(text);
  setup.label->lineOffset = 500 * setup.label->font.font->LineHeight();
}

void BM_Label1000LinesUnderScissor(benchmark::State& state) {
  LabelSetup setup;
  ScrolledLabel(setup);
  setup.Frame();
  const size_t drawn = setup.renderer.quads.size();
  for (auto _ : state) setup.Frame();
  state.counters["quads"] = double(drawn);
}
BENCHMARK(BM_Label1000LinesUnderScissor)->Unit(benchmark::kMicrosecond);

void BM_BaselineVisibleLinesThroughFont(benchmark::State& state) {
  LabelSetup setup;
  ScrolledLabel(setup);
  const int lh = setup.label->font.font->LineHeight();
  const size_t visible = size_t(200 / lh + 2);
  for (auto _ : state) setup.DrawThroughFont(setup.label->lines, 499, visible);
  state.counters["quads"] = double(setup.renderer.quads.size());
}
BENCHMARK(BM_BaselineVisibleLinesThroughFont)->Unit(benchmark::kMicrosecond);

}  // namespace
