#include "QGUI/Scrollbar.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "QGUI/Label.h"
#include "gl/Renderer.h"

namespace {

int32_t Saturate(double value) {
  constexpr double lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
  return int32_t(std::clamp(value, lo, hi));
}

}  // namespace

// Ranges come from scripts and element sizes: the sums are formed wide so that
// negative or huge values give a clamped range, never an overflow.
void TQGUI_Scrollbar::SetRange(int32_t visibleAmount, int32_t total, TQGUI_Element& newOwner) {
  owner = Context().RefTo(newOwner);
  pageSize = visibleAmount;
  if (total < visibleAmount) {
    maxPosition = 0;
    thumbLength = std::max(visibleAmount, 0);
  } else {
    maxPosition = Saturate(std::max(double(total) - double(visibleAmount), 0.0));
    thumbLength = total == 0 ? 0 : Saturate(std::round(double(TrackLength()) * visibleAmount / total));
    thumbLength = std::max(thumbLength, 0);
  }
  position = std::min(position, maxPosition);
  if (autoHide) visible = visibleAmount < total;
  rangeSet = true;
}

bool TQGUI_Scrollbar::Reversed() const {
  const auto* label = dynamic_cast<const TQGUI_Label*>(Owner());
  return vertical && label && !label->topDown;
}

void TQGUI_Scrollbar::MouseDown(uint8_t, int32_t px, int32_t py) {
  dragging = true;
  dragStartX = px;
  dragStartY = py;
  dragStartPosition = position;
}

void TQGUI_Scrollbar::MouseMoveAny(int32_t px, int32_t py) { DragTo(px, py); }

void TQGUI_Scrollbar::MouseUpAny(uint8_t, int32_t px, int32_t py) {
  DragTo(px, py);
  dragging = false;
}

// A thumb that fills the track has nowhere to go: the position stays, but the owner
// still hears it.
void TQGUI_Scrollbar::DragTo(double px, double py) {
  if (!dragging) return;
  const double free = double(TrackLength()) - thumbLength;
  if (free > 0) {
    double d = vertical ? py - dragStartY : px - dragStartX;
    if (Reversed()) d = -d;
    const double target = d * maxPosition / free + dragStartPosition;
    position = Saturate(std::round(std::max(0.0, std::min(double(maxPosition), target))));
  }
  if (TQGUI_Element* target = Owner()) target->ScrollPositionChanged(position, *this);
}

void TQGUI_Scrollbar::ScrollBy(int32_t delta) {
  const double free = double(TrackLength()) - thumbLength;
  if (maxPosition <= 0 || free <= 0) return;
  dragging = true;
  dragStartX = dragStartY = 0;
  dragStartPosition = position;
  DragTo(0, double(pageSize) * free / maxPosition * (-double(delta) / kNotch));
  dragging = false;
}

void TQGUI_Scrollbar::Draw() {
  const float a = EffectiveAlpha();
  TQGUI_Element::Draw();
  const TQGUITexSlot& image = Slot(SLOT_TEXTURE2);
  if (image.name.empty() || Deleted()) return;
  ResolveTexture(SLOT_TEXTURE2, false);
  if (!image.texture || image.width <= 0 || image.height <= 0 || col2.alpha * a <= 0 || w <= 0 || h <= 0) return;
  if (rangeSet) thumbLength = std::max(thumbLength, vertical ? image.height : image.width);
  DrawThumb(image, a);
}

void TQGUI_Scrollbar::DrawThumb(const TQGUITexSlot& image, float a) {
  const int32_t track = TrackLength();
  int32_t start = 0, length = track;
  if (maxPosition > 0) {
    length = std::min(thumbLength, track);
    const double along = double(position) / maxPosition;
    start = int32_t(std::round((track - length) * (Reversed() ? 1 - along : along)));
  }
  const int32_t imageLength = vertical ? image.height : image.width;
  const int32_t t = imageLength / 3;
  const int32_t middle = std::max(length - 2 * t, 0);
  const float L = float(imageLength);
  // Along the track: the first cap, the middle stretched from one texel line, the last cap.
  struct Slice {
    int32_t from, length;
    float window, extent;
  };
  const float startCap = vertical ? 2 * t / L : 0, endCap = vertical ? 0 : 2 * t / L;
  const Slice slices[3] = {
      {start, t, startCap, t / L}, {start + t, middle, (t + 0.5f) / L, 0}, {start + t + middle, t, endCap, t / L}};
  TOGL_Renderer& renderer = Renderer();
  renderer.SetColour3(1, 1, 1);
  renderer.SetColour(col2.red, col2.green, col2.blue, col2.alpha * a);
  const int32_t X = GetAbsX(), Y = GetAbsY();
  for (const Slice& s : slices) {
    if (vertical) {
      DrawTexturedRect(image.texture, X, Y + s.from, w, s.length, 0, s.window, 1, s.extent);
    } else {
      DrawTexturedRect(image.texture, X + s.from, Y + image.height - h, s.length, h, s.window, 0, s.extent, 1);
    }
  }
  renderer.SetColour3(1, 1, 1);
  renderer.SetQuadType(1);
}
