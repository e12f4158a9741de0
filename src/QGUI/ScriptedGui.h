#pragma once
#include <cstdint>
#include <functional>
#include <lua.hpp>
#include <string>

#include "QGUI/ErrorWindow.h"

class TLUA;
class TQGUI_Context;

// The GUI as the scripts see it: starting it builds a fresh tree and a fresh Lua
// interpreter whose GUI functions reach this object, tells the scripts the screen, the
// default font and the font list, builds the error window and runs "menu" and "Init();".
// The context and the Lua host are the host's and outlive it.
class TQGUI_ScriptedGui {
 public:
  TQGUI_ScriptedGui(TQGUI_Context& context, TLUA& lua);
  ~TQGUI_ScriptedGui();
  TQGUI_ScriptedGui(const TQGUI_ScriptedGui&) = delete;
  TQGUI_ScriptedGui& operator=(const TQGUI_ScriptedGui&) = delete;

  // Presents one black frame, resets, and builds the GUI anew.
  void Start(int32_t screenWidth, int32_t screenHeight, bool eastAsian);
  // Destroys the tree (the error window with it), empties the registry, clears the GUI
  // state and the font cache.
  void Reset();
  // Makes the interpreter now open reach this GUI through its GUI functions, and its
  // errors the error window.
  void Attach();
  // The GUI the functions of `state` reach; null when none is attached.
  static TQGUI_ScriptedGui* Of(lua_State* state);

  // qgui_debug: 0 asks for a reload, 1 ends the program, 2 hides the error window, 3
  // copies the full error log to the clipboard; other numbers do nothing.
  void DebugCommand(int32_t command);

  TQGUI_Context& Context() const { return context_; }
  TLUA& Lua() const { return lua_; }
  TQGUI_ErrorWindow& ErrorWindow() { return errorWindow_; }

  // Optional host hooks: after every start, and at the end of every reset.
  std::function<void()> postStartHook;
  std::function<void()> resetHook;

 private:
  void PresentBlackFrame();
  void PublishFontList();
  void ShowLuaError(const std::string& message);

  TQGUI_Context& context_;
  TLUA& lua_;
  TQGUI_ErrorWindow errorWindow_;
  // The last error also written as a report, without its task: a script failing every
  // frame fills the window's log, not the console.
  std::string lastReported_;
};
