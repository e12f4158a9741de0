#include "QGUI/ElementTypes.h"

#include <array>

#include "QGUI/Context.h"
#include "QGUI/CustomListBox.h"
#include "QGUI/Element.h"
#include "QGUI/Label.h"
#include "QGUI/Listbox.h"
#include "QGUI/ScrollBox.h"
#include "QGUI/Scrollbar.h"
#include "QGUI/SpriteMapButton.h"
#include "QGUI/SpriteMapButtons.h"
#include "QGUI/UnitList.h"

namespace {

template <class T>
TQGUI_Element& Make(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel) {
  return context.Create<T>(parent, topLevel);
}

// Element classes add their row's factory here.
constexpr std::array<TQGUI_ElementType, 14> kTypes = {{
    {TYPE_ELEMENT, "TYPE_ELEMENT", Make<TQGUI_Element>},
    {TYPE_LABEL, "TYPE_LABEL", Make<TQGUI_Label>},
    {TYPE_CHECKBOX, "TYPE_CHECKBOX", nullptr},
    {TYPE_PROGRESSBAR, "TYPE_PROGRESSBAR", nullptr},
    {TYPE_LISTBOX, "TYPE_LISTBOX", Make<TQGUI_Listbox>},
    {TYPE_SCROLLBAR, "TYPE_SCROLLBAR", Make<TQGUI_Scrollbar>},
    {TYPE_EDIT, "TYPE_EDIT", nullptr},
    {TYPE_TEXTBOX, "TYPE_TEXTBOX", nullptr},
    {TYPE_SCROLLBOX, "TYPE_SCROLLBOX", Make<TQGUI_ScrollBox>},
    {TYPE_CUSTOMLISTBOX, "TYPE_CUSTOMLISTBOX", Make<TQGUI_CustomListBox>},
    {TYPE_IMAGEBUTTON, "TYPE_IMAGEBUTTON", nullptr},
    {TYPE_SPRITEMAPBUTTON, "TYPE_SPRITEMAPBUTTON", Make<TQGUI_SpriteMapButton>},
    {TYPE_UNITLIST, "TYPE_UNITLIST", Make<TQGUI_UnitList>},
    {TYPE_SPRITEMAPBUTTONS, "TYPE_SPRITEMAPBUTTONS", Make<TQGUI_SpriteMapButtons>},
}};

}  // namespace

std::span<const TQGUI_ElementType> ElementTypes() { return kTypes; }

const TQGUI_ElementType* FindElementType(int32_t number) {
  if (number < 0 || number >= int32_t(kTypes.size())) return nullptr;
  return &kTypes[size_t(number)];
}

namespace {

constexpr uint32_t Bit(TQGUI_Type type) { return uint32_t(1) << type; }

constexpr uint32_t kLabelKinds = Bit(TYPE_LABEL) | Bit(TYPE_IMAGEBUTTON) | Bit(TYPE_EDIT) | Bit(TYPE_TEXTBOX);
constexpr uint32_t kScrollBoxKinds = Bit(TYPE_SCROLLBOX) | Bit(TYPE_CUSTOMLISTBOX);

// The creatable types each rule names, indexed by rule.
constexpr std::array<uint32_t, 11> kRuleTypes = {
    0x3fff,  // Every (the desktop too, below)
    kLabelKinds,
    Bit(TYPE_CHECKBOX),
    Bit(TYPE_PROGRESSBAR),
    Bit(TYPE_LISTBOX),
    Bit(TYPE_LISTBOX) | Bit(TYPE_CUSTOMLISTBOX),
    Bit(TYPE_CUSTOMLISTBOX),
    Bit(TYPE_EDIT),
    Bit(TYPE_SCROLLBAR),
    kScrollBoxKinds | Bit(TYPE_SCROLLBAR),
    0,  // None
};

bool InMask(uint32_t mask, int32_t type) { return type >= 0 && type < 14 && (mask >> type) & 1; }

}  // namespace

bool IsLabelKind(int32_t type) { return InMask(kLabelKinds, type); }

bool IsScrollBoxKind(int32_t type) { return InMask(kScrollBoxKinds, type); }

bool AppliesTo(TQGUI_ClassRule rule, int32_t type) {
  if (rule == TQGUI_ClassRule::Every) return true;
  return InMask(kRuleTypes[size_t(rule)], type);
}
