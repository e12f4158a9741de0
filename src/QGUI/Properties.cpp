#include "QGUI/Properties.h"

#include <array>
#include <type_traits>

#include "QGUI/CheckBox.h"
#include "QGUI/CustomListBox.h"
#include "QGUI/Edit.h"
#include "QGUI/Element.h"
#include "QGUI/Label.h"
#include "QGUI/Listbox.h"
#include "QGUI/ProgressBar.h"
#include "QGUI/ScrollBox.h"
#include "QGUI/Scrollbar.h"
#include "platform/Text.h"

namespace {

using E = TQGUI_Element;
using A = TQGUI_PropertyArgs;
using V = TQGUI_Value;
using enum TQGUI_ClassRule;

// How one property is set and read; either may be missing.
struct Access {
  TQGUI_PropertySet set = nullptr;
  TQGUI_PropertyGet get = nullptr;
};

// An element field reached through a chain of members (e.font.col).
template <auto... Path>
auto& Field(E& e) {
  return (e.*....*Path);
}
template <auto... Path>
const auto& Field(const E& e) {
  return (e.*....*Path);
}

template <auto... Path>
constexpr Access kFlag{[](E& e, const A& a) { Field<Path...>(e) = a.Bool(0); },
                       [](const E& e, int32_t) -> V { return bool(Field<Path...>(e)); }};

template <auto... Path>
constexpr Access kColour{[](E& e, const A& a) { Field<Path...>(e) = a.Colour(0); },
                         [](const E& e, int32_t) -> V { return ColourTable(Field<Path...>(e)); }};

// Integer fields of any width take the truncated value as that width does.
template <auto... Path>
constexpr Access kInteger{[](E& e, const A& a) {
                            auto& field = Field<Path...>(e);
                            field = static_cast<std::remove_reference_t<decltype(field)>>(a.Int(0));
                          },
                          [](const E& e, int32_t) -> V { return double(Field<Path...>(e)); }};

template <auto... Path>
constexpr Access kString{[](E& e, const A& a) { Field<Path...>(e) = a.String(0); },
                         [](const E& e, int32_t) -> V { return Field<Path...>(e); }};

template <TQGUI_Slot Slot>
constexpr Access kSlot{[](E& e, const A& a) { e.SetSlotTexture(Slot, a.String(0)); },
                       [](const E& e, int32_t) -> V { return e.Slot(Slot).name; }};

template <uint8_t Bit>
constexpr Access kStyle{
    [](E& e, const A& a) { e.font.style = uint8_t(a.Bool(0) ? e.font.style | Bit : e.font.style & ~Bit); },
    [](const E& e, int32_t) -> V { return (e.font.style & Bit) != 0; }};

template <int Index>
constexpr Access kScrollbar{[](E& e, const A& a) { e.SetScrollbar(a.Int(0), Index); },
                            [](const E&, int32_t) -> V { return -1.0; }};

constexpr Access kX{[](E& e, const A& a) { e.x = a.Coordinate(0); },
                    [](const E& e, int32_t) -> V { return double(e.x); }};
constexpr Access kY{[](E& e, const A& a) { e.y = a.Coordinate(0); },
                    [](const E& e, int32_t) -> V { return double(e.y); }};
constexpr Access kW{[](E& e, const A& a) { e.SetWidth(a.Coordinate(0)); },
                    [](const E& e, int32_t) -> V { return double(e.w); }};
constexpr Access kH{[](E& e, const A& a) { e.SetHeight(a.Coordinate(0)); },
                    [](const E& e, int32_t) -> V { return double(e.h); }};

constexpr Access kFontName{[](E& e, const A& a) { e.SetFontSpec(a.String(0)); },
                           [](const E& e, int32_t) -> V { return e.font.name; }};
constexpr Access kTexture{[](E& e, const A& a) { e.SetTexture(a.String(0)); },
                          [](const E& e, int32_t) -> V { return e.Slot(SLOT_MAIN).name; }};
constexpr Access kVisible{[](E& e, const A& a) { e.SetVisible(a.Bool(0)); },
                          [](const E& e, int32_t) -> V { return e.visible; }};
constexpr Access kDisabled{[](E& e, const A& a) { e.SetDisabled(a.Bool(0)); },
                           [](const E& e, int32_t) -> V { return e.disabled; }};
constexpr Access kWordWrap{[](E& e, const A& a) { e.SetWordWrap(a.Bool(0)); },
                           [](const E& e, int32_t) -> V { return e.wordWrap; }};

// Set in the order left, right, top, bottom; read as a table keyed by side.
constexpr Access kAnchor{[](E& e, const A& a) {
                           e.anchors = {a.Bool(0), a.Bool(2), a.Bool(1), a.Bool(3)};
                         },
                         [](const E& e, int32_t) -> V {
                           TQGUI_Table table;
                           return table.Add("top", e.anchors.top)
                               .Add("left", e.anchors.left)
                               .Add("right", e.anchors.right)
                               .Add("bottom", e.anchors.bottom);
                         }};

constexpr Access kAlpha{[](E& e, const A& a) { e.alpha = float(a.Int(0)) / 255.0f; },
                        [](const E& e, int32_t) -> V { return double(e.alpha) * 255; }};

constexpr Access kShader{[](E& e, const A& a) { e.LoadShader(a.String(0), a.Int(1), a.Int(2)); },
                         [](const E&, int32_t) -> V { return -1.0; }};

constexpr Access kAnimPlay{[](E& e, const A& a) {
                             if (a.Bool(0)) {
                               e.RestartAnimation();
                             } else {
                               e.animPlay = false;
                             }
                           },
                           [](const E& e, int32_t) -> V { return e.animPlay; }};

constexpr Access kSubCoords{[](E& e, const A& a) {
                              for (int i = 0; i < 4; ++i) e.subCoords[size_t(i)] = a.Coordinate(i);
                            },
                            [](const E& e, int32_t) -> V {
                              TQGUI_Table table;
                              return table.Add("[1]", double(e.subCoords[0]))
                                  .Add("[2]", double(e.subCoords[1]))
                                  .Add("[3]", double(e.subCoords[2]))
                                  .Add("[4]", double(e.subCoords[3]));
                            }};

constexpr Access kHint{[](E& e, const A& a) { e.hint = a.Text(0); },
                       [](const E& e, int32_t) -> V { return ToUtf8(e.hint); }};

constexpr Access kAbsX{nullptr, [](const E& e, int32_t) -> V { return double(e.GetAbsX()); }};
constexpr Access kAbsY{nullptr, [](const E& e, int32_t) -> V { return double(e.GetAbsY()); }};

constexpr Access kTextureLinear{[](E& e, const A& a) { e.Slot(SLOT_MAIN).linear = a.Bool(0); },
                                [](const E& e, int32_t) -> V { return e.Slot(SLOT_MAIN).linear; }};

constexpr Access kFontScale{[](E& e, const A& a) { e.SetFontScale(a.Number(0)); },
                            [](const E& e, int32_t) -> V { return double(e.font.scale); }};
constexpr Access kShaderTime{[](E& e, const A& a) { e.shaderTime = float(a.Number(0)); },
                             [](const E& e, int32_t) -> V { return double(e.shaderTime); }};

// ---- Properties of one class. The table's class rules pick the elements; the casts
// only guard against a class that does not derive as its type number says.

template <class T>
T* As(E& e) {
  return dynamic_cast<T*>(&e);
}
template <class T>
const T* As(const E& e) {
  return dynamic_cast<const T*>(&e);
}

void Assign(bool& field, const A& a) { field = a.Bool(0); }
void Assign(uint8_t& field, const A& a) { field = uint8_t(a.Int(0)); }
void Assign(int32_t& field, const A& a) { field = a.Int(0); }
V Read(bool field) { return field; }
V Read(uint8_t field) { return double(field); }
V Read(int32_t field) { return double(field); }

// A field of class T, stored as it is.
template <class T, auto Member>
constexpr Access kClassField{[](E& e, const A& a) {
                               if (T* t = As<T>(e)) Assign(t->*Member, a);
                             },
                             [](const E& e, int32_t) -> V {
                               const T* t = As<T>(e);
                               return t ? Read(t->*Member) : V{};
                             }};

// Labels show their lines joined by CR; a list box replaces its items and reads each
// back followed by a CR.
constexpr Access kText{[](E& e, const A& a) {
                         if (TQGUI_Label* label = As<TQGUI_Label>(e)) {
                           label->SetText(a.Text(0));
                         } else if (TQGUI_Listbox* list = As<TQGUI_Listbox>(e)) {
                           list->SetText(a.Text(0));
                         }
                       },
                       [](const E& e, int32_t) -> V {
                         if (const TQGUI_Label* label = As<TQGUI_Label>(e)) return ToUtf8(label->GetText());
                         if (const TQGUI_Listbox* list = As<TQGUI_Listbox>(e)) return ToUtf8(list->Text());
                         return {};
                       }};

constexpr Access kTextCase{[](E& e, const A& a) {
                             if (TQGUI_Label* label = As<TQGUI_Label>(e)) label->SetTextCase(uint8_t(a.Int(0)));
                           },
                           kClassField<TQGUI_Label, &TQGUI_Label::textCase>.get};

constexpr Access kScrollText{[](E& e, const A& a) {
                               if (TQGUI_Label* label = As<TQGUI_Label>(e)) label->SetScrollText(a.Bool(0));
                             },
                             kClassField<TQGUI_Label, &TQGUI_Label::scrollText>.get};

constexpr Access kIndex{[](E& e, const A& a) {
                          if (TQGUI_Listbox* list = As<TQGUI_Listbox>(e)) {
                            list->SetItemIndex(a.Int(0));
                          } else if (TQGUI_CustomListBox* custom = As<TQGUI_CustomListBox>(e)) {
                            custom->SetItemIndex(a.Int(0));
                          }
                        },
                        [](const E& e, int32_t) -> V {
                          if (const TQGUI_Listbox* list = As<TQGUI_Listbox>(e)) return double(list->itemIndex);
                          if (const TQGUI_CustomListBox* custom = As<TQGUI_CustomListBox>(e))
                            return double(custom->itemIndex);
                          return {};
                        }};

constexpr Access kLine{nullptr, [](const E& e, int32_t index) -> V {
                         const TQGUI_Listbox* list = As<TQGUI_Listbox>(e);
                         return list ? V{ToUtf8(list->Line(index))} : V{};
                       }};

constexpr Access kItemHeight{[](E& e, const A& a) {
                               if (TQGUI_CustomListBox* list = As<TQGUI_CustomListBox>(e))
                                 list->SetItemHeight(a.Int(0));
                             },
                             kClassField<TQGUI_CustomListBox, &TQGUI_CustomListBox::itemHeight>.get};

// A scroll box hides its bars while everything fits; a bar hides itself.
constexpr Access kAutoHideScroll{[](E& e, const A& a) {
                                   if (TQGUI_ScrollBox* box = As<TQGUI_ScrollBox>(e)) {
                                     box->autoHideBars = a.Bool(0);
                                     box->scrollInfoDirty = true;
                                   } else if (TQGUI_Scrollbar* bar = As<TQGUI_Scrollbar>(e)) {
                                     bar->autoHide = a.Bool(0);
                                   }
                                 },
                                 [](const E& e, int32_t) -> V {
                                   if (const TQGUI_ScrollBox* box = As<TQGUI_ScrollBox>(e)) return box->autoHideBars;
                                   if (const TQGUI_Scrollbar* bar = As<TQGUI_Scrollbar>(e)) return bar->autoHide;
                                   return {};
                                 }};

// The setter runs the check box's callback, and only when the value changes.
constexpr Access kChecked{[](E& e, const A& a) {
                            if (TQGUI_CheckBox* box = As<TQGUI_CheckBox>(e)) box->SetChecked(a.Bool(0));
                          },
                          kClassField<TQGUI_CheckBox, &TQGUI_CheckBox::checked>.get};

// The range is taken as given: no clamping of the value, no callback.
constexpr Access kMinMax{[](E& e, const A& a) {
                           if (TQGUI_ProgressBar* bar = As<TQGUI_ProgressBar>(e)) {
                             bar->minValue = a.Int(0);
                             bar->maxValue = a.Int(1);
                           }
                         },
                         [](const E& e, int32_t) -> V {
                           const TQGUI_ProgressBar* bar = As<TQGUI_ProgressBar>(e);
                           if (!bar) return {};
                           TQGUI_Table table;
                           return table.Add("min", double(bar->minValue)).Add("max", double(bar->maxValue));
                         }};

constexpr Access kProgress{[](E& e, const A& a) {
                             if (TQGUI_ProgressBar* bar = As<TQGUI_ProgressBar>(e)) bar->SetProgress(a.Int(0));
                           },
                           kClassField<TQGUI_ProgressBar, &TQGUI_ProgressBar::progress>.get};

// Never read back: the row's read rule is None.
constexpr Access kInvalidChars{[](E& e, const A& a) {
                                 if (TQGUI_Edit* edit = As<TQGUI_Edit>(e)) edit->invalidChars = a.Text(0);
                               },
                               nullptr};

constexpr Access kIsPassword = kClassField<TQGUI_Edit, &TQGUI_Edit::isPassword>;

#define ROW(id, setOn, getFrom, access) \
  TQGUI_Property { id, #id, setOn, getFrom, access.set, access.get }

constexpr std::array<TQGUI_Property, kPropertyCount> kProperties = {{
    ROW(PROP_X, Every, Every, kX),
    ROW(PROP_Y, Every, Every, kY),
    ROW(PROP_W, Every, Every, kW),
    ROW(PROP_H, Every, Every, kH),
    ROW(PROP_COL1, Every, Every, kColour<&E::col1>),
    ROW(PROP_COL2, Every, Every, kColour<&E::col2>),
    ROW(PROP_FONT_COL, Every, Every, (kColour<&E::font, &TQGUI_Font::col>)),
    ROW(PROP_FONT_NAME, Every, Every, kFontName),
    ROW(PROP_GRADIENT, Every, Every, kFlag<&E::gradient>),
    ROW(PROP_TEXTURE, Every, Every, kTexture),
    ROW(PROP_TEXT, LabelKindsOrListbox, LabelKindsOrListbox, kText),
    ROW(PROP_VISIBLE, Every, Every, kVisible),
    ROW(PROP_ANCHOR, Every, Every, kAnchor),
    ROW(PROP_HALIGN, LabelKinds, LabelKinds, (kClassField<TQGUI_Label, &TQGUI_Label::hAlign>)),
    ROW(PROP_NOMOUSEEVT, Every, Every, kFlag<&E::noMouseEvents>),
    ROW(PROP_TEXTURE2, Every, Every, kSlot<SLOT_TEXTURE2>),
    ROW(PROP_CHECKED, CheckBox, CheckBox, kChecked),
    ROW(PROP_MINMAX, ProgressBar, ProgressBar, kMinMax),
    ROW(PROP_PROGRESS, ProgressBar, ProgressBar, kProgress),
    ROW(PROP_ALPHA, Every, Every, kAlpha),
    ROW(PROP_SCROLLBAR, Every, Every, kScrollbar<0>),
    ROW(PROP_INDEX, ListboxOrCustomListBox, ListboxOrCustomListBox, kIndex),
    ROW(PROP_HIGHLIGHTCOL, Every, Every, kColour<&E::highlightCol>),
    ROW(PROP_DISABLED, Every, Every, kDisabled),
    ROW(PROP_FONT_COL_DISABLED, Every, Every, (kColour<&E::font, &TQGUI_Font::colDisabled>)),
    ROW(PROP_FONT_COL_OVER, Every, Every, (kColour<&E::font, &TQGUI_Font::colOver>)),
    ROW(PROP_AUTOSIZE, Every, Every, kFlag<&E::autosize>),
    ROW(PROP_BEVEL, Every, Every, kFlag<&E::bevel>),
    ROW(PROP_BEVEL_COL1, Every, Every, kColour<&E::bevelCol1>),
    ROW(PROP_BEVEL_COL2, Every, Every, kColour<&E::bevelCol2>),
    ROW(PROP_GLYPH, Every, Every, kSlot<SLOT_GLYPH>),
    ROW(PROP_GLYPH_ALIGN, Every, Every, kInteger<&E::glyphAlign>),
    ROW(PROP_LINE, None, Listbox, kLine),
    ROW(PROP_WORDWRAP, Every, Every, kWordWrap),
    ROW(PROP_TEXTCASE, LabelKinds, LabelKinds, kTextCase),
    ROW(PROP_TEXTURE_BLEND, Every, Every, kFlag<&E::textureBlend>),
    ROW(PROP_SHADER, Every, Every, kShader),
    ROW(PROP_TILE, Every, Every, kFlag<&E::tile>),
    ROW(PROP_SCROLLBAR2, Every, Every, kScrollbar<1>),
    ROW(PROP_VALIGN, LabelKinds, LabelKinds, (kClassField<TQGUI_Label, &TQGUI_Label::vAlign>)),
    ROW(PROP_VERTICAL, Scrollbar, Scrollbar, (kClassField<TQGUI_Scrollbar, &TQGUI_Scrollbar::vertical>)),
    ROW(PROP_FALLBTEXTURE, Every, Every, kString<&E::fallbackTexture>),
    ROW(PROP_GRADIENT_COL1, Every, Every, kColour<&E::gradientCol1>),
    ROW(PROP_GRADIENT_COL2, Every, Every, kColour<&E::gradientCol2>),
    ROW(PROP_ITEMHEIGHT, CustomListBox, CustomListBox, kItemHeight),
    ROW(PROP_AUTOHIDESCROLL, ScrollBoxOrScrollbar, ScrollBoxOrScrollbar, kAutoHideScroll),
    ROW(PROP_EDGES, Every, Every, kFlag<&E::edges>),
    ROW(PROP_SHADOWTEXT, Every, Every, kFlag<&E::shadowText>),
    ROW(PROP_NOMOUSEEVTTHIS, Every, Every, kFlag<&E::noMouseEventsThis>),
    ROW(PROP_STRIKETHROUGH, Every, Every, kStyle<STYLE_STRIKETHROUGH>),
    ROW(PROP_UNDERLINE, Every, Every, kStyle<STYLE_UNDERLINE>),
    ROW(PROP_TEXTURE3, Every, Every, kSlot<SLOT_TEXTURE3>),
    ROW(PROP_FONT_COL_BACK, Every, Every, (kColour<&E::font, &TQGUI_Font::colBack>)),
    ROW(PROP_BORDER_SIZE, Every, Every, kInteger<&E::borderSize>),
    ROW(PROP_BORDER_TYPE, Every, Every, kInteger<&E::borderType>),
    ROW(PROP_BORDER_COLOUR, Every, Every, kColour<&E::borderColour>),
    ROW(PROP_ANIM_LOOP, Every, Every, kFlag<&E::animLoop>),
    ROW(PROP_ANIM_PLAY, Every, Every, kAnimPlay),
    ROW(PROP_OVERDRAW, Every, Every, kFlag<&E::overdraw>),
    ROW(PROP_SUBTEXTURE, Every, Every, kFlag<&E::subTexture>),
    ROW(PROP_SUBCOORDS, Every, Every, kSubCoords),
    ROW(PROP_HINT, Every, Every, kHint),
    ROW(PROP_AUTOMAXWIDTH, LabelKinds, LabelKinds, (kClassField<TQGUI_Label, &TQGUI_Label::autoMaxWidth>)),
    ROW(PROP_INVALIDCHARS, Edit, None, kInvalidChars),
    ROW(PROP_NOHIGHLIGHT, LabelKinds, LabelKinds, (kClassField<TQGUI_Label, &TQGUI_Label::noHighlight>)),
    ROW(PROP_EDGES_TEXTURE, Every, Every, kSlot<SLOT_EDGES>),
    ROW(PROP_ABS_X, Every, Every, kAbsX),
    ROW(PROP_ABS_Y, Every, Every, kAbsY),
    ROW(PROP_SCISSOR, Every, Every, kFlag<&E::scissor>),
    ROW(PROP_TAG, Every, Every, kInteger<&E::tag>),
    ROW(PROP_OUTLINE, Every, Every, kStyle<STYLE_OUTLINE>),
    ROW(PROP_TOPDOWN, LabelKinds, LabelKinds, (kClassField<TQGUI_Label, &TQGUI_Label::topDown>)),
    ROW(PROP_TEXTURE_LINEAR, Every, Every, kTextureLinear),
    ROW(PROP_DOWN_PIXELS, LabelKinds, LabelKinds, (kClassField<TQGUI_Label, &TQGUI_Label::downPixels>)),
    ROW(PROP_MOUSEOVERCOL, Every, Every, kColour<&E::mouseOverCol>),
    ROW(PROP_SCISSOR_BORDER, Every, Every, kInteger<&E::scissorBorder>),
    ROW(PROP_ISPASSWORD, Edit, Edit, kIsPassword),
    ROW(PROP_FONT_SCALE, Every, Every, kFontScale),
    ROW(PROP_SHADER_TIME, Every, Every, kShaderTime),
    ROW(PROP_OUTLINE2, Every, Every, kStyle<STYLE_OUTLINE2>),
    ROW(PROP_FONT_CHARGAP, Every, Every, (kInteger<&E::font, &TQGUI_Font::charGap>)),
    ROW(PROP_SCROLL_TEXT, LabelKinds, LabelKinds, kScrollText),
}};

#undef ROW

constexpr bool InIdOrder() {
  for (size_t i = 0; i < kProperties.size(); ++i)
    if (kProperties[i].id != int32_t(i)) return false;
  return true;
}
static_assert(InIdOrder(), "the property table is indexed by id");

}  // namespace

std::span<const TQGUI_Property> Properties() { return kProperties; }

const TQGUI_Property* FindProperty(int32_t id) {
  if (id < 0 || id >= kPropertyCount) return nullptr;
  return &kProperties[size_t(id)];
}

void SetProperty(TQGUI_Element& element, const TQGUI_Property& property, const TQGUI_PropertyArgs& values) {
  if (property.set && AppliesTo(property.setOn, element.Type())) property.set(element, values);
}

void SetProperty(TQGUI_Element& element, TQGUI_PropertyId id, std::initializer_list<TQGUI_Arg> values) {
  if (const TQGUI_Property* property = FindProperty(id)) SetProperty(element, *property, TQGUI_ArgList(values));
}

TQGUI_Value GetProperty(const TQGUI_Element& element, const TQGUI_Property& property, int32_t extra) {
  if (!property.get || !AppliesTo(property.getFrom, element.Type())) return {};
  return property.get(element, extra);
}
