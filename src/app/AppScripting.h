#pragma once

// The app's part of the Lua host: script reports (source, message) become console
// lines, so no script problem goes unseen, and every interpreter the host starts
// gets the "localization" function.
void InstallScriptHooks();
