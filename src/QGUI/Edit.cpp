#include "QGUI/Edit.h"

#include <algorithm>

#include "QGUI/Desktop.h"
#include "QGUI/Scissor.h"
#include "font/FontBase.h"
#include "gl/Renderer.h"
#include "platform/Desktop.h"
#include "platform/Text.h"

namespace {

const std::u16string kNoText;

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Caret steps and cuts never fall inside a surrogate pair.
bool InsidePair(std::u16string_view text, size_t at) {
  return at > 0 && at < text.size() && IsHigh(text[at - 1]) && IsLow(text[at]);
}
size_t Previous(std::u16string_view text, size_t at) { return at - (InsidePair(text, at - 1) ? 2 : 1); }
size_t Next(std::u16string_view text, size_t at) { return at + (InsidePair(text, at + 1) ? 2 : 1); }

}  // namespace

TQGUI_Edit::TQGUI_Edit(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Label(context, parent, topLevel) {
  bevel = true;
  scissor = true;
  scissorBorder = 1;
}

const std::u16string& TQGUI_Edit::Text() const { return lines.empty() ? kNoText : lines[0]; }

std::u16string& TQGUI_Edit::EditText() {
  if (lines.empty()) lines.emplace_back();
  lineColourRuns.resize(lines.size());
  return lines[0];
}

void TQGUI_Edit::SetText(std::u16string_view text) {
  lines.assign(1, std::u16string(text));
  lineColourRuns.assign(1, std::string());
  scrollX = 0;
  ApplyCase(0);
  Edited();
}

// An anchor left by a click or the old text would make the next Shift step select
// from the wrong place.
void TQGUI_Edit::Edited() { selectionAnchor = selectionEnd = -1; }

void TQGUI_Edit::AddLine(std::u16string_view text) {
  if (Text().empty()) return SetText(text);
  SetText(Text() + u'\r' + std::u16string(text));
}

bool TQGUI_Edit::HasSelection() const { return SelectionLow() >= 0 && selectionAnchor != selectionEnd; }

// Positions from before the text was replaced are kept inside it.
void TQGUI_Edit::ClampPositions() {
  const int32_t length = int32_t(std::min<size_t>(Text().size(), INT32_MAX));
  for (int32_t* position : {&caret, &selectionAnchor, &selectionEnd}) *position = std::clamp(*position, -1, length);
}

bool TQGUI_Edit::DeleteSelection() {
  if (!HasSelection()) return false;
  const int32_t low = SelectionLow();
  EditText().erase(size_t(low), size_t(SelectionHigh() - low));
  if (low < caret) caret = low;
  selectionAnchor = selectionEnd = -1;
  return true;
}

void TQGUI_Edit::ExtendSelection(int32_t from, int32_t to, bool dragging) {
  TQGUI_Desktop* desktop = Context().Desktop();
  if (!dragging && !(desktop && desktop->IsKeyDown(KEY_SHIFT))) {
    selectionAnchor = selectionEnd = -1;
    return;
  }
  if (selectionAnchor == -1) selectionAnchor = from;
  selectionEnd = to;
}

void TQGUI_Edit::Insert(std::u16string_view text) {
  std::u16string& edit = EditText();
  if (caret != -1 && size_t(caret) != edit.size()) {
    edit.insert(size_t(caret), text);
    caret += int32_t(text.size());
  } else {
    edit += text;
    caret = int32_t(edit.size());
  }
  Edited();
}

void TQGUI_Edit::KeyChar(char16_t code) {
  TQGUI_Label::KeyChar(code);
  if (code < 32 && code != CHAR_COPY && code != CHAR_PASTE && code != CHAR_CUT) return;
  if (invalidChars.find(code) != std::u16string::npos) return;
  ClampPositions();
  if (code == CHAR_COPY || code == CHAR_CUT) {
    if (!HasSelection()) return;
    SetClipboardText(
        ToUtf8(std::u16string_view(Text()).substr(size_t(SelectionLow()), size_t(SelectionHigh() - SelectionLow()))));
    if (code == CHAR_CUT) DeleteSelection();
    return;
  }
  DeleteSelection();
  // Pasted text goes in whole: the refused characters are a typing filter.
  if (code == CHAR_PASTE) {
    Insert(ToUtf16(GetClipboardText()));
  } else {
    Insert(std::u16string_view(&code, 1));
  }
}

void TQGUI_Edit::EraseCharBefore(size_t at) {
  const size_t from = Previous(Text(), at);
  EditText().erase(from, at - from);
  caret = int32_t(from);
  Edited();
}

void TQGUI_Edit::KeyDown(int32_t key) {
  TQGUI_Label::KeyDown(key);
  if (Deleted()) return;
  ClampPositions();
  const std::u16string& text = Text();
  const int32_t length = int32_t(text.size());
  switch (key) {
    case KEY_BACK:
      if (DeleteSelection() || text.empty()) return;
      if (caret == -1 || caret == length) {
        EraseCharBefore(text.size());
      } else if (caret > 0) {
        EraseCharBefore(size_t(caret));
      }
      return;
    case KEY_DELETE:
      if (DeleteSelection() || text.empty() || caret == -1 || caret == length) return;
      EditText().erase(size_t(caret), Next(text, size_t(caret)) - size_t(caret));
      Edited();
      return;
    case KEY_LEFT:
      if (caret <= 0) return;
      ExtendSelection(caret, int32_t(Previous(text, size_t(caret))), false);
      caret = int32_t(Previous(text, size_t(caret)));
      return;
    case KEY_RIGHT:
      if (caret < 0 || caret >= length) return;
      ExtendSelection(caret, int32_t(Next(text, size_t(caret))), false);
      caret = int32_t(Next(text, size_t(caret)));
      return;
    case KEY_HOME:
      ExtendSelection(caret, 0, false);
      caret = 0;
      return;
    case KEY_END:
      ExtendSelection(caret, length, false);
      caret = length;
      return;
    default:
      return;
  }
}

// ---- Mouse

void TQGUI_Edit::MouseDown(uint8_t button, int32_t px, int32_t py) {
  TQGUI_Label::MouseDown(button, px, py);
  if (Deleted() || button != 0) return;
  SetKeyboardFocus();
  caret = CaretAt(px);
  selectionAnchor = selectionEnd = caret;
}

void TQGUI_Edit::MouseMove(int32_t px, int32_t py) {
  TQGUI_Label::MouseMove(px, py);
  if (Deleted() || !buttonDown[0]) return;
  const int32_t moved = CaretAt(px);
  if (moved == caret) return;
  ExtendSelection(caret, moved, true);
  caret = moved;
}

// The characters that fit before the point, the one it is in counting when the point
// is past that one's middle.
int32_t TQGUI_Edit::CaretAt(int32_t px) {
  const std::u16string& text = Text();
  if (!LoadFont()) return int32_t(text.size());
  Measure();
  const int64_t limit = int64_t(px) + scrollX - 2;
  size_t fit = size_t(std::upper_bound(prefix_.begin(), prefix_.end(), limit) - prefix_.begin());
  fit = fit == 0 ? 0 : fit - 1;
  if (fit < text.size() && double(prefix_[fit + 1] - limit) <= double(prefix_[fit + 1] - prefix_[fit]) / 2) ++fit;
  if (InsidePair(text, fit)) --fit;
  return int32_t(fit);
}

void TQGUI_Edit::Measure() {
  TOGL_Font_Base& f = *font.font;
  const std::u16string& text = Text();
  if (measuredFont_ == &f && measuredGap_ == font.charGap && measuredPassword_ == isPassword && measuredText_ == text)
    return;
  measuredFont_ = &f;
  measuredGap_ = font.charGap;
  measuredPassword_ = isPassword;
  measuredText_ = text;
  prefix_.assign(1, 0);
  prefix_.reserve(text.size() + 1);
  f.SetCharGap(font.charGap);
  for (char16_t ch : text) prefix_.push_back(prefix_.back() + f.CharAdvance(isPassword ? u'*' : ch));
  f.RestoreCharGap();
}

int64_t TQGUI_Edit::WidthUpTo(int64_t chars) const {
  return prefix_[size_t(std::clamp<int64_t>(chars, 0, int64_t(prefix_.size()) - 1))];
}

// ---- Drawing

// A three-slice body from texture 2: both thirds of the image at their own width and
// one texel column between them stretched.
void TQGUI_Edit::DrawBackground(float a) {
  TQGUITexSlot& body = Slot(SLOT_TEXTURE2);
  if (body.name.empty()) return TQGUI_Label::DrawBackground(a);
  ResolveTexture(SLOT_TEXTURE2, false);
  if (!body.texture || col2.alpha * a <= 0 || body.width <= 0) return;
  TOGL_Renderer& renderer = Renderer();
  BeginTextured();
  renderer.SetColour(col2.red, col2.green, col2.blue, col2.alpha * a);
  renderer.BindTexture(0, body.texture);
  const float X = float(GetAbsX()), W = float(w), t = float(body.width) / 3;
  const float y = GLY(GetAbsY(), h), H = float(h);
  renderer.DrawQuad(X, y, t, H, 0, 0, 1.0f / 3, 1);
  renderer.DrawQuad(X + t, y, W - 2 * t, H, 1.0f / 3, 0, 1.0f / float(body.width), 1);
  renderer.DrawQuad(X + W - t, y, t, H, 2.0f / 3, 0, 1.0f / 3, 1);
  EndTextured();
}

void TQGUI_Edit::Draw() {
  const float a = EffectiveAlpha();
  TQGUI_Element::Draw();
  if (Deleted() || !LoadFont()) return;
  ClampPositions();
  Measure();
  const int32_t lineHeight = font.font->LineHeight();
  h = heightFollowsFont ? lineHeight + 4 : std::max(h, lineHeight + 4);
  if (autosize) w = int32_t(std::clamp<int64_t>(WidthUpTo(INT64_MAX) + 4, w, INT32_MAX));
  const TQGUIColour& colour = IsEnabledInTree() ? font.col : font.colDisabled;
  if (colour.alpha * a <= 0) return;
  const int32_t X = GetAbsX();
  const int32_t top = GetAbsY() + h / 2 - lineHeight / 2;
  if (HasSelection()) {
    EndTextured();
    const int64_t low = WidthUpTo(SelectionLow()), high = WidthUpTo(SelectionHigh());
    FillRect({0.75f, 0.75f, 0.75f, 1}, a * 0.25f, int32_t(X + low - scrollX + 3), top, int32_t(high - low), lineHeight);
  }
  TQGUI_Scissor_Stack* stack = scissor && scissorBorder > 0 ? Context().Services().scissor : nullptr;
  if (stack) {
    const int32_t b = scissorBorder;
    stack->PushScissor(X + b, Renderer().Height() - GetAbsY() - h + b, w - 2 * b, h - 2 * b);
  }
  // Keep the caret in view.
  const int64_t c = WidthUpTo(caret) + 3 - scrollX;
  if (w < c + 3) {
    scrollX = int32_t(std::min<int64_t>(scrollX + c - w + 3, INT32_MAX));
  } else if (c - 2 < 0) {
    scrollX = int32_t(scrollX + c - 2);
  }
  DrawShownText(colour, a, top);
  EndTextured();
  if (Context().keyboardFocus == this && caret >= 0) {
    uint32_t t = Context().Services().tickCount() % 1000;
    if (t > 500) t = 1000 - t;
    FillRect(colour, colour.alpha * a * float(t) / 500, int32_t(X + WidthUpTo(caret) - scrollX + 3), top, 2,
             lineHeight);
  }
  if (stack) stack->PopScissor();
}

// Only the characters inside the edit are handed to the font, so a pasted megabyte
// costs no more to draw than what shows.
void TQGUI_Edit::DrawShownText(const TQGUIColour& colour, float a, int32_t top) {
  TOGL_Font_Base& f = *font.font;
  const int64_t slack = f.LineHeight();
  const int64_t from = int64_t(scrollX) - 4 - slack, to = int64_t(scrollX) - 4 + w + slack;
  auto first = std::upper_bound(prefix_.begin(), prefix_.end(), from);
  const size_t start = first == prefix_.begin() ? 0 : size_t(first - prefix_.begin()) - 1;
  const size_t end =
      std::min(Text().size(), size_t(std::lower_bound(prefix_.begin(), prefix_.end(), to) - prefix_.begin()));
  if (end <= start) return;
  const std::u16string slice = isPassword ? std::u16string(end - start, u'*') : Text().substr(start, end - start);
  const bool customParams = font.param1 != 0 || font.param2 != 0;
  const long double saved1 = f.RenderParam1, saved2 = f.RenderParam2;
  if (customParams) {
    f.RenderParam1 = font.param1;
    f.RenderParam2 = font.param2;
  }
  f.CharGap = int16_t(font.charGap);
  f.SetColour(colour.red, colour.green, colour.blue, colour.alpha * a);
  f.DrawText(slice, int32_t(GetAbsX() - scrollX + 4 + prefix_[start]), top);
  f.CharGap = 0;
  if (customParams) {
    f.RenderParam1 = saved1;
    f.RenderParam2 = saved2;
  }
}
