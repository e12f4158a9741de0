// A slot naming a file already loaded is filled from the cache by a linear,
// case-insensitive scan; the baseline is what the cache saves: decoding the file again
// (a "|" name, never shared). Range: number of cached textures ahead of the one looked up.
#include <benchmark/benchmark.h>
#include <png.h>

#include <string>

#include "QGUI/TextureManager.h"
#include "RecordingRenderer.h"
#include "TestImages.h"
#include "TextureFolder.h"

namespace {

void WriteImages(TextureFolder& folder, int count) {
  auto spec = MakePngSpec(64, 64, PNG_COLOR_TYPE_RGB_ALPHA, 8);
  for (int i = 0; i < 64 * 64 * 4; ++i) spec.samples.push_back(uint16_t((i * 37) % 251));
  std::string png = EncodePNG(spec);
  for (int i = 0; i < count; ++i) folder.Write("image" + std::to_string(i) + ".png", png);
}

void BM_CachedLookup(benchmark::State& state) {
  int count = static_cast<int>(state.range(0));
  TextureFolder folder;
  WriteImages(folder, count);
  RecordingRenderer renderer;
  TQGUI_TextureManager manager;
  for (int i = 0; i < count; ++i) {
    TQGUITexSlot slot;
    slot.name = "image" + std::to_string(i) + ".png";
    manager.LoadTexture(slot);
  }
  TQGUITexSlot slot;
  slot.name = "IMAGE" + std::to_string(count - 1) + ".PNG";
  for (auto _ : state) {
    manager.LoadTexture(slot);
    manager.ReleaseTexture(slot);
  }
}
BENCHMARK(BM_CachedLookup)->Arg(1)->Arg(100)->Arg(1000);

void BM_BaselineDecodeAndUpload(benchmark::State& state) {
  TextureFolder folder;
  WriteImages(folder, 1);
  RecordingRenderer renderer;
  TQGUI_TextureManager manager;
  TQGUITexSlot slot;
  slot.name = "|image0.png";
  for (auto _ : state) {
    manager.LoadTexture(slot);
    manager.ReleaseTexture(slot);
  }
}
BENCHMARK(BM_BaselineDecodeAndUpload);

}  // namespace
