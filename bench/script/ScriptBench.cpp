// What the frame loop pays to hand the frame rate to the scripts: DoString parses the
// call every frame; the baseline calls the same function without parsing.
#include <benchmark/benchmark.h>

#include "script/LuaApi.h"
#include "script/LuaHost.h"

namespace {

void StartWithCounter(TLUA& lua) {
  lua.Start();
  lua.DoString("fps = 0 function FROMAPP_FPSCOUNTER(value) fps = value end");
}

void BM_DoStringFpsCounter(benchmark::State& state) {
  TLUA lua;
  StartWithCounter(lua);
  for (auto _ : state) lua.DoString("FROMAPP_FPSCOUNTER(60)");
}
BENCHMARK(BM_DoStringFpsCounter);

void BM_BaselineDirectCall(benchmark::State& state) {
  TLUA lua;
  StartWithCounter(lua);
  lua_State* L = lua.State();
  for (auto _ : state) {
    lua_getglobal(L, "FROMAPP_FPSCOUNTER");
    lua_pushnumber(L, 60);
    lua_pcall(L, 1, 0, 0);
  }
}
BENCHMARK(BM_BaselineDirectCall);

void BM_StartInterpreter(benchmark::State& state) {
  TLUA lua;
  for (auto _ : state) lua.Start();
}
BENCHMARK(BM_StartInterpreter);

}  // namespace
