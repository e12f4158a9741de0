#include "QGUI/ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "QGUI/CheckBox.h"

namespace {

// Values far past the range would make fills wider than any screen.
constexpr double kMaxFill = 1 << 24;

}  // namespace

TQGUI_ProgressBar::TQGUI_ProgressBar(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Element(context, parent, topLevel) {
  bevel = true;
}

void TQGUI_ProgressBar::SetProgress(int32_t value) {
  if (value == progress) return;
  progress = value;
  Fire(CALLBACK_PROGRESS, {{"%id", std::to_string(id)}, {"%p", std::to_string(value)}});
}

int32_t TQGUI_ProgressBar::ValueAt(int32_t px) const {
  if (w <= 0 || minValue == maxValue) return progress;
  const double range = double(maxValue) - double(minValue);
  const double value = double(minValue) + std::nearbyint(double(px) / double(w) * range);
  return int32_t(std::clamp(value, double(std::min(minValue, maxValue)), double(std::max(minValue, maxValue))));
}

int32_t TQGUI_ProgressBar::FillWidth() const {
  if (minValue == maxValue) return 0;
  const double f = (double(progress) - double(minValue)) / (double(maxValue) - double(minValue));
  if (f <= 0) return 0;
  return int32_t(std::clamp(std::nearbyint(f * double(w - 2)), 0.0, kMaxFill));
}

void TQGUI_ProgressBar::MouseDown(uint8_t button, int32_t px, int32_t py) {
  SetProgress(ValueAt(px));
  TQGUI_Element::MouseDown(button, px, py);
}

void TQGUI_ProgressBar::MouseMove(int32_t px, int32_t py) {
  const TQGUI_Context& context = Context();
  if (context.pressed == this && context.pressedButton == 0) SetProgress(ValueAt(px));
  TQGUI_Element::MouseMove(px, py);
}

void TQGUI_ProgressBar::Draw() {
  const float a = EffectiveAlpha();
  TQGUI_Element::Draw();
  if (Deleted() || DrawMarkTexture(*this, a)) return;
  FillMark(*this, a, {GetAbsX() + 1, GetAbsY() + 1, FillWidth(), h - 2});
}
