#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GuiFixture.h"
#include "QGUI/ScriptedGui.h"

// A GuiTest whose interpreter has the GUI's constants and functions and reaches the
// test's tree, so cases are Lua snippets run against real elements. Lua errors arrive
// as "CFE" reports.
class ScriptTest : public GuiTest {
 protected:
  ScriptTest();
  ~ScriptTest() override;

  void Run(const std::string& code) { lua.DoString(code); }
  // Defines show() (below) in the interpreter now open.
  void DefineShow();
  // show(...) of the values `call` returns: "none" for no value, tables as their
  // sorted "key=value" pairs, anything else through tostring.
  std::string Show(const std::string& call);
  double Number(const std::string& expression);
  // The messages of the reports from `source`, in order.
  std::vector<std::string> ReportsFrom(const std::string& source) const;
  // An element made by qgui_create from Lua, with its id in the Lua global `name`.
  TQGUI_Element& Created(const std::string& name, const std::string& arguments = "TYPE_ELEMENT");

  std::unique_ptr<TQGUI_ScriptedGui> scripted;
};
