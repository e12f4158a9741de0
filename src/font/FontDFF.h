#pragma once
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

  int CharAdvance(char16_t ch) const override;
  int CharHeight(char16_t ch) const override;
  int TextWidth(std::u16string_view text, int gap) override;
  void DrawChar(char16_t ch, int x, int y) override;
  int DrawText(std::u16string_view text, int x, int y) override;
  TOGL_Font_Base* CloneAtScale(long double scale) override;

  TDistanceFieldFont* Data() const { return data_; }

 private:
  TDistanceFieldFont* data_;
};

// The loader for ".dff" and ".zqf" files.
TOGL_Font_Base* LoadDistanceFieldFont(const std::string& path, std::istream* stream, long double scale);
