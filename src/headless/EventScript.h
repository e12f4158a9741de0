#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One input event of a headless run, delivered before the frame it names.
struct TScriptedEvent {
  enum class Kind { MouseMove, MouseDown, MouseUp, Wheel, KeyDown, KeyUp, Char };
  int64_t frame = 0;
  Kind kind = Kind::MouseMove;
  int a = 0;  // button, wheel delta, key code or character
  int x = 0;
  int y = 0;
};

// The most frames a run draws, and so the last frame an event may name.
constexpr int64_t kMaxRunFrames = 100'000'000;
// Bounds of event numbers: far enough past any framebuffer for pointer tests, and codes
// as the GUI's 16-bit characters hold them.
constexpr int kMaxEventCoordinate = 65536;
constexpr int kMaxEventWheelDelta = 120 * 1000;
constexpr int kMaxEventCode = 0xFFFF;

// Parses an event file: one event a line, "#" starts a comment.
//   FRAME move X Y | FRAME down BUTTON X Y | FRAME up BUTTON X Y | FRAME wheel DELTA X Y
//   FRAME keydown CODE | FRAME keyup CODE | FRAME char CODE
// Lines that do not parse, or hold a number out of its range, are reported in `errors`
// ("line N: ...") and skipped.
std::vector<TScriptedEvent> ParseEventScript(std::string_view text, std::vector<std::string>& errors);
