#include "QGUI/SpriteMapButtons.h"

#include "QGUI/SpriteMapButton.h"

TQGUI_SpriteMapButtons::TQGUI_SpriteMapButtons(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Element(context, parent, topLevel) {
  col1 = {0, 0, 0, 0};
}

TQGUI_SpriteMapButton* TQGUI_SpriteMapButtons::MakeButton() {
  TQGUI_Element* made = Context().Registry().CreateElement(TYPE_SPRITEMAPBUTTON, id);
  return static_cast<TQGUI_SpriteMapButton*>(made);
}

void TQGUI_SpriteMapButtons::Registered() {
  if (TQGUI_SpriteMapButton* first = MakeButton()) first_ = Context().RefTo(*first);
  if (TQGUI_SpriteMapButton* second = MakeButton()) second_ = Context().RefTo(*second);
  Layout(false);
}

TQGUI_SpriteMapButton* TQGUI_SpriteMapButtons::Button(const TQGUI_ElementRef& ref) const {
  return static_cast<TQGUI_SpriteMapButton*>(Context().Resolve(ref));
}

TQGUI_SpriteMapButton* TQGUI_SpriteMapButtons::FirstButton() const { return Button(first_); }
TQGUI_SpriteMapButton* TQGUI_SpriteMapButtons::SecondButton() const { return Button(second_); }

void TQGUI_SpriteMapButtons::Layout(bool halves) {
  split = halves;
  const int32_t half = halves ? w / 2 : w;
  if (TQGUI_SpriteMapButton* first = FirstButton()) {
    first->SetWidth(w);
    first->SetHeight(h);
  }
  if (TQGUI_SpriteMapButton* second = SecondButton()) {
    second->x = half;
    second->SetWidth(half);
    second->SetHeight(h);
    second->subTexture = true;
    second->subCoords = {half, 0, half, h};
    second->SetVisible(halves);
  }
}

void TQGUI_SpriteMapButtons::Resized() {
  TQGUI_Element::Resized();
  if (!Deleted()) Layout(split);
}

void TQGUI_SpriteMapButtons::SetTexture(const std::string& name) {
  if (TQGUI_SpriteMapButton* first = FirstButton()) first->SetTexture(name);
  if (TQGUI_SpriteMapButton* second = SecondButton()) second->SetTexture(name);
}
