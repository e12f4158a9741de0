#pragma once

// The app's part of the Lua host: script reports (source, message) become console
// lines, so no script problem goes unseen; every interpreter the host starts gets the
// GUI's constants and functions, "localization", and a "print" that writes its
// arguments to the console as one line, separated by tabs.
void InstallScriptHooks();
