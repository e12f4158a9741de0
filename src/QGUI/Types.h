#pragma once
#include <cstdint>

// A GUI colour: red, green, blue, alpha, each 0..1.
struct TQGUIColour {
  float red = 1;
  float green = 1;
  float blue = 1;
  float alpha = 1;

  bool operator==(const TQGUIColour&) const = default;
};

// A rectangle relative to the parent element's top-left corner, y downwards.
struct TQGUIRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;

  bool operator==(const TQGUIRect&) const = default;
};

// Element type numbers as scripts pass them to qgui_create.
enum TQGUI_Type : int32_t {
  TYPE_ELEMENT = 0,
  TYPE_LABEL = 1,
  TYPE_CHECKBOX = 2,
  TYPE_PROGRESSBAR = 3,
  TYPE_LISTBOX = 4,
  TYPE_SCROLLBAR = 5,
  TYPE_EDIT = 6,
  TYPE_TEXTBOX = 7,
  TYPE_SCROLLBOX = 8,
  TYPE_CUSTOMLISTBOX = 9,
  TYPE_IMAGEBUTTON = 10,
  TYPE_SPRITEMAPBUTTON = 11,
  TYPE_UNITLIST = 12,
  TYPE_SPRITEMAPBUTTONS = 13,
  // Not creatable by number: the root of the tree.
  TYPE_DESKTOP = 100,
};

// Callback ids as scripts pass them to qgui_setcallback.
enum TQGUI_Callback : uint8_t {
  CALLBACK_MOUSEOVER = 0,
  CALLBACK_MOUSELEAVE = 1,
  CALLBACK_MOUSEDOWN = 2,
  CALLBACK_MOUSEMOVE = 3,
  CALLBACK_MOUSEUP = 4,
  CALLBACK_CHECKED = 5,
  CALLBACK_MOUSEMOVEANY = 6,
  CALLBACK_RESIZED = 7,
  CALLBACK_INDEXSET = 8,
  CALLBACK_MOUSEUPANY = 9,
  CALLBACK_MOUSECLICK = 10,
  CALLBACK_KEYDOWN = 11,
  CALLBACK_KEYUP = 12,
  CALLBACK_PROGRESS = 13,
  CALLBACK_ITEMADDED = 14,
  CALLBACK_ITEMDELETED = 15,
  CALLBACK_ITEMUPDATED = 16,
  CALLBACK_ITEMSELECTED = 17,
  CALLBACK_ITEMUNSELECTED = 18,
  CALLBACK_ANIMEND = 19,
  CALLBACK_DISABLED = 20,
  CALLBACK_HIDDEN = 21,
  CALLBACK_MOUSEDBLCLICK = 22,
  CALLBACK_ITEMCLICKED = 23,
  CALLBACK_KEYPRESS = 24,
  CALLBACK_MOUSEWHEEL = 25,
};
inline constexpr int kCallbackCount = 26;

// Border types as scripts pass them (BORDER_TYPE_ constants).
enum TQGUI_BorderType : int32_t { BORDER_TYPE_NONE = 0, BORDER_TYPE_INNER = 1, BORDER_TYPE_OUTER = 2 };

// Text style bits of an element's font record.
enum TQGUI_TextStyle : uint8_t {
  STYLE_STRIKETHROUGH = 1,
  STYLE_UNDERLINE = 2,
  STYLE_OUTLINE = 4,
  STYLE_OUTLINE2 = 8,
};

// Which element classes a property or callback belongs to.
enum class TQGUI_ClassRule : uint8_t {
  Every,
  LabelKinds,  // the label and the classes derived from it
  CheckBox,
  ProgressBar,
  Listbox,
  ListboxOrCustomListBox,
  CustomListBox,
  Edit,
  Scrollbar,
  ScrollBoxOrScrollbar,
  LabelKindsOrListbox,
  None,
};
bool AppliesTo(TQGUI_ClassRule rule, int32_t type);
