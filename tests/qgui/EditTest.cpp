#include <gtest/gtest.h>
#include <png.h>

#include "GuiFixture.h"
#include "QGUI/Edit.h"
#include "TestImages.h"
#include "font/FontBase.h"
#include "platform/Desktop.h"

using Quad = RecordingRenderer::Quad;
using Colour = std::array<float, 4>;

class EditTest : public GuiTest {
 protected:
  // An edit at (10, 20) that has the keyboard focus, holding `text` with the caret at its end.
  TQGUI_Edit& Edit(std::u16string_view text = u"", int32_t width = 200) {
    auto& edit = static_cast<TQGUI_Edit&>(Make(TYPE_EDIT));
    edit.x = 10;
    edit.y = 20;
    edit.w = width;
    EXPECT_TRUE(edit.LoadFont());
    Click(10 + 5, 25);
    edit.SetText(text);
    edit.caret = int32_t(text.size());
    return edit;
  }
  void Type(std::u16string_view text) {
    for (char16_t c : text) gui->KeyChar(c);
  }
  void Key(int32_t key) {
    gui->KeyDown(key);
    gui->KeyUp(key);
  }
  void ShiftKey(int32_t key) {
    gui->KeyDown(TQGUI_Edit::KEY_SHIFT);
    Key(key);
    gui->KeyUp(TQGUI_Edit::KEY_SHIFT);
  }
  // The element x of the middle of character `index` of the shown text.
  int MiddleOf(TQGUI_Edit& edit, std::u16string_view shown, size_t index) {
    TOGL_Font_Base& f = *edit.font.font;
    return 2 + f.TextWidth(shown.substr(0, index), 0) + f.CharAdvance(shown[index]) / 2;
  }
  std::vector<Quad> Frame() {
    renderer.quads.clear();
    RenderFrame();
    return renderer.quads;
  }
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndRefusesInvalidCharacters) {
  TQGUI_Edit& edit = Edit(u"ad");
  EXPECT_TRUE(edit.bevel);
  EXPECT_TRUE(edit.scissor);
  EXPECT_EQ(edit.scissorBorder, 1);
  EXPECT_EQ(gui->keyboardFocus, &edit);
  Key(TQGUI_Edit::KEY_LEFT);
  Type(u"bc");
  EXPECT_EQ(edit.Text(), u"abcd");
  EXPECT_EQ(edit.caret, 3);
  // Control characters other than the clipboard keys are ignored; every Unicode character is kept.
  Type(u"\t\x01ж");
  EXPECT_EQ(edit.Text(), u"abcжd");

  edit.invalidChars = std::u16string(1, u'a');
  Type(u"xaz");
  EXPECT_EQ(edit.Text(), u"abcжxzd");
  // Pasting is not filtered.
  SetClipboardText("abc");
  Type(u"\x16");
  EXPECT_EQ(edit.Text(), u"abcжxzabcd");
  EXPECT_EQ(edit.caret, 9);

  // A caret at the end appends; one left past the end by a new text is pulled back.
  edit.SetText(u"12");
  EXPECT_EQ(edit.scrollX, 0);
  Type(u"3");
  EXPECT_EQ(edit.Text(), u"123");
  EXPECT_EQ(edit.caret, 3);
}

TEST_F(EditTest, CaretKeysMoveAndShiftSelects) {
  TQGUI_Edit& edit = Edit(u"abcdefgh");
  edit.caret = 5;
  ShiftKey(TQGUI_Edit::KEY_HOME);
  EXPECT_EQ(edit.caret, 0);
  EXPECT_EQ(edit.SelectionLow(), 0);
  EXPECT_EQ(edit.SelectionHigh(), 5);
  EXPECT_TRUE(edit.HasSelection());
  ShiftKey(TQGUI_Edit::KEY_RIGHT);
  EXPECT_EQ(edit.SelectionLow(), 1);
  EXPECT_EQ(edit.SelectionHigh(), 5);

  Key(TQGUI_Edit::KEY_END);
  EXPECT_EQ(edit.caret, 8);
  EXPECT_FALSE(edit.HasSelection());
  EXPECT_EQ(edit.selectionAnchor, -1);
  ShiftKey(TQGUI_Edit::KEY_LEFT);
  ShiftKey(TQGUI_Edit::KEY_LEFT);
  Key(TQGUI_Edit::KEY_HOME);
  EXPECT_EQ(edit.caret, 0);
  EXPECT_FALSE(edit.HasSelection());
  Key(TQGUI_Edit::KEY_LEFT);
  EXPECT_EQ(edit.caret, 0);
  Key(TQGUI_Edit::KEY_RIGHT);
  EXPECT_EQ(edit.caret, 1);
}

TEST_F(EditTest, BackspaceAndDeleteTakeTheSelectionFirst) {
  TQGUI_Edit& edit = Edit(u"abcdef");
  edit.caret = 4;
  ShiftKey(TQGUI_Edit::KEY_LEFT);
  ShiftKey(TQGUI_Edit::KEY_LEFT);
  Key(TQGUI_Edit::KEY_BACK);
  EXPECT_EQ(edit.Text(), u"abef");
  EXPECT_EQ(edit.caret, 2);
  Key(TQGUI_Edit::KEY_BACK);
  EXPECT_EQ(edit.Text(), u"aef");
  EXPECT_EQ(edit.caret, 1);
  Key(TQGUI_Edit::KEY_DELETE);
  EXPECT_EQ(edit.Text(), u"af");
  Key(TQGUI_Edit::KEY_END);
  Key(TQGUI_Edit::KEY_DELETE);
  EXPECT_EQ(edit.Text(), u"af");
  Key(TQGUI_Edit::KEY_BACK);
  EXPECT_EQ(edit.Text(), u"a");
  // Typing over a selection replaces it.
  ShiftKey(TQGUI_Edit::KEY_HOME);
  Type(u"z");
  EXPECT_EQ(edit.Text(), u"z");
  Key(TQGUI_Edit::KEY_BACK);
  Key(TQGUI_Edit::KEY_BACK);
  EXPECT_EQ(edit.Text(), u"");

  // A character outside the first plane is one step and one deletion.
  const std::u16string clef = u"\U0001D11E";
  edit.SetText(u"a" + clef + u"b");
  edit.caret = 3;
  Key(TQGUI_Edit::KEY_LEFT);
  EXPECT_EQ(edit.caret, 1);
  Key(TQGUI_Edit::KEY_RIGHT);
  EXPECT_EQ(edit.caret, 3);
  Key(TQGUI_Edit::KEY_BACK);
  EXPECT_EQ(edit.Text(), u"ab");
  edit.SetText(clef);
  edit.caret = 0;
  Key(TQGUI_Edit::KEY_DELETE);
  EXPECT_EQ(edit.Text(), u"");
}

TEST_F(EditTest, CopyCutAndPasteGoThroughTheClipboardAsUtf8) {
  TQGUI_Edit& edit = Edit(u"one two трі");
  SetClipboardText("untouched");
  Type(u"\x03");  // copy without a selection
  EXPECT_EQ(GetClipboardText(), "untouched");
  ShiftKey(TQGUI_Edit::KEY_LEFT);
  ShiftKey(TQGUI_Edit::KEY_LEFT);
  ShiftKey(TQGUI_Edit::KEY_LEFT);
  Type(u"\x03");
  EXPECT_EQ(GetClipboardText(), "трі");
  EXPECT_EQ(edit.Text(), u"one two трі");
  Type(u"\x18");  // cut
  EXPECT_EQ(GetClipboardText(), "трі");
  EXPECT_EQ(edit.Text(), u"one two ");
  EXPECT_FALSE(edit.HasSelection());
  Key(TQGUI_Edit::KEY_HOME);
  Type(u"\x16");
  EXPECT_EQ(edit.Text(), u"тріone two ");
  EXPECT_EQ(edit.caret, 3);
}

TEST_F(EditTest, ClicksPlaceTheCaretAndDraggingSelects) {
  TQGUI_Edit& edit = Edit(u"abcdef");
  gui->MouseDown(0, 10 + MiddleOf(edit, u"abcdef", 2) + 1, 25);
  EXPECT_EQ(edit.caret, 3);  // past the middle of "c"
  gui->MouseMove(10 + MiddleOf(edit, u"abcdef", 4) - 1, 25);
  EXPECT_EQ(edit.caret, 4);
  EXPECT_EQ(edit.SelectionLow(), 3);
  EXPECT_EQ(edit.SelectionHigh(), 4);
  gui->MouseUp(0, 10 + MiddleOf(edit, u"abcdef", 4) - 1, 25);
  // A right click leaves caret and selection alone.
  gui->MouseDown(1, 12, 25);
  EXPECT_EQ(edit.caret, 4);
  EXPECT_TRUE(edit.HasSelection());
  gui->MouseUp(1, 12, 25);

  // With the password mask the stars are hit-tested: after the third one is after the third character.
  edit.isPassword = true;
  edit.SetText(u"WiWiW");
  Click(10 + MiddleOf(edit, u"*****", 2) + 2, 25);
  EXPECT_EQ(edit.caret, 3);
  EXPECT_FALSE(edit.HasSelection());
  // Far right of the text is its end; the left edge is its start.
  Click(10 + 199, 25);
  EXPECT_EQ(edit.caret, 5);
  Click(10, 25);
  EXPECT_EQ(edit.caret, 0);
}

TEST_F(EditTest, DrawsTheSelectionTextCaretAndBlink) {
  TQGUI_Edit& edit = Edit(u"abcd");
  edit.font.col = {0, 1, 0, 1};
  edit.caret = 1;
  ShiftKey(TQGUI_Edit::KEY_RIGHT);
  ShiftKey(TQGUI_Edit::KEY_RIGHT);
  now = 100250;  // a quarter into the blink: half alpha
  std::vector<Quad> quads = Frame();
  TOGL_Font_Base& f = *edit.font.font;
  const int lh = f.LineHeight();
  EXPECT_EQ(edit.h, lh + 4);
  const int top = 20 + edit.h / 2 - lh / 2;
  // Selection first, then the four letters, then the caret.
  ASSERT_EQ(quads.size(), 6u);
  const Quad& selection = quads[0];
  EXPECT_EQ(selection.x, 10 + f.TextWidth(u"a", 0) + 3);
  EXPECT_EQ(selection.w, f.TextWidth(u"bc", 0));
  EXPECT_EQ(768 - selection.y - selection.h, top);
  EXPECT_EQ(selection.colour, (Colour{0.75f, 0.75f, 0.75f, 0.25f}));
  EXPECT_EQ(quads[1].colour, (Colour{0, 1, 0, 1}));
  const Quad& caret = quads[5];
  EXPECT_EQ(caret.x, 10 + f.TextWidth(u"abc", 0) + 3);
  EXPECT_EQ(caret.w, 2);
  EXPECT_EQ(caret.h, lh);
  EXPECT_FLOAT_EQ(caret.colour[3], 0.5f);
  now = 100750;
  EXPECT_FLOAT_EQ(Frame().back().colour[3], 0.5f);
  now = 100500;
  EXPECT_FLOAT_EQ(Frame().back().colour[3], 1.0f);

  // Without the focus there is no caret; disabled text takes the disabled colour.
  gui->keyboardFocus = nullptr;
  edit.SetDisabled(true);
  quads = Frame();
  ASSERT_EQ(quads.size(), 5u);
  EXPECT_EQ(quads[1].colour, (Colour{0.4f, 0.4f, 0.4f, 1}));
}

TEST_F(EditTest, TheViewScrollsToKeepTheCaretVisible) {
  TQGUI_Edit& edit = Edit(u"", 60);
  Type(u"a long line of text that is wider than the edit");
  Frame();
  TOGL_Font_Base& f = *edit.font.font;
  const int width = f.TextWidth(edit.Text(), 0);
  EXPECT_EQ(edit.scrollX, width + 3 - 60 + 3);
  Key(TQGUI_Edit::KEY_HOME);
  Frame();
  EXPECT_EQ(edit.scrollX, 1);  // the caret sits 2 pixels in
  // Heights: one line plus 4 while following the font, at least that once set.
  edit.SetHeight(100);
  Frame();
  EXPECT_EQ(edit.h, 100);
  edit.autosize = true;
  Frame();
  EXPECT_EQ(edit.w, width + 4);
}

TEST_F(EditTest, TheBodyIsAThreeSliceOfTexture2) {
  PngSpec spec = MakePngSpec(30, 10, PNG_COLOR_TYPE_RGB_ALPHA, 8, false);
  spec.samples.assign(30 * 10 * 4, 255);
  WriteInterfaceFile("edit.png", EncodePNG(spec));
  TQGUI_Edit& edit = Edit(u"");
  edit.SetHeight(40);
  edit.col2 = {1, 0, 0, 0.5f};
  edit.SetSlotTexture(SLOT_TEXTURE2, "edit.png");
  std::vector<Quad> quads = Frame();
  ASSERT_GE(quads.size(), 3u);
  EXPECT_EQ(quads[0].x, 10);
  EXPECT_EQ(quads[0].w, 10);
  EXPECT_FLOAT_EQ(quads[0].du, 1.0f / 3);
  EXPECT_EQ(quads[1].x, 20);
  EXPECT_EQ(quads[1].w, 180);
  EXPECT_FLOAT_EQ(quads[1].u, 1.0f / 3);
  EXPECT_FLOAT_EQ(quads[1].du, 1.0f / 30);
  EXPECT_EQ(quads[2].x, 200);
  EXPECT_FLOAT_EQ(quads[2].u, 2.0f / 3);
  EXPECT_EQ(quads[0].colour, (Colour{1, 0, 0, 0.5f}));
  EXPECT_EQ(quads[0].h, 40);
  // A name that does not load draws no body at all, not the plain fill.
  edit.SetSlotTexture(SLOT_TEXTURE2, "missing.png");
  edit.col1 = {1, 1, 1, 1};
  for (const Quad& q : Frame()) EXPECT_NE(q.w, 198.0f);
}

TEST_F(EditTest, PastingAMegabyteStaysCheapToDraw) {
  TQGUI_Edit& edit = Edit(u"start");
  SetClipboardText(std::string(1 << 20, 'x'));
  Type(u"\x16");
  EXPECT_EQ(edit.Text().size(), 5u + (1u << 20));
  EXPECT_LT(Frame().size(), 200u);
  Key(TQGUI_Edit::KEY_HOME);
  for (int i = 0; i < 10; ++i) Key(TQGUI_Edit::KEY_RIGHT);
  std::vector<Quad> quads = Frame();
  EXPECT_LT(quads.size(), 200u);
  EXPECT_EQ(edit.caret, 10);
  ShiftKey(TQGUI_Edit::KEY_END);
  Key(TQGUI_Edit::KEY_BACK);
  EXPECT_EQ(edit.Text(), u"startxxxxx");
  // Invalid surrogates from a script stay as they are and draw nothing.
  edit.SetText(std::u16string(u"\xDC00z\xD800"));
  Frame();
  Key(TQGUI_Edit::KEY_BACK);
  EXPECT_EQ(edit.Text(), std::u16string(u"\xDC00z"));
}
