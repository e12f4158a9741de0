#pragma once
#include <cstddef>
#include <functional>
#include <lua.hpp>
#include <string>
#include <string_view>
#include <vector>

// The program's embedded Lua interpreter: opens it with its libraries, the GUI's
// constants and functions and the prelude, and runs source text and script files.
// Every load or run failure becomes one "LUAError (" message for `errorHandler`, or
// a "CFE" report when there is none; nothing propagates to the caller.
class TLUA {
 public:
  using ErrorHandlerProc = std::function<void(const std::string& message)>;

  // A state may use this much memory; beyond it allocations fail as "not enough memory".
  static constexpr size_t kMemoryLimit = size_t(256) << 20;

  TLUA();
  ~TLUA();
  TLUA(const TLUA&) = delete;
  TLUA& operator=(const TLUA&) = delete;

  // Replaces any open interpreter with a fresh one.
  void Start();
  void Close();
  // Runs `text` as a chunk; `task` names it in error messages (empty: the text itself).
  // Blank text is ignored.
  void DoString(std::string_view text, std::string_view task = {});
  // Runs a script of the `lua` folder; `name` carries its extension and may use "\".
  void RunFile(std::string_view name);
  void Register(const char* name, lua_CFunction function);
  // Calls each function of `tickCallbacks` with the last frame's duration in seconds;
  // a failing one is reported like any script error, with its name as the task.
  void RunTickCallbacks(double seconds);

  lua_State* State() const { return state_; }
  bool IsOpen() const { return state_ != nullptr; }
  // The host that opened `state`, null for a state it did not open.
  static TLUA* HostOf(lua_State* state);

  // A single-quoted Lua literal: "\" becomes "/", "'" becomes "\'", line breaks are escaped.
  static std::string QuoteString(std::string_view text);
  static std::string QuoteWideString(std::u16string_view text);

  ErrorHandlerProc errorHandler;
  // Function names scripts registered with QGUI_register_tick_callback; emptied by Start.
  std::vector<std::string> tickCallbacks;

 private:
  void Report(int loadStatus, std::string_view task, int top);
  void ReportFailure(int loadStatus, std::string_view task, int top);
  void Deliver(const std::string& message);

  lua_State* state_ = nullptr;
  size_t memoryUsed_ = 0;
  bool delivering_ = false;
};

// The program's Lua host: the most recently created one still alive, or null.
TLUA* LUA();
