#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// An 8-bit image, rows from the top.
struct TGrayImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

// One FreeType face at one pixel size. Every glyph is placed in a box of the
// line's full height, so that glyphs drawn centred in a line share a baseline.
class TGlyphRasteriser {
 public:
  TGlyphRasteriser();
  ~TGlyphRasteriser();
  TGlyphRasteriser(const TGlyphRasteriser&) = delete;
  TGlyphRasteriser& operator=(const TGlyphRasteriser&) = delete;

  // Opens the font file held in `bytes`, which must outlive the rasteriser; `name` is for
  // messages. Empty on success, else a message.
  std::string Open(std::string_view bytes, const std::string& name, int pixelSize);

  bool HasGlyph(char32_t code) const;
  // Unhinted advance at the pixel size, rounded to whole pixels.
  int Advance(char32_t code) const;
  int Ascender() const { return ascender_; }
  int Descender() const { return descender_; }  // negative below the baseline
  int LineHeight() const { return ascender_ - descender_; }

  // The glyph with `margin` pixels on every side, (Advance + 2 margin) x
  // (LineHeight + 2 margin) pixels, every length multiplied by `factor`. Hinted
  // images are meant for plain coverage at factor 1.
  TGrayImage Render(char32_t code, int margin, int factor, bool hinted);

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  int pixelSize_ = 0;
  int ascender_ = 0;
  int descender_ = 0;
};
