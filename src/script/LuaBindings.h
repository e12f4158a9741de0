#pragma once
#include <functional>
#include <lua.hpp>
#include <string>
#include <utility>
#include <vector>

class TLUA;

using TLUA_Function = std::pair<std::string, lua_CFunction>;

// The GUI toolkit's part of every interpreter: its constants chunk, run before any
// function is registered, and its native functions. The toolkit installs them once at
// program start; every later Start picks them up.
struct TLUA_GuiBindings {
  std::string constants;
  std::vector<TLUA_Function> functions;
};
void SetGuiBindings(TLUA_GuiBindings bindings);
const TLUA_GuiBindings& GuiBindings();

// Run by Start after the built-in registrations; the app registers "localization" here.
using TLUA_RegistrationHook = std::function<void(TLUA& lua)>;
// Returns the previous hook; an empty one removes it.
TLUA_RegistrationHook SetExtraRegistrationHook(TLUA_RegistrationHook hook);
const TLUA_RegistrationHook& ExtraRegistrationHook();

// Every function Start registers, in registration order: the host's own functions
// among the GUI's, then any GUI function the fixed order does not name. Names without
// an implementation yet are left out.
std::vector<TLUA_Function> RegistrationList(const std::vector<TLUA_Function>& hostFunctions,
                                            const std::vector<TLUA_Function>& guiFunctions);
