#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "QGUI/Label.h"

// A one-line text entry: caret, Shift selection, clipboard keys, an optional
// password mask and characters that typing refuses. The text is the label's first
// line, kept whole (no colour codes, no line breaks read).
class TQGUI_Edit : public TQGUI_Label {
 public:
  // Windows virtual-key and control-character codes the edit reacts to.
  enum Key : int32_t {
    KEY_BACK = 8,
    KEY_SHIFT = 16,
    KEY_END = 35,
    KEY_HOME = 36,
    KEY_LEFT = 37,
    KEY_RIGHT = 39,
    KEY_DELETE = 46
  };
  enum Control : char16_t { CHAR_COPY = 3, CHAR_PASTE = 22, CHAR_CUT = 24 };

  TQGUI_Edit(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_EDIT; }
  void DrawBackground(float alpha) override;
  void Draw() override;
  void MouseDown(uint8_t button, int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y) override;
  void KeyChar(char16_t code) override;
  void KeyDown(int32_t key) override;
  void SetText(std::u16string_view text) override;
  void AddLine(std::u16string_view text) override;

  const std::u16string& Text() const;
  bool HasSelection() const;
  int32_t SelectionLow() const { return std::min(selectionAnchor, selectionEnd); }
  int32_t SelectionHigh() const { return std::max(selectionAnchor, selectionEnd); }
  // Deletes the selected characters; false when nothing was selected.
  bool DeleteSelection();

  int32_t caret = 0;  // characters before the caret
  int32_t scrollX = 0;
  int32_t selectionAnchor = -1;
  int32_t selectionEnd = -1;
  std::u16string invalidChars;
  bool isPassword = false;

 private:
  std::u16string& EditText();
  void ClampPositions();
  void Edited();
  void ExtendSelection(int32_t from, int32_t to, bool dragging);
  void Insert(std::u16string_view text);
  void EraseCharBefore(size_t at);
  // The caret position a click at element x gives.
  int32_t CaretAt(int32_t x);
  // Pixel widths of the shown text's prefixes, measured again only when the text, the
  // font, the gap or the mask changed.
  void Measure();
  int64_t WidthUpTo(int64_t chars) const;
  void DrawShownText(const TQGUIColour& colour, float a, int32_t top);

  const TOGL_Font_Base* measuredFont_ = nullptr;
  uint16_t measuredGap_ = 0;
  bool measuredPassword_ = false;
  std::u16string measuredText_;
  std::vector<int64_t> prefix_{0};
};
