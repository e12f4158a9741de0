#pragma once
#include <istream>
#include <string>

#include "font/FontDFF.h"
#include "font/ZQFont.h"

// A bitmap font drawn like a plain-coverage DFF font: its images are packed into
// pages when it is created. One object serves every scale.
class TOGL_Font_BMP : public TOGL_Font_DFF {
 public:
  TOGL_Font_BMP(std::string name, long double scale, const TZQFont& font);

  TOGL_Font_Base* CloneAtScale(long double scale) override;
};

// Packs the coverage images of a bitmap font into glyph data pages (not uploaded).
TDistanceFieldFont* BuildGlyphPages(const TZQFont& font);

// The loader for paths without extension.
TOGL_Font_Base* LoadBitmapFont(const std::string& path, std::istream* stream, long double scale);
