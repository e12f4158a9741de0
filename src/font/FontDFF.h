#pragma once
#include <array>
#include <bitset>
#include <istream>
#include <string>

#include "font/DistanceFieldFont.h"
#include "font/FontBase.h"

// A font drawn from TDistanceFieldFont pages: one texture bind and one quad per
// character. Scaled clones share the glyph data.
class TOGL_Font_DFF : public TOGL_Font_Base {
 public:
  // Takes over one reference to `data`.
  TOGL_Font_DFF(std::string name, long double scale, TDistanceFieldFont* data);
  ~TOGL_Font_DFF() override;

  int CharAdvance(char16_t ch) const final;
  int CharHeight(char16_t ch) const override;
  int TextWidth(std::u16string_view text, int gap) override;
  void DrawChar(char16_t ch, int x, int y) final;
  int DrawText(std::u16string_view text, int x, int y) override;
  TOGL_Font_Base* CloneAtScale(long double scale) override;

  TDistanceFieldFont* Data() const { return data_; }

 private:
  // One character's quad and advance at the font's scale, in whole pixels from the pen
  // where the sums are integral, so drawing adds only the pen position.
  struct GlyphQuad {
    bool drawn = false;
    int page = 0;
    int advance = 0;  // before the one-pixel and character gaps
    int left = 0, bottom = 0, width = 0, height = 0;
    float u = 0, v = 0, du = 0, dv = 0;
  };
  // Text is mostly Latin-1, and working a glyph out costs several extended-precision
  // roundings: those characters keep theirs until the scale changes.
  static constexpr int kCachedChars = 256;

  GlyphQuad MakeQuad(char16_t ch) const;
  const GlyphQuad& Quad(char16_t ch) const;
  bool DrawQuad(TOGL_Renderer& renderer, const GlyphQuad& q, int x, int y, bool bind) const;

  TDistanceFieldFont* data_;
  mutable std::array<GlyphQuad, kCachedChars> cache_;
  mutable std::bitset<kCachedChars> cached_;
  mutable long double cachedScale_ = 0;
  mutable GlyphQuad uncached_;
};

// The loader for ".dff" and ".zqf" files.
TOGL_Font_Base* LoadDistanceFieldFont(const std::string& path, std::istream* stream, long double scale);
