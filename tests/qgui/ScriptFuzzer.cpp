// Random sequences of GUI function calls with random arguments against a live tree, with
// pointer and key events, frames, tick functions and reloads in between. Callback code
// comes from snippets that create, delete, hide and reorder elements from inside their
// own events. Only the calls that need a GL context (element shaders) or end the
// process (qgui_debug(1)) are left out.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "QGUI/Context.h"
#include "QGUI/Properties.h"
#include "QGUI/Scissor.h"
#include "QGUI/ScriptInterface.h"
#include "QGUI/ScriptedGui.h"
#include "QGUI/TextureManager.h"
#include "RecordingRenderer.h"
#include "font/FontManager.h"
#include "platform/DataFiles.h"
#include "script/LuaApi.h"
#include "script/LuaBindings.h"
#include "script/LuaHost.h"

namespace {

// The GUI's functions as installed, and the tick registration the host adds to them.
std::vector<std::string> FunctionNames() {
  std::vector<std::string> names{"QGUI_register_tick_callback"};
  for (const TLUA_Function& f : GuiBindings().functions) names.push_back(f.first);
  return names;
}

const std::array<const char*, 24> kStrings = {
    "qgui_delete(%id)",
    "qgui_create(0, %id)",
    "qgui_create(0, %id, true)",
    "qgui_set(%id, PROP_VISIBLE, false)",
    "qgui_set(%id, PROP_W, %x) qgui_set(%id, PROP_H, %y)",
    "qgui_deletechildren(desktop)",
    "qgui_deletechildren(%id)",
    "qgui_bringtofront(%id)",
    "qgui_sendtoback(%id)",
    "qgui_setkeyboardfocus(%id)",
    "qgui_debug(0)",
    "qgui_debug(2)",
    "qgui_debug(3)",
    "error('fuzz')",
    "x = (",
    "function tick() qgui_create(0) qgui_delete(1) end",
    "tick",
    "missing.png",
    "Tahoma_70_Fixed_16_2.DFF;0.29;0.1;0.6;2",
    "a\xff\xc0z",
    "\xf0\x9d\x84\x9e\xe4\xb8\xad",
    "",
    "%id %x %y %b %k %delta %left %right",
    "qgui_set(%id, PROP_ANCHOR, true, true, true, true) qgui_set(desktop, PROP_W, %x)",
};

class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  int16_t Short() { return int16_t(Byte() | Byte() << 8); }
  double Double() {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= uint64_t(Byte()) << (8 * i);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  std::string Text() {
    std::string text;
    for (size_t length = Byte() % 17; length > 0; --length) text += char(Byte());
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void PushArgument(lua_State* state, Bytes& in) {
  switch (in.Byte() % 8) {
    case 0:
      lua_pushnil(state);
      break;
    case 1:
    case 2:
      lua_pushnumber(state, int(in.Byte()) - 3);  // ids, properties, callbacks, types
      break;
    case 3:
      lua_pushnumber(state, in.Double());
      break;
    case 4:
      lua_pushboolean(state, in.Byte() & 1);
      break;
    case 5:
    case 6:
      lua_pushstring(state, kStrings[in.Byte() % kStrings.size()]);
      break;
    default: {
      std::string text = in.Text();
      lua_pushlstring(state, text.data(), text.size());
    }
  }
}

// Stops any chunk that runs too long, so code the fuzzer writes cannot hang the run.
void Watchdog(lua_State* state, lua_Debug*) { luaL_error(state, "ran too long"); }

bool Excluded(const std::string& name, lua_State* state, int first) {
  if (name == "qgui_debug") return TruncateToInt(lua_tonumber(state, first)) == 1;
  if (name == "qgui_set") return TruncateToInt(lua_tonumber(state, first + 1)) == PROP_SHADER;
  return false;
}

void CallFunction(TLUA& lua, Bytes& in) {
  lua_State* state = lua.State();
  if (!state) return;
  static const std::vector<std::string> functions = FunctionNames();
  const std::string& name = functions[in.Byte() % functions.size()];
  int top = lua_gettop(state);
  lua_getglobal(state, name.c_str());
  int count = in.Byte() % 8;
  for (int i = 0; i < count; ++i) PushArgument(state, in);
  if (!Excluded(name, state, top + 2)) lua_pcall(state, count, LUA_MULTRET, 0);
  lua_settop(state, top);
}

void Event(TQGUI_Context& gui, Bytes& in) {
  int32_t x = in.Short() % 400, y = in.Short() % 300;
  switch (in.Byte() % 7) {
    case 0:
      gui.MouseMove(x, y);
      break;
    case 1:
      gui.MouseDown(in.Byte() % 4, x, y);
      break;
    case 2:
      gui.MouseUp(in.Byte() % 4, x, y);
      break;
    case 3:
      gui.MouseWheel(x, y, in.Short());
      break;
    case 4:
      gui.KeyDown(in.Byte());
      break;
    case 5:
      gui.KeyUp(in.Byte());
      break;
    default:
      gui.KeyChar(char16_t(in.Short()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool installed = [] {
    InstallGuiBindings();
    SetExeFolder("/nonexistent/zq-script-fuzzer");
    return true;
  }();
  (void)installed;
  RecordingRenderer renderer(320, 240);
  TQGUI_TextureManager textures;
  TQGUI_Scissor_Stack scissor;
  TOGL_Font_Manager fonts;
  TLUA lua;
  uint32_t now = 1000;
  TQGUI_Services services{&renderer,           &textures,           &scissor,           &fonts, &lua,
                          [] { return 0.02; }, [&] { return now; }, [] { return 500u; }};
  TQGUI_Context gui(services);
  TQGUI_ScriptedGui scripted(gui, lua);
  auto start = [&] {
    scripted.Start(320, 240, false);
    lua_sethook(lua.State(), Watchdog, LUA_MASKCOUNT, 200000);
  };
  start();

  Bytes in(data, size);
  while (!in.Empty()) {
    uint8_t op = in.Byte();
    if (op < 160) {
      CallFunction(lua, in);
    } else if (op < 220) {
      Event(gui, in);
    } else if (op < 236) {
      renderer.quads.clear();
      gui.Render();
      now += 300;
    } else if (op < 248) {
      lua.RunTickCallbacks(0.02);
    } else if (gui.reloadRequested) {
      start();
    }
  }
  return 0;
}
