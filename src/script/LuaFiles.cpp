#include "script/LuaFiles.h"

#include <cstdio>
#include <string>

#include "platform/DataFiles.h"
#include "script/LuaApi.h"

namespace fs = std::filesystem;

namespace {

// Lua errors unwind by longjmp: nothing with a destructor may be alive when one is raised.
int LoadFile(lua_State* state) {
  const char* name = luaL_checkstring(state, 1);
  if (LoadScriptFile(state, name) == 0) return 1;
  lua_pushnil(state);
  lua_insert(state, -2);
  return 2;
}

int DoFile(lua_State* state) {
  const char* name = luaL_checkstring(state, 1);
  int top = lua_gettop(state);
  if (LoadScriptFile(state, name) != 0) return lua_error(state);
  lua_call(state, 0, LUA_MULTRET);
  return lua_gettop(state) - top;
}

}  // namespace

int LoadScriptFile(lua_State* state, const fs::path& path) {
  char failure[1024] = {};
  int status = 0;
  {
    std::string bytes;
    std::string reason;
    if (ReadRegularFile(path, bytes, kMaxScriptFile, reason) == TFileRead::Read) {
      // As luaL_loadfile does: a first line starting with "#" is skipped, its line break kept.
      if (!bytes.empty() && bytes[0] == '#') bytes.erase(0, std::min(bytes.find('\n'), bytes.size()));
      std::string chunkName = "@" + path.string();
      status = luaL_loadbuffer(state, bytes.data(), bytes.size(), chunkName.c_str());
    } else {
      std::snprintf(failure, sizeof failure, "cannot open %s: %s", path.c_str(), reason.c_str());
      status = LUA_ERRFILE;
    }
  }
  if (failure[0]) lua_pushstring(state, failure);
  return status;
}

void ReplaceFileFunctions(lua_State* state) {
  RegisterFunction(state, "loadfile", LoadFile);
  RegisterFunction(state, "dofile", DoFile);
}
