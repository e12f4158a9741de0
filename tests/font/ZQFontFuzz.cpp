// Any bytes as a bitmap font: reading, packing into pages and drawing must stay inside the buffers.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "RecordingRenderer.h"
#include "font/FontBMP.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordingRenderer renderer;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  TOGL_Font_Base* font = LoadBitmapFont("fuzz", &in, 1.0L);
  std::u16string text = u"Hello, world";
  for (size_t i = 70; i + 1 < size && i < 70 + 64; i += 2) text += char16_t(data[i] | data[i + 1] << 8);
  font->SetColour(1, 1, 1, 1);
  font->DrawText(text, 3, 40);
  font->Release();
  std::istringstream again(std::string(reinterpret_cast<const char*>(data), size));
  TZQFont metrics;
  metrics.Load(again, false);
  renderer.quads.clear();
  renderer.textures.clear();
  return 0;
}
