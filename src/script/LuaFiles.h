#pragma once
#include <cstddef>
#include <filesystem>
#include <lua.hpp>

// Scripts are text of a few KiB; this only stops hostile files.
constexpr size_t kMaxScriptFile = size_t(16) << 20;

// luaL_loadfile through the data-file reader: only a regular file of at most
// kMaxScriptFile bytes is read, so a FIFO or a device neither blocks nor exhausts the
// host. Pushes the chunk, or the message ("cannot open PATH: REASON" with LUA_ERRFILE,
// or the syntax error) and returns the status.
int LoadScriptFile(lua_State* state, const std::filesystem::path& path);
// Replaces the base library's dofile and loadfile by ones that load through
// LoadScriptFile. Both need a file name: the originals read standard input without one.
void ReplaceFileFunctions(lua_State* state);
