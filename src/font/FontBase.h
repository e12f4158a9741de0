#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ReferenceClass.h"

// A font object as the GUI sees it: measuring and drawing of UTF-16 text at one
// scale, an extra per-character gap and the two rendering parameters of
// distance-field text. Shared by reference count; the font manager keeps one
// reference to every font it handed out.
class TOGL_Font_Base : public TReferenceClass {
 public:
  TOGL_Font_Base() = default;

  virtual int LineHeight() const;
  virtual void UpdateRenderParams();
  virtual int CharAdvance(char16_t ch) const = 0;
  virtual int CharHeight(char16_t ch) const = 0;
  virtual int TextWidth(std::u16string_view text, int gap) = 0;
  virtual int CharsThatFit(std::u16string_view text, int width, int gap);
  // (x, y) is the top-left corner of the character's line, y from the bottom of the view.
  virtual void DrawChar(char16_t ch, int x, int y) = 0;
  // (x, y) is the top-left corner of the line, y from the top of the view. Returns the width drawn.
  virtual int DrawText(std::u16string_view text, int x, int y) = 0;
  virtual void SetColour(float red, float green, float blue, float alpha);
  // A font for `scale` sharing this one's glyph data; null when the font cannot be scaled.
  virtual TOGL_Font_Base* CloneAtScale(long double scale);
  virtual void SetCharGap(int gap);
  virtual void RestoreCharGap();

  // The GUI's outline text style; the text quad mode draws the outline.
  void SetOutline(bool on);

  long double Scale = 1.0L;
  std::string Name;
  uint16_t CellWidth = 0;
  uint16_t CellHeight = 0;
  int16_t CharGap = 0;
  int16_t SavedCharGap = 0;
  bool IsDistanceField = false;
  // Both 0 means "not set": SetColour derives them from the scale.
  long double RenderParam1 = 0;
  long double RenderParam2 = 0;
  float ParamSlope = 0.4f;
  float ParamStart = 0.25f;
  float ParamMax = 0.41f;
  float ParamBase = 0.58f;
  float ParamRange = 0.2f;
};
