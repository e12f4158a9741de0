#pragma once
#include <cstdint>
#include <functional>

#include "QGUI/Element.h"

// A button drawn as one cell of a sprite sheet: the column follows its state (normal,
// hover, held, disabled), the row is chosen by the owner and counted from the top. The
// cell size is the main texture's frame size.
class TQGUI_SpriteMapButton : public TQGUI_Element {
 public:
  TQGUI_SpriteMapButton(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_SPRITEMAPBUTTON; }
  void DrawBackground(float alpha) override;
  void MouseClick(uint8_t button, int32_t x, int32_t y) override;

  // The column shown in the current state.
  int16_t Cell() const;

  int16_t normalCell = 0;
  int16_t hoverCell = 1;
  int16_t downCell = 2;
  int16_t disabledCell = 3;
  uint16_t spriteRow = 0;
  // Native code run after each click with the element's tag.
  std::function<void(int32_t tag)> onClick;
};
