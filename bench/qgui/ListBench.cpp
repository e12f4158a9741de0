// The list widgets' share of a frame: a frame of 20 panels alone, then with a
// 10,000-item list box or a 1,000-row custom list box added (each with a scroll bar,
// scrolled to the middle), in the same run. On the recording renderer only the GUI's
// own work is timed; on GL (headless EGL) the drawing too. Adding and clearing rows,
// and splitting a 100,000-item text, show how the setting-up scales.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "GLTestContext.h"
#include "QGUI/Context.h"
#include "QGUI/CustomListBox.h"
#include "QGUI/Desktop.h"
#include "QGUI/Listbox.h"
#include "QGUI/Scissor.h"
#include "QGUI/ScrollBox.h"
#include "QGUI/Scrollbar.h"
#include "RecordingRenderer.h"
#include "font/FontManager.h"

namespace {

enum Extra { kNone, kListbox, kCustomList };
constexpr int kItems = 10000;
constexpr int kRows = 1000;

std::u16string Items(int count) {
  std::u16string text;
  for (int i = 0; i < count; ++i) text += u"Item number " + std::u16string(1, char16_t(u'0' + i % 10)) + u"\r";
  return text;
}

struct Frame {
  Frame(TOGL_Renderer& renderer, Extra extra) {
    TQGUI_Services services;
    services.renderer = &renderer;
    services.scissor = &scissor;
    services.fonts = &fonts;
    services.frameDelta = [] { return 0.016; };
    gui = std::make_unique<TQGUI_Context>(services);
    gui->CreateDesktop().col1 = {0, 0, 0, 0};
    for (int p = 0; p < 20; ++p) {
      TQGUI_Element& panel = *gui->Registry().CreateElement(TYPE_ELEMENT, 0);
      panel.SetBounds(p % 5 * 200, p / 5 * 150, 190, 140);
      panel.col1 = {0.2f, 0.2f, 0.25f, 0.8f};
      panel.bevel = true;
    }
    if (extra == kListbox) AddListbox();
    if (extra == kCustomList) AddCustomList();
    Draw();  // fonts found and scroll ranges measured before timing
  }
  TQGUI_Scrollbar& Bar(int x, int y) {
    auto& bar = static_cast<TQGUI_Scrollbar&>(*gui->Registry().CreateElement(TYPE_SCROLLBAR, 0));
    bar.SetBounds(x, y, 12, 400);
    return bar;
  }
  void AddListbox() {
    auto& list = static_cast<TQGUI_Listbox&>(*gui->Registry().CreateElement(TYPE_LISTBOX, 0));
    list.SetBounds(100, 100, 300, 400);
    list.SetScrollbar(Bar(400, 100).id, 0);
    list.SetText(Items(kItems));
    list.SetItemIndex(kItems / 2);
  }
  void AddCustomList() {
    auto& list = static_cast<TQGUI_CustomListBox&>(*gui->Registry().CreateElement(TYPE_CUSTOMLISTBOX, 0));
    list.SetBounds(500, 100, 300, 400);
    list.bevel = true;
    list.SetScrollbar(Bar(800, 100).id, 0);
    for (int i = 0; i < kRows; ++i) list.AddItem("row");
    for (const auto& row : list.Children()) row->col1 = {0.3f, 0.3f, 0.4f, 1};
    list.UpdateScrollInfo();
    list.scrollY = kRows * list.itemHeight / 2;
  }
  void Draw() { gui->Render(); }

  TQGUI_Scissor_Stack scissor;
  TOGL_Font_Manager fonts;
  std::unique_ptr<TQGUI_Context> gui;
};

void BM_FrameRecording(benchmark::State& state) {
  RecordingRenderer renderer;
  Frame frame(renderer, Extra(state.range(0)));
  renderer.quads.clear();
  frame.Draw();
  state.counters["quads"] = double(renderer.quads.size());
  for (auto _ : state) {
    renderer.quads.clear();
    renderer.scissors.clear();
    frame.Draw();
  }
}
BENCHMARK(BM_FrameRecording)->ArgName("extra")->Arg(kNone)->Arg(kListbox)->Arg(kCustomList);

void BM_FrameGL(benchmark::State& state) {
  GLTestContext ctx(1024, 768);
  TOGL& gl = ctx.gl();
  Frame frame(gl, Extra(state.range(0)));
  for (auto _ : state) {
    gl.Clear(GL_COLOR_BUFFER_BIT);
    gl.SetBlend(true);
    gl.Begin2D(0, 0);
    frame.Draw();
    glFinish();
  }
}
BENCHMARK(BM_FrameGL)->ArgName("extra")->Arg(kNone)->Arg(kListbox)->Arg(kCustomList)->Unit(benchmark::kMillisecond);

void BM_ListboxSetText(benchmark::State& state) {
  RecordingRenderer renderer;
  Frame frame(renderer, kNone);
  auto& list = static_cast<TQGUI_Listbox&>(*frame.gui->Registry().CreateElement(TYPE_LISTBOX, 0));
  const std::u16string text = Items(int(state.range(0)));
  for (auto _ : state) {
    list.SetText(text);
    list.SetText(u"");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListboxSetText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_CustomListAddAndClear(benchmark::State& state) {
  RecordingRenderer renderer;
  Frame frame(renderer, kNone);
  auto& list = static_cast<TQGUI_CustomListBox&>(*frame.gui->Registry().CreateElement(TYPE_CUSTOMLISTBOX, 0));
  for (auto _ : state) {
    for (int64_t i = 0; i < state.range(0); ++i) list.AddItem("row");
    list.ClearItems();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CustomListAddAndClear)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
