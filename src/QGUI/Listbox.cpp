#include "QGUI/Listbox.h"

#include <algorithm>
#include <cmath>

#include "QGUI/Scissor.h"
#include "QGUI/Scrollbar.h"
#include "font/FontBase.h"
#include "gl/Renderer.h"
#include "script/LuaHost.h"

namespace {

constexpr int32_t kKeyUp = 38;
constexpr int32_t kKeyDown = 40;

int32_t Saturate(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

TQGUI_Listbox::TQGUI_Listbox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Element(context, parent, topLevel) {
  bevel = true;
  wheelConsumer = true;
}

void TQGUI_Listbox::SetText(std::u16string_view text) {
  if (text == rawText) return;
  rawText = text;
  items.clear();
  if (text.empty()) itemIndex = -1;
  size_t start = 0;
  for (size_t cut; (cut = text.find(kSeparator, start)) != std::u16string_view::npos; start = cut + 1)
    items.emplace_back(text.substr(start, cut - start));
  if (start < text.size()) items.emplace_back(text.substr(start));
  scrollInfoDirty = true;
}

std::u16string TQGUI_Listbox::Text() const {
  std::u16string text;
  for (const std::u16string& item : items) (text += item) += kSeparator;
  return text;
}

std::u16string_view TQGUI_Listbox::Line(int64_t index) const {
  return index >= 0 && size_t(index) < items.size() ? std::u16string_view(items[size_t(index)]) : std::u16string_view();
}

int32_t TQGUI_Listbox::RowHeight() { return LoadFont() ? font.font->LineHeight() + 2 : 0; }

int32_t TQGUI_Listbox::ItemAt(int32_t py) {
  const int32_t rowHeight = RowHeight();
  if (rowHeight <= 0) return -1;
  const double row = std::nearbyint(double(int64_t(py) + scrollOffset) / rowHeight);
  return row >= 0 && row < double(items.size()) ? int32_t(row) : -1;
}

void TQGUI_Listbox::SetItemIndex(int32_t index) {
  const bool changed = index != itemIndex;
  itemIndex = index;
  const int32_t rowHeight = RowHeight();
  if (changed && rowHeight > 0) {
    KeepSelectionVisible(rowHeight);
    if (TQGUI_Scrollbar* bar = AttachedBar(*this, 0)) {
      UpdateScrollInfo();
      bar->position = scrollOffset;
    }
  }
  FireWithLine(CALLBACK_INDEXSET);
}

void TQGUI_Listbox::KeepSelectionVisible(int32_t rowHeight) {
  const int64_t view = int64_t(h) - 2;
  int64_t offset = scrollOffset;
  if (itemIndex >= 0) {
    const int64_t top = int64_t(rowHeight) * itemIndex;
    if (top < offset) {
      offset = top;
    } else if (top + rowHeight > offset + view) {
      offset = top + rowHeight - view;
    }
  }
  const int64_t last = std::max<int64_t>(0, int64_t(rowHeight) * int64_t(items.size()) - view);
  scrollOffset = Saturate(std::clamp<int64_t>(offset, 0, last));
}

void TQGUI_Listbox::FireWithLine(TQGUI_Callback callback) {
  const std::string& code = Callback(callback);
  if (code.empty()) return;
  // The item text goes last, so that no placeholder inside it is replaced.
  RunCallback(code, {{"%id", std::to_string(id)},
                     {"%index", std::to_string(itemIndex)},
                     {"%line", TLUA::QuoteWideString(Line(itemIndex))}});
}

void TQGUI_Listbox::MouseDown(uint8_t button, int32_t px, int32_t py) {
  const int32_t row = ItemAt(py);
  if (row >= 0 && row != itemIndex) SetItemIndex(row);
  if (row >= 0 && !Deleted()) FireWithLine(CALLBACK_ITEMCLICKED);
  TQGUI_Element::MouseDown(button, px, py);
  if (!Deleted()) SetKeyboardFocus();
}

void TQGUI_Listbox::MouseMove(int32_t px, int32_t py) {
  TQGUI_Element::MouseMove(px, py);
  hotIndex = ItemAt(py);
}

void TQGUI_Listbox::KeyDown(int32_t key) {
  TQGUI_Element::KeyDown(key);
  if (Deleted()) return;
  if (key == kKeyDown && int64_t(itemIndex) < int64_t(items.size()) - 1) {
    SetItemIndex(itemIndex + 1);
  } else if (key == kKeyUp && itemIndex > 0) {
    SetItemIndex(itemIndex - 1);
  }
}

void TQGUI_Listbox::UpdateScrollInfo() {
  const int32_t rowHeight = RowHeight();
  TQGUI_Scrollbar* bar = AttachedBar(*this, 0);
  if (bar && rowHeight > 0) bar->SetRange(h - 2, Saturate(int64_t(rowHeight) * int64_t(items.size())), *this);
  TQGUI_Element::UpdateScrollInfo();
}

void TQGUI_Listbox::Resized() {
  TQGUI_Element::Resized();
  scrollInfoDirty = true;
}

void TQGUI_Listbox::ScrollPositionChanged(int32_t position, TQGUI_Element&) { scrollOffset = position; }

void TQGUI_Listbox::Draw() {
  const float a = EffectiveAlpha();
  TQGUI_Element::Draw();
  const int32_t rowHeight = RowHeight();
  if (a <= 0 || Deleted() || rowHeight <= 0) return;
  if (scrollInfoDirty) UpdateScrollInfo();
  const int32_t e = edges ? 2 : 0;
  TQGUI_Scissor_Stack* stack = Context().Services().scissor;
  TOGL_Renderer& renderer = Renderer();
  if (stack) stack->PushScissor(GetAbsX() + e, renderer.Height() - GetAbsY() - h + e, w - 2 * e, h - 2 * e);
  DrawRows(a, rowHeight);
  if (stack) stack->PopScissor();
  renderer.SetColour3(1, 1, 1);
  renderer.SetQuadType(1);
}

// Only the rows that reach into the element are drawn (one more on each side for glyphs
// that stand out of their line): the rest would be clipped away.
void TQGUI_Listbox::DrawRows(float a, int32_t rowHeight) {
  if (items.empty()) return;
  TOGL_Font_Base& f = *font.font;
  const bool customParams = font.param1 != 0 || font.param2 != 0;
  const long double saved1 = f.RenderParam1, saved2 = f.RenderParam2;
  if (customParams) {
    f.RenderParam1 = font.param1;
    f.RenderParam2 = font.param2;
  }
  f.CharGap = int16_t(font.charGap);
  const int64_t first = std::max<int64_t>(0, (int64_t(scrollOffset) - 1) / rowHeight - 1);
  const int64_t last = std::min<int64_t>(int64_t(items.size()) - 1, (int64_t(scrollOffset) + h) / rowHeight + 1);
  const int32_t X = GetAbsX(), Y = GetAbsY();
  for (int64_t i = first; i <= last; ++i) DrawRow(size_t(i), a, rowHeight, X, Y);
  f.CharGap = 0;
  if (customParams) {
    f.RenderParam1 = saved1;
    f.RenderParam2 = saved2;
  }
}

void TQGUI_Listbox::DrawRow(size_t index, float a, int32_t rowHeight, int32_t X, int32_t Y) {
  const int32_t i = int32_t(index);
  const bool hot = mouseOver && i == hotIndex;
  const int32_t top = Saturate(int64_t(Y) + int64_t(i) * rowHeight - scrollOffset + 1);
  const TQGUIColour* text = &font.col;
  if (i == itemIndex || hot) {
    text = &font.colOver;
    const TQGUIColour& fill = hot ? mouseOverCol : highlightCol;
    Renderer().SetColour3(1, 1, 1);
    Renderer().SetQuadType(1);
    if (a * fill.alpha > 0) {
      if (edges) {
        FillRect(fill, a * fill.alpha, X + 2, top + 1, w - 4, rowHeight - 2);
      } else {
        FillRect(fill, a * fill.alpha, X + 1, top, w - 2, rowHeight);
      }
    }
  }
  if (a * text->alpha <= 0) return;
  TOGL_Font_Base& f = *font.font;
  f.SetColour(text->red, text->green, text->blue, a * text->alpha);
  f.DrawText(items[index], X + 4, top);
}
