#pragma once
#include <algorithm>
#include <cstdint>

#include "QGUI/TexSlot.h"

// The cells a texture slot is cut into for button states: its side file's frame size,
// never larger than the image, or one cell of the whole image without usable frames.
struct TQGUI_Cells {
  bool framed = false;
  int32_t width = 0;
  int32_t height = 0;
  int32_t columns = 1;
};

inline TQGUI_Cells CellsOf(const TQGUITexSlot& slot) {
  const TQGUIAnimation& anim = slot.animation;
  if (!anim.animated || anim.frameWidth <= 0 || anim.frameHeight <= 0 || slot.width <= 0 || slot.height <= 0)
    return {false, slot.width, slot.height, 1};
  const int32_t width = std::min(anim.frameWidth, slot.width);
  return {true, width, std::min(anim.frameHeight, slot.height), slot.width / width};
}
