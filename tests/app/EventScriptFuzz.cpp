#include <cstddef>
#include <cstdint>
#include <string_view>

#include "headless/EventScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> errors;
  ParseEventScript(std::string_view(reinterpret_cast<const char*>(data), size), errors);
  return 0;
}
