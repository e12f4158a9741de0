// Any bytes as a DFF file: loading, measuring and drawing must stay inside the buffers.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "RecordingRenderer.h"
#include "font/FontDFF.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordingRenderer renderer;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  TOGL_Font_Base* font = LoadDistanceFieldFont("fuzz.dff", &in, 0.75L);
  std::u16string text = u"Hello, \u00C0\u0416 world";
  for (size_t i = 0; i + 1 < size && i < 64; i += 2) text += char16_t(data[i] | data[i + 1] << 8);
  font->SetColour(1, 1, 1, 1);
  font->DrawText(text, 3, 40);
  font->CharsThatFit(text, 100, 1);
  TOGL_Font_Base* clone = font->CloneAtScale(2.5L);
  clone->DrawText(text, 0, 0);
  clone->Release();
  font->Release();
  renderer.quads.clear();
  renderer.textures.clear();
  return 0;
}
