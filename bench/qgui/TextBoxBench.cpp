// A text box used as a log: one line added at the bottom of a box that already holds
// 10,000 lines, with its scroll bar following, against setting the whole text again
// with the line on the end (what adding a line amounts to) in the same run. Word wrap
// on and off.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "QGUI/Scissor.h"
#include "QGUI/Scrollbar.h"
#include "QGUI/TextBox.h"
#include "RecordingRenderer.h"
#include "font/FontManager.h"

namespace {

const std::u16string kLine = u"12:00:01 a logged line of the kind a console keeps, long enough to wrap once";

struct Log {
  explicit Log(bool wrap) {
    TQGUI_Services services;
    services.renderer = &renderer;
    services.scissor = &scissor;
    services.fonts = &fonts;
    services.frameDelta = [] { return 0.016; };
    gui = std::make_unique<TQGUI_Context>(services);
    gui->CreateDesktop().col1 = {0, 0, 0, 0};
    box = static_cast<TQGUI_TextBox*>(gui->Registry().CreateElement(TYPE_TEXTBOX, 0));
    TQGUI_Element& bar = *gui->Registry().CreateElement(TYPE_SCROLLBAR, 0);
    box->SetBounds(0, 0, 500, 300);
    bar.SetBounds(500, 0, 12, 300);
    box->SetScrollbar(bar.id, 0);
    box->LoadFont();
    box->SetWordWrap(wrap);
    box->SetText(u"");
    for (int i = 0; i < 10000; ++i) box->AddLine(kLine);
    gui->Render();
  }
  RecordingRenderer renderer;
  TQGUI_Scissor_Stack scissor;
  TOGL_Font_Manager fonts;
  std::unique_ptr<TQGUI_Context> gui;
  TQGUI_TextBox* box = nullptr;
};

void BM_TextBoxAddLineAtTheBottom(benchmark::State& state) {
  Log log(state.range(0) != 0);
  for (auto _ : state) log.box->AddLine(kLine);
  state.counters["lines"] = double(log.box->lines.size());
}
BENCHMARK(BM_TextBoxAddLineAtTheBottom)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_BaselineSetWholeTextAgain(benchmark::State& state) {
  Log log(state.range(0) != 0);
  for (auto _ : state) log.box->SetText(log.box->GetText() + u"\r" + kLine);
  state.counters["lines"] = double(log.box->lines.size());
}
BENCHMARK(BM_BaselineSetWholeTextAgain)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
