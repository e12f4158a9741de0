#pragma once
#include <cstdint>
#include <istream>
#include <vector>

class TByteReader;

// One glyph of a bitmap font: an 8-bit coverage image, rows from the top.
struct TZQGlyph {
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint16_t Check = 0;
  std::vector<uint8_t> Pixels;  // Width x Height bytes, or empty
};

// Reader of bitmap font files: "ZQFONT2" (zlib-compressed images) or the
// uncompressed variant (any other magic).
class TZQFont {
 public:
  // Bounds on what a file can make us hold: images beyond them keep their metrics only.
  static constexpr size_t kMaxGlyphBytes = size_t(1) << 20;
  static constexpr size_t kMaxTotalBytes = size_t(64) << 20;

  TZQFont();

  void Load(std::istream& in, bool keepPixels);
  const TZQGlyph& Glyph(char16_t ch) const { return table_[ch]; }

  bool Compressed = false;
  uint16_t GlyphCount = 0;
  uint16_t HeaderWord1 = 0;
  uint16_t HeaderWord2 = 0;
  // Images that were damaged, cut short or beyond the bounds; their glyphs draw nothing.
  int BadImages = 0;

 private:
  void ReadImage(TByteReader& r, TZQGlyph& glyph, bool keepPixels);
  void KeepPixels(TZQGlyph& glyph, std::vector<uint8_t> pixels);

  std::vector<TZQGlyph> table_;
  size_t keptBytes_ = 0;
};
