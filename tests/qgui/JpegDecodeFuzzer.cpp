#include <cstddef>
#include <cstdint>
#include <string>

#include "QGUI/ImageDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TQGUI_Image image;
  std::string error;
  DecodeJPEG(data, size, image, error);
  return 0;
}
