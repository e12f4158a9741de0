// ".p16" files of any length, then the side-colour ramp and sharing in the palette list.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "model/Palette.h"
#include "model/PaletteList.h"
#include "model/PaletteStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  TPalette palette = GreyRamp();
  ReadPalette16(in, palette);
  static TPaletteStore store;
  static TSmartPaletteList list(store);
  int32_t entry = list.Acquire(palette);
  if (size >= 3) ApplySideColour(palette, data[0], data[1], data[2]);
  list.Release(list.Replace(entry, palette));
  return 0;
}
