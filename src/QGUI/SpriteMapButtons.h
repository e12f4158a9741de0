#pragma once
#include <cstdint>
#include <string>

#include "QGUI/Element.h"

class TQGUI_SpriteMapButton;

// A transparent container of two sprite-map buttons sharing one sheet. Laid out whole,
// the first button covers it and the second is hidden; split, each takes one half and
// the second shows the right half of its cell.
class TQGUI_SpriteMapButtons : public TQGUI_Element {
 public:
  TQGUI_SpriteMapButtons(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_SPRITEMAPBUTTONS; }
  void Registered() override;
  void Resized() override;
  // The sheet goes to the buttons; the container keeps none.
  void SetTexture(const std::string& name) override;

  void Layout(bool split);
  // The buttons, while they exist (a script may delete them).
  TQGUI_SpriteMapButton* FirstButton() const;
  TQGUI_SpriteMapButton* SecondButton() const;

  bool split = false;

 private:
  TQGUI_SpriteMapButton* Button(const TQGUI_ElementRef& ref) const;
  TQGUI_SpriteMapButton* MakeButton();

  TQGUI_ElementRef first_;
  TQGUI_ElementRef second_;
};
