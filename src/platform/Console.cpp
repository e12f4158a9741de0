#include "platform/Console.h"

namespace {
std::unique_ptr<TVORN3_Console>& GlobalConsole() {
  static std::unique_ptr<TVORN3_Console> console;
  return console;
}
}  // namespace

void SetConsole(std::unique_ptr<TVORN3_Console> console) { GlobalConsole() = std::move(console); }

TVORN3_Console* Console() { return GlobalConsole().get(); }

void ConsoleWrite(std::u16string_view text) {
  if (auto* console = Console()) console->Write(text);
}
