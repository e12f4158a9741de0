#include "script/LuaErrorMessage.h"

#include <fmt/format.h>

#include <lua.hpp>

int MessageStatus(int loadStatus) {
  switch (loadStatus) {
    case LUA_ERRRUN:
      return 1;
    case LUA_ERRFILE:
      return 2;
    default:  // 0, syntax (3), memory (4) and error-handler (5) agree in both numberings
      return loadStatus;
  }
}

std::string_view FirstCharacters(std::string_view utf8, size_t count) {
  size_t characters = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    bool continuation = (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80;
    if (!continuation && characters++ == count) return utf8.substr(0, i);
  }
  return utf8;
}

// Paths in messages stay as they are: file names are already UTF-8 here, so the
// code-page conversion of the part before ".lua" has nothing to do.
std::string LuaErrorMessage(int loadStatus, std::string_view error, std::string_view task) {
  std::string message = fmt::format("LUAError ({}): {}", MessageStatus(loadStatus), error);
  if (!task.empty()) message += fmt::format(" Task: <{}>", FirstCharacters(task, 100));
  return message;
}
