// Any text parses without a crash; events come out in range, errors few and short.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "headless/EventScript.h"

namespace {

bool InRange(const TScriptedEvent& e) {
  return e.frame >= 0 && e.frame <= kMaxRunFrames && e.x >= -kMaxEventCoordinate && e.x <= kMaxEventCoordinate &&
         e.y >= -kMaxEventCoordinate && e.y <= kMaxEventCoordinate && e.a >= -kMaxEventWheelDelta &&
         e.a <= kMaxEventWheelDelta;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> errors;
  for (const TScriptedEvent& e : ParseEventScript(std::string_view(reinterpret_cast<const char*>(data), size), errors))
    if (!InRange(e)) std::abort();
  if (errors.size() > 21) std::abort();
  for (const std::string& error : errors)
    if (error.size() > 200) std::abort();
  return 0;
}
