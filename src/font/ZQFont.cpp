#include "font/ZQFont.h"

#include <cstring>

#include "font/ByteReader.h"
#include "font/Inflate.h"

TZQFont::TZQFont() : table_(65536) {}

void TZQFont::Load(std::istream& in, bool keepPixels) {
  TByteReader r(in);
  char magic[7] = {};
  for (char& c : magic) c = char(r.U8());
  Compressed = r.ok() && std::memcmp(magic, "ZQFONT2", 7) == 0;
  r.Seek(64);
  GlyphCount = r.U16();
  HeaderWord1 = r.U16();
  HeaderWord2 = r.U16();
  if (!r.ok()) {
    GlyphCount = HeaderWord1 = HeaderWord2 = 0;
    return;
  }
  for (int i = 0; i < GlyphCount; ++i) {
    uint16_t code = r.U16();
    uint16_t width = r.U16();
    uint16_t height = r.U16();
    uint16_t check = r.U16();
    if (!r.ok()) return;
    TZQGlyph& glyph = table_[code];
    glyph.Width = width;
    glyph.Height = height;
    glyph.Check = check;
    // A new record for the code makes an older image stale: its size may no longer match.
    KeepPixels(glyph, {});
    if (check == code && width > 0) ReadImage(r, glyph, keepPixels);
    if (!r.ok()) return;
  }
}

void TZQFont::ReadImage(TByteReader& r, TZQGlyph& glyph, bool keepPixels) {
  const size_t expected = size_t(glyph.Width) * glyph.Height;
  const size_t blockSize = Compressed ? r.U32() : expected;
  const bool fits = expected <= kMaxGlyphBytes && keptBytes_ + expected <= kMaxTotalBytes;
  if (!keepPixels || !fits) {
    if (keepPixels) ++BadImages;
    r.Skip(blockSize);
    return;
  }
  std::vector<uint8_t> block = r.Bytes(blockSize);
  std::vector<uint8_t> pixels;
  const bool whole = Compressed ? Inflate(block, expected, pixels) : block.size() == expected;
  if (!Compressed) pixels = std::move(block);
  // A damaged image is dropped rather than padded: its glyph keeps its advance and draws nothing.
  if (!whole) {
    ++BadImages;
    return;
  }
  KeepPixels(glyph, std::move(pixels));
}

void TZQFont::KeepPixels(TZQGlyph& glyph, std::vector<uint8_t> pixels) {
  keptBytes_ -= glyph.Pixels.size();
  glyph.Pixels = std::move(pixels);
  keptBytes_ += glyph.Pixels.size();
}
