#pragma once
#include <string>
#include <string_view>

// The status number a script error message shows, in the numbering the interface
// scripts were written against: 0 run time, 2 unreadable file, 3 syntax, 4 memory.
// `loadStatus` is what Lua 5.1's loaders return (0 when the chunk loaded and then failed).
int MessageStatus(int loadStatus);

// "LUAError (<status>): <error>", then " Task: <first 100 characters of task>" unless
// the task is empty.
std::string LuaErrorMessage(int loadStatus, std::string_view error, std::string_view task);

// The first `count` characters of UTF-8 text, never splitting a character.
std::string_view FirstCharacters(std::string_view utf8, size_t count);
