#include "QGUI/ScriptedGui.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "QGUI/Context.h"
#include "QGUI/Desktop.h"
#include "gl/Renderer.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "script/LuaApi.h"
#include "script/LuaHost.h"

namespace {

// Its address keys the GUI in each interpreter's registry.
const char kGuiKey = 0;

// A file name as a double-quoted Lua string.
std::string DoubleQuoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\n' || c == '\r') {
      quoted += c == '\n' ? "\\n" : "\\r";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string_view FileNameOf(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

using Command = void (*)(TQGUI_ScriptedGui& gui);

// qgui_debug's commands by number.
const std::array<Command, 4> kDebugCommands = {
    [](TQGUI_ScriptedGui& gui) { gui.Context().reloadRequested = true; },
    [](TQGUI_ScriptedGui&) {
      std::fflush(stdout);
      std::_Exit(0);
    },
    [](TQGUI_ScriptedGui& gui) { gui.ErrorWindow().Hide(); },
    [](TQGUI_ScriptedGui& gui) { gui.ErrorWindow().CopyToClipboard(); },
};

}  // namespace

TQGUI_ScriptedGui::TQGUI_ScriptedGui(TQGUI_Context& context, TLUA& lua)
    : context_(context), lua_(lua), errorWindow_(context) {}

TQGUI_ScriptedGui::~TQGUI_ScriptedGui() {
  if (Of(lua_.State()) == this) {
    lua_.errorHandler = nullptr;
    lua_pushlightuserdata(lua_.State(), const_cast<char*>(&kGuiKey));
    lua_pushnil(lua_.State());
    lua_rawset(lua_.State(), LUA_REGISTRYINDEX);
  }
}

void TQGUI_ScriptedGui::Attach() {
  lua_State* state = lua_.State();
  if (!state) return;
  lua_pushlightuserdata(state, const_cast<char*>(&kGuiKey));
  lua_pushlightuserdata(state, this);
  lua_rawset(state, LUA_REGISTRYINDEX);
  lua_.errorHandler = [this](const std::string& message) { ShowLuaError(message); };
}

TQGUI_ScriptedGui* TQGUI_ScriptedGui::Of(lua_State* state) {
  if (!state) return nullptr;
  lua_pushlightuserdata(state, const_cast<char*>(&kGuiKey));
  lua_rawget(state, LUA_REGISTRYINDEX);
  auto* gui = static_cast<TQGUI_ScriptedGui*>(lua_touserdata(state, -1));
  lua_pop(state, 1);
  return gui;
}

void TQGUI_ScriptedGui::Start(int32_t screenWidth, int32_t screenHeight, bool eastAsian) {
  PresentBlackFrame();
  Reset();
  TQGUI_Desktop& desktop = context_.CreateDesktop();
  lua_.Start();
  Attach();
  lua_.DoString("math.randomseed(" + std::to_string(HiResCount() & 0x7fffffff) + ");");
  lua_.DoString("ScrWidth=" + std::to_string(screenWidth));
  lua_.DoString("ScrHeight=" + std::to_string(screenHeight));
  lua_.DoString(eastAsian ? "default_font=\"Arial Unicode MS 19,0\"; japanese=true;"
                          : "default_font=\"trebuchet ms H20Wdefault\"; japanese=false;");
  {
    TQGUI_Context::Guard guard(context_);
    errorWindow_.Build();
  }
  lua_.RunFile("menu.lua");
  if (context_.Desktop() == &desktop) {
    TQGUI_Context::Guard guard(context_);
    desktop.SetWidth(screenWidth);
    desktop.SetHeight(screenHeight);
  }
  lua_.DoString("Init();");
  PublishFontList();
  if (postStartHook) postStartHook();
}

void TQGUI_ScriptedGui::Reset() {
  context_.Reset();
  if (resetHook) resetHook();
}

void TQGUI_ScriptedGui::PresentBlackFrame() {
  TOGL_Renderer& renderer = context_.Renderer();
  renderer.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  renderer.Begin2D(0, 0);
  renderer.BindTexture(0, renderer.whiteTexture);
  renderer.SetQuadType(0);
  renderer.SetColour(0, 0, 0, 1);
  renderer.DrawQuad(0, 0, float(renderer.Width()), float(renderer.Height()), 0, 0, 1, 1);
  renderer.Swap();
}

void TQGUI_ScriptedGui::PublishFontList() {
  if (!lua_.IsOpen()) return;
  lua_.DoString("FontList = {};");
  lua_.DoString("FontListCount = " + std::to_string(context_.fontList.size()) + ";");
  size_t published = 0;
  for (const std::string& entry : context_.fontList) {
    if (entry.find('#') != std::string::npos) continue;
    ++published;
    lua_.DoString("FontList[" + std::to_string(published) + "] = " + DoubleQuoted(FileNameOf(entry)));
  }
  lua_.DoString("FontListCount = " + std::to_string(published) + ";");
}

void TQGUI_ScriptedGui::DebugCommand(int32_t command) {
  if (command >= 0 && size_t(command) < kDebugCommands.size()) kDebugCommands[size_t(command)](*this);
}

void TQGUI_ScriptedGui::ShowLuaError(const std::string& message) {
  // The same error from another task (a frame rate that changed) is not news either.
  std::string error = message.substr(0, message.find(" Task: <"));
  if (error != lastReported_) {
    lastReported_ = std::move(error);
    ReportError("CFE", message);
  }
  if (!context_.Desktop()) return;
  TQGUI_Context::Guard guard(context_);
  errorWindow_.Show(ToUtf16(message));
}
