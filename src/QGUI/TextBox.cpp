#include "QGUI/TextBox.h"

#include <algorithm>

#include "QGUI/Scissor.h"
#include "QGUI/Scrollbar.h"
#include "gl/Renderer.h"

TQGUI_TextBox::TQGUI_TextBox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Label(context, parent, topLevel) {
  bevel = true;
  wheelConsumer = true;
  vAlign = ALIGN_TOP;
  textMargin = 4;
  noHighlight = true;
  lineOffset = 0;
  scissor = true;
}

int32_t TQGUI_TextBox::BottomOffset() const {
  return int32_t(std::max<int64_t>(int64_t(LinesHeight(ShownLineCount())) - h + 2, 0));
}

void TQGUI_TextBox::Resized() {
  TQGUI_Label::Resized();
  if (wordWrap) wrapPending = true;
  scrollInfoDirty = true;
}

void TQGUI_TextBox::Draw() {
  TQGUI_Scissor_Stack* stack = Context().Services().scissor;
  if (stack) stack->PushScissor(GetAbsX(), Renderer().Height() - GetAbsY() - h, w, h);
  TQGUI_Label::Draw();
  if (stack) stack->PopScissor();
}

void TQGUI_TextBox::UpdateScrollInfo() {
  TQGUI_Scrollbar* bar = AttachedBar(*this, 0);
  if (bar && font.font) {
    bar->SetRange(h - 2, LinesHeight(ShownLineCount()), *this);
    const int32_t bottom = BottomOffset();
    if (bottom < lineOffset) lineOffset = bar->position = bottom;
  }
  TQGUI_Label::UpdateScrollInfo();
}

void TQGUI_TextBox::ScrollPositionChanged(int32_t position, TQGUI_Element&) { lineOffset = position; }

void TQGUI_TextBox::SetText(std::u16string_view text) {
  if (text.empty()) {
    for (int slot : {0, 1})
      if (TQGUI_Scrollbar* bar = AttachedBar(*this, slot)) bar->ResetPosition();
    lineOffset = 0;
  }
  TQGUI_Label::SetText(text);
  scrollInfoDirty = true;
}

// At the bottom before, at the bottom after: the view follows what was added, all of
// it, however many lines it wrapped into. Text that runs upwards shows its last line
// at offset 0, so there the bottom stays at 0.
void TQGUI_TextBox::AddLine(std::u16string_view text) {
  const bool atBottom = lineOffset == (topDown ? BottomOffset() : 0);
  TQGUI_Label::AddLine(text);
  scrollInfoDirty = true;
  if (!atBottom) return;
  lineOffset = topDown ? BottomOffset() : 0;
  if (TQGUI_Scrollbar* bar = AttachedBar(*this, 0)) {
    UpdateScrollInfo();
    bar->position = lineOffset;
  }
}
