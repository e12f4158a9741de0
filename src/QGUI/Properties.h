#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>

#include "QGUI/PropertyValues.h"
#include "QGUI/Types.h"

class TQGUI_Element;

// Property ids as scripts pass them to qgui_set and qgui_get.
enum TQGUI_PropertyId : int32_t {
  PROP_X,
  PROP_Y,
  PROP_W,
  PROP_H,
  PROP_COL1,
  PROP_COL2,
  PROP_FONT_COL,
  PROP_FONT_NAME,
  PROP_GRADIENT,
  PROP_TEXTURE,
  PROP_TEXT,
  PROP_VISIBLE,
  PROP_ANCHOR,
  PROP_HALIGN,
  PROP_NOMOUSEEVT,
  PROP_TEXTURE2,
  PROP_CHECKED,
  PROP_MINMAX,
  PROP_PROGRESS,
  PROP_ALPHA,
  PROP_SCROLLBAR,
  PROP_INDEX,
  PROP_HIGHLIGHTCOL,
  PROP_DISABLED,
  PROP_FONT_COL_DISABLED,
  PROP_FONT_COL_OVER,
  PROP_AUTOSIZE,
  PROP_BEVEL,
  PROP_BEVEL_COL1,
  PROP_BEVEL_COL2,
  PROP_GLYPH,
  PROP_GLYPH_ALIGN,
  PROP_LINE,
  PROP_WORDWRAP,
  PROP_TEXTCASE,
  PROP_TEXTURE_BLEND,
  PROP_SHADER,
  PROP_TILE,
  PROP_SCROLLBAR2,
  PROP_VALIGN,
  PROP_VERTICAL,
  PROP_FALLBTEXTURE,
  PROP_GRADIENT_COL1,
  PROP_GRADIENT_COL2,
  PROP_ITEMHEIGHT,
  PROP_AUTOHIDESCROLL,
  PROP_EDGES,
  PROP_SHADOWTEXT,
  PROP_NOMOUSEEVTTHIS,
  PROP_STRIKETHROUGH,
  PROP_UNDERLINE,
  PROP_TEXTURE3,
  PROP_FONT_COL_BACK,
  PROP_BORDER_SIZE,
  PROP_BORDER_TYPE,
  PROP_BORDER_COLOUR,
  PROP_ANIM_LOOP,
  PROP_ANIM_PLAY,
  PROP_OVERDRAW,
  PROP_SUBTEXTURE,
  PROP_SUBCOORDS,
  PROP_HINT,
  PROP_AUTOMAXWIDTH,
  PROP_INVALIDCHARS,
  PROP_NOHIGHLIGHT,
  PROP_EDGES_TEXTURE,
  PROP_ABS_X,
  PROP_ABS_Y,
  PROP_SCISSOR,
  PROP_TAG,
  PROP_OUTLINE,
  PROP_TOPDOWN,
  PROP_TEXTURE_LINEAR,
  PROP_DOWN_PIXELS,
  PROP_MOUSEOVERCOL,
  PROP_SCISSOR_BORDER,
  PROP_ISPASSWORD,
  PROP_FONT_SCALE,
  PROP_SHADER_TIME,
  PROP_OUTLINE2,
  PROP_FONT_CHARGAP,
  PROP_SCROLL_TEXT,
};
inline constexpr int kPropertyCount = 82;

// Writes a property from its values; reads it back (`extra` is qgui_get's optional third
// argument, the line index of PROP_LINE).
using TQGUI_PropertySet = void (*)(TQGUI_Element& element, const TQGUI_PropertyArgs& values);
using TQGUI_PropertyGet = TQGUI_Value (*)(const TQGUI_Element& element, int32_t extra);

// One property: its Lua constant, the classes it is set on and read from, and how. A
// null function sets nothing and reads nothing. A set rule of None makes qgui_set refuse
// the id as not a valid property.
struct TQGUI_Property {
  TQGUI_PropertyId id;
  const char* name;
  TQGUI_ClassRule setOn;
  TQGUI_ClassRule getFrom;
  TQGUI_PropertySet set;
  TQGUI_PropertyGet get;
};

// Every property, in id order (index = id).
std::span<const TQGUI_Property> Properties();
// Null for an id outside the table.
const TQGUI_Property* FindProperty(int32_t id);

// Sets or reads a property when the element's class takes it; otherwise nothing happens
// and nothing is read.
void SetProperty(TQGUI_Element& element, const TQGUI_Property& property, const TQGUI_PropertyArgs& values);
void SetProperty(TQGUI_Element& element, TQGUI_PropertyId id, std::initializer_list<TQGUI_Arg> values);
TQGUI_Value GetProperty(const TQGUI_Element& element, const TQGUI_Property& property, int32_t extra = 0);
