#pragma once
#include <functional>
#include <memory>
#include <string_view>

// The console log: one global write procedure that hands each line to a sink
// the main window (or the headless runner) supplies.
class TVORN3_Console {
 public:
  using Sink = std::function<void(std::u16string_view line)>;
  explicit TVORN3_Console(Sink sink) : sink_(std::move(sink)) {}
  void Write(std::u16string_view text) const {
    if (sink_) sink_(text);
  }

 private:
  Sink sink_;
};

// Replaces the global console (none until the shell creates one).
void SetConsole(std::unique_ptr<TVORN3_Console> console);
TVORN3_Console* Console();
// Writes one line to the global console; dropped while there is none.
void ConsoleWrite(std::u16string_view text);
