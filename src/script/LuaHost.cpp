#include "script/LuaHost.h"

#include <fmt/format.h>

#include <array>
#include <cstdlib>
#include <exception>

#include "platform/DataFiles.h"
#include "platform/Text.h"
#include "script/LuaApi.h"
#include "script/LuaBindings.h"
#include "script/LuaErrorMessage.h"
#include "script/LuaFiles.h"
#include "script/LuaHostFunctions.h"

namespace {

TLUA* g_lua = nullptr;
// Its address keys the host pointer in each state's registry.
const char kHostKey = 0;

constexpr std::array<const char*, 6> kPrelude = {
    "function Tick(FrameTime) end;",
    "function Int(value) return math.floor(value); end;",
    "function Inc(value,amount) value=value+(amount or 1); return value; end;",
    "function Dec(value,amount) value=value-(amount or 1); return value; end;",
    "function sign(value) if value < 0 then return -1; else return 1; end; end;",
    "True = true;False = false;",
};

// A script asking for absurd amounts of memory gets a Lua "not enough memory" error
// instead of taking the process down.
void* Allocate(void* used, void* block, size_t oldSize, size_t newSize) {
  size_t& total = *static_cast<size_t*>(used);
  if (newSize == 0) {
    std::free(block);
    total -= oldSize;
    return nullptr;
  }
  if (newSize > oldSize && total - oldSize + newSize > TLUA::kMemoryLimit) return nullptr;
  void* moved = std::realloc(block, newSize);
  if (moved) total = total - oldSize + newSize;
  return moved;
}

int Panic(lua_State* state) {
  ReportError("LUAPanic", ArgString(state, -1));
  return 0;
}

// Lua 5.1 opens libraries by calling them.
int OpenLibraries(lua_State* state) {
  for (lua_CFunction open : {luaopen_base, luaopen_string, luaopen_table, luaopen_math}) {
    lua_pushcfunction(state, open);
    lua_pushstring(state, "");
    lua_call(state, 1, 0);
  }
  return 0;
}

// The error value as text. Numbers are formatted here: converting them inside Lua
// allocates, and the error may be that memory ran out.
std::string ErrorText(lua_State* state) {
  if (lua_type(state, -1) == LUA_TNUMBER) return fmt::format("{:.14g}", lua_tonumber(state, -1));
  return ArgString(state, -1);
}

struct TickCall {
  const char* name;
  double seconds;
};

// Runs protected: looking the name up and calling it may raise Lua errors.
int CallTick(lua_State* state) {
  const auto* call = static_cast<const TickCall*>(lua_touserdata(state, 1));
  lua_getfield(state, LUA_GLOBALSINDEX, call->name);
  lua_pushnumber(state, call->seconds);
  lua_call(state, 1, 0);
  return 0;
}

bool IsBlank(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}

}  // namespace

TLUA::TLUA() { g_lua = this; }

TLUA::~TLUA() {
  Close();
  if (g_lua == this) g_lua = nullptr;
}

TLUA* LUA() { return g_lua; }

void TLUA::Start() {
  if (IsOpen()) Close();
  tickCallbacks.clear();
  memoryUsed_ = 0;
  state_ = lua_newstate(Allocate, &memoryUsed_);
  if (!state_) {
    ReportError("LUAPanic", "not enough memory");
    return;
  }
  lua_atpanic(state_, Panic);
  lua_pushlightuserdata(state_, const_cast<char*>(&kHostKey));
  lua_pushlightuserdata(state_, this);
  lua_rawset(state_, LUA_REGISTRYINDEX);

  int top = lua_gettop(state_);
  if (int status = lua_cpcall(state_, OpenLibraries, nullptr)) Report(status, "opening the Lua libraries", top);
  ReplaceFileFunctions(state_);
  DoString(GuiBindings().constants);
  for (const TLUA_Function& f : RegistrationList(HostFunctions(), GuiBindings().functions))
    Register(f.first.c_str(), f.second);
  if (const TLUA_RegistrationHook& hook = ExtraRegistrationHook()) hook(*this);
  for (const char* line : kPrelude) DoString(line);
}

void TLUA::Close() {
  if (!state_) return;
  lua_close(state_);
  state_ = nullptr;
}

void TLUA::DoString(std::string_view text, std::string_view task) {
  if (!state_ || IsBlank(text)) return;
  if (task.empty()) task = text;
  int top = lua_gettop(state_);
  Report(luaL_loadbuffer(state_, text.data(), text.size(), "DoString"), task, top);
}

void TLUA::RunFile(std::string_view name) {
  if (!state_) return;
  std::string path = DataPath("lua\\" + std::string(name)).string();
  int top = lua_gettop(state_);
  Report(LoadScriptFile(state_, path), path, top);
}

void TLUA::Register(const char* name, lua_CFunction function) {
  if (state_) RegisterFunction(state_, name, function);
}

void TLUA::RunTickCallbacks(double seconds) {
  // A tick function may register further ones; those run from the next frame.
  const std::vector<std::string> names = tickCallbacks;
  for (const std::string& name : names) {
    if (!state_) return;
    int top = lua_gettop(state_);
    TickCall call{name.c_str(), seconds};
    if (lua_cpcall(state_, CallTick, &call) != 0) {
      ReportFailure(0, name, top);
    } else {
      lua_settop(state_, top);
    }
  }
}

TLUA* TLUA::HostOf(lua_State* state) {
  lua_pushlightuserdata(state, const_cast<char*>(&kHostKey));
  lua_rawget(state, LUA_REGISTRYINDEX);
  auto* host = static_cast<TLUA*>(lua_touserdata(state, -1));
  lua_pop(state, 1);
  return host;
}

void TLUA::Report(int loadStatus, std::string_view task, int top) {
  if (loadStatus == 0 && lua_pcall(state_, 0, LUA_MULTRET, 0) == 0) {
    lua_settop(state_, top);
    return;
  }
  ReportFailure(loadStatus, task, top);
}

// The error value is on top of the stack.
void TLUA::ReportFailure(int loadStatus, std::string_view task, int top) {
  std::string message = LuaErrorMessage(loadStatus, ErrorText(state_), task);
  lua_settop(state_, top);
  Deliver(message);
}

// An error raised while the handler is showing another one goes to the report hook:
// handing it back to the handler could recurse without end.
void TLUA::Deliver(const std::string& message) {
  if (!errorHandler || delivering_) {
    ReportError("CFE", message);
    return;
  }
  ErrorHandlerProc handler = errorHandler;
  delivering_ = true;
  try {
    handler(message);
  } catch (const std::exception&) {
    ReportError("CFE", message);
  }
  delivering_ = false;
}

std::string TLUA::QuoteString(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    switch (c) {
      case '\\':
        quoted += '/';
        break;
      case '\'':
        quoted += "\\'";
        break;
      // A raw line break would end the literal with a syntax error.
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      default:
        quoted += c;
    }
  }
  return quoted + "'";
}

std::string TLUA::QuoteWideString(std::u16string_view text) { return QuoteString(ToUtf8(text)); }
