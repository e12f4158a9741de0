#include <cstddef>
#include <cstdint>
#include <string_view>

#include "QGUI/AnimFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TQGUIAnimation animation;
  ParseAnimFile(std::string_view(reinterpret_cast<const char*>(data), size), 64, 32, animation);
  return 0;
}
