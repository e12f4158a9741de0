#include "font/FontBase.h"

#include <algorithm>
#include <cmath>

#include "gl/Renderer.h"

int TOGL_Font_Base::LineHeight() const { return int(std::trunc(CellHeight * Scale)); }

void TOGL_Font_Base::UpdateRenderParams() {
  RenderParam1 = std::min<long double>(ParamMax, std::max<long double>(Scale - ParamStart, 0) * ParamSlope);
  RenderParam2 = std::max<long double>(1 - std::min<long double>(Scale, 1), 0) * ParamRange + ParamBase;
}

int TOGL_Font_Base::CharsThatFit(std::u16string_view text, int width, int gap) {
  SetCharGap(gap);
  int fit = 0;
  int sum = 0;
  for (char16_t ch : text) {
    int advance = CharAdvance(ch);
    if (sum + advance > width) {
      if (sum + advance - width <= advance / 2.0) ++fit;
      break;
    }
    sum += advance;
    ++fit;
  }
  RestoreCharGap();
  return fit;
}

void TOGL_Font_Base::SetColour(float red, float green, float blue, float alpha) {
  TOGL_Renderer* renderer = CurrentRenderer();
  if (!renderer) return;
  renderer->SetColour(red, green, blue, alpha);
  SelectTextQuadType(IsDistanceField);
  if (!IsDistanceField) return;
  if (RenderParam1 == 0 && RenderParam2 == 0) UpdateRenderParams();
  renderer->SetUD(float(RenderParam1), float(RenderParam2));
}

TOGL_Font_Base* TOGL_Font_Base::CloneAtScale(long double) { return nullptr; }

void TOGL_Font_Base::SetCharGap(int gap) {
  SavedCharGap = CharGap;
  CharGap = int16_t(gap);
}

void TOGL_Font_Base::RestoreCharGap() { CharGap = SavedCharGap; }

void TOGL_Font_Base::SetOutline(bool on) {
  if (CurrentRenderer()) SetUDIFlag(on);
}
