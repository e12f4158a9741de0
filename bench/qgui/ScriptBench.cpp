// What the scripted GUI costs from Lua: one qgui_set and one qgui_get (against a Lua
// loop calling a native function that does nothing), the frame's FROMAPP_FPSCOUNTER
// call into the interface script, and a whole GUI start with the error window and the
// interface script (against starting the bare interpreter). The tree draws on the
// recording renderer, so only the GUI's own work is timed.
#include <benchmark/benchmark.h>

#include <memory>

#include "QGUI/Context.h"
#include "QGUI/Scissor.h"
#include "QGUI/ScriptInterface.h"
#include "QGUI/ScriptedGui.h"
#include "QGUI/TextureManager.h"
#include "RecordingRenderer.h"
#include "font/FontManager.h"
#include "script/LuaHost.h"

namespace {

constexpr int kCalls = 1000;

int Nothing(lua_State*) { return 0; }

// A started GUI over the build's interface script, with one plain element `e`.
struct ScriptedGui {
  ScriptedGui() {
    InstallGuiBindings();
    TQGUI_Services services;
    services.renderer = &renderer;
    services.textures = &textures;
    services.scissor = &scissor;
    services.fonts = &fonts;
    services.lua = &lua;
    services.frameDelta = [] { return 0.016; };
    gui = std::make_unique<TQGUI_Context>(services);
    scripted = std::make_unique<TQGUI_ScriptedGui>(*gui, lua);
    Start();
  }
  void Start() {
    scripted->Start(1024, 768, false);
    lua.Register("nothing", Nothing);
    lua.DoString("e = qgui_create(TYPE_ELEMENT)");
  }
  // Runs `body` kCalls times in one Lua loop per iteration.
  void Loop(benchmark::State& state, const std::string& body) {
    lua.DoString("function loop_() for i = 1, " + std::to_string(kCalls) + " do " + body + " end end");
    lua_State* L = lua.State();
    for (auto _ : state) {
      lua_getglobal(L, "loop_");
      lua_pcall(L, 0, 0, 0);
    }
    state.SetItemsProcessed(state.iterations() * kCalls);
  }

  RecordingRenderer renderer;
  TQGUI_TextureManager textures;
  TQGUI_Scissor_Stack scissor;
  TOGL_Font_Manager fonts;
  TLUA lua;
  std::unique_ptr<TQGUI_Context> gui;
  std::unique_ptr<TQGUI_ScriptedGui> scripted;
};

void BM_LuaCallsNothing(benchmark::State& state) { ScriptedGui().Loop(state, "nothing(e, PROP_X, i)"); }
BENCHMARK(BM_LuaCallsNothing);

void BM_QguiSetX(benchmark::State& state) { ScriptedGui().Loop(state, "qgui_set(e, PROP_X, i)"); }
BENCHMARK(BM_QguiSetX);

void BM_QguiSetColour(benchmark::State& state) {
  ScriptedGui().Loop(state, "qgui_set(e, PROP_COL1, 255, i % 256, 0, 128)");
}
BENCHMARK(BM_QguiSetColour);

void BM_QguiGetX(benchmark::State& state) { ScriptedGui().Loop(state, "local x = qgui_get(e, PROP_X)"); }
BENCHMARK(BM_QguiGetX);

void BM_QguiGetColour(benchmark::State& state) { ScriptedGui().Loop(state, "local c = qgui_get(e, PROP_COL1)"); }
BENCHMARK(BM_QguiGetColour);

// The frame's call as the app makes it: parsed from text, into the interface script.
void BM_FpsCounterIntoTheInterface(benchmark::State& state) {
  ScriptedGui gui;
  gui.lua.DoString("function localization(n) return tostring(math.floor(n)) end");
  for (auto _ : state) gui.lua.DoString("FROMAPP_FPSCOUNTER(60)");
}
BENCHMARK(BM_FpsCounterIntoTheInterface);

// A script that fails every frame: each call adds to the error window's log, kept at its bound.
void BM_FpsCounterThatFails(benchmark::State& state) {
  ScriptedGui gui;
  gui.lua.DoString("function FROMAPP_FPSCOUNTER(fps) error('broken ' .. fps) end");
  for (auto _ : state) gui.lua.DoString("FROMAPP_FPSCOUNTER(60)");
}
BENCHMARK(BM_FpsCounterThatFails);

void BM_BareInterpreterStart(benchmark::State& state) {
  InstallGuiBindings();
  TLUA lua;
  for (auto _ : state) lua.Start();
}
BENCHMARK(BM_BareInterpreterStart);

void BM_GuiStartWithTheErrorWindowAndMenu(benchmark::State& state) {
  ScriptedGui gui;
  for (auto _ : state) gui.scripted->Start(1024, 768, false);
}
BENCHMARK(BM_GuiStartWithTheErrorWindowAndMenu);

}  // namespace
