#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "QGUI/Scrollbar.h"
#include "QGUI/TextBox.h"
#include "font/FontBase.h"

class TextBoxTest : public GuiTest {
 protected:
  TextBoxTest()
      : box(static_cast<TQGUI_TextBox&>(Make(TYPE_TEXTBOX))), bar(static_cast<TQGUI_Scrollbar&>(Make(TYPE_SCROLLBAR))) {
    box.SetBounds(10, 10, 200, 102);
    bar.SetBounds(210, 10, 12, 102);
    box.SetScrollbar(bar.id, 0);
    EXPECT_TRUE(box.LoadFont());
    lh = box.font.font->LineHeight();
  }
  void Frame() {
    renderer.quads.clear();
    RenderFrame();
  }
  // A line offset at the bottom: all lines, the margins, less the visible 100 pixels.
  int32_t Bottom(size_t lines) { return std::max(0, int32_t(lines) * lh + 8 - 100); }
  void AddLines(int count) {
    for (int i = 0; i < count; ++i) box.AddLine(u"line " + std::u16string(1, char16_t(u'a' + i % 26)));
  }

  TQGUI_TextBox& box;
  TQGUI_Scrollbar& bar;
  int lh = 0;
};

TEST_F(TextBoxTest, StartsAsAReadOnlyScrollingArea) {
  EXPECT_TRUE(box.bevel);
  EXPECT_TRUE(box.wheelConsumer);
  EXPECT_TRUE(box.scissor);
  EXPECT_TRUE(box.noHighlight);
  EXPECT_EQ(box.vAlign, ALIGN_TOP);
  EXPECT_EQ(box.textMargin, 4);
  EXPECT_EQ(box.LinesHeight(3), 3 * lh + 8);
}

TEST_F(TextBoxTest, FollowsAddedLinesOnlyAtTheBottom) {
  box.SetText(u"");
  AddLines(40);
  EXPECT_EQ(box.lineOffset, Bottom(40));
  EXPECT_EQ(bar.position, Bottom(40));
  EXPECT_EQ(bar.maxPosition, Bottom(40));
  // Scrolled up, the view stays where it is.
  box.ScrollPositionChanged(lh, bar);
  bar.position = lh;
  AddLines(5);
  EXPECT_EQ(box.lineOffset, lh);
  Frame();
  EXPECT_EQ(bar.position, lh);
  EXPECT_EQ(bar.maxPosition, Bottom(45));
  // Back at the bottom it follows again, however many lines a text brings.
  box.ScrollPositionChanged(Bottom(45), bar);
  box.AddLine(u"one\rtwo\rthree");
  EXPECT_EQ(box.lineOffset, Bottom(48));

  // The wheel moves the bar and is not passed to what lies below.
  TQGUI_Element& below = Panel(0, 0, 400, 400);
  below.SendToBack();
  LogOn(below, CALLBACK_MOUSEWHEEL, "below");
  gui->MouseWheel(50, 50, 120);
  EXPECT_LT(box.lineOffset, Bottom(48));
  EXPECT_TRUE(Log().empty());
}

TEST_F(TextBoxTest, ShrinkingContentClampsTheOffsetAndAnEmptyTextResets) {
  AddLines(30);
  Frame();
  ASSERT_GT(box.lineOffset, 0);
  box.SetText(u"a\rb\rc");
  Frame();
  EXPECT_EQ(box.lineOffset, 0);
  EXPECT_EQ(bar.position, 0);
  EXPECT_FALSE(bar.visible);  // everything fits: the bar hides itself

  AddLines(30);
  bar.position = 50;
  box.SetText(u"");
  EXPECT_EQ(box.lineOffset, 0);
  EXPECT_EQ(bar.position, 0);
  // A resize asks for the range again.
  AddLines(10);
  Frame();
  ASSERT_GT(box.lineOffset, 0);
  box.SetHeight(500);
  Frame();
  EXPECT_EQ(bar.maxPosition, 0);
  EXPECT_EQ(box.lineOffset, 0);
}

TEST_F(TextBoxTest, ABottomUpBoxShowsItsLastLineAtOffsetZero) {
  box.topDown = false;
  box.SetText(u"");
  AddLines(40);
  Frame();
  EXPECT_EQ(box.lineOffset, 0);
  EXPECT_EQ(bar.position, 0);
  EXPECT_TRUE(bar.Reversed());
  // The last line sits on the bottom margin: its first letter is where a line drawn
  // with its top there puts it.
  std::vector<RecordingRenderer::Quad> text;
  for (const auto& q : renderer.quads)
    if (q.type == 2) text.push_back(q);
  ASSERT_GE(text.size(), 5u);
  const float lastLineY = text[text.size() - 5].y;
  renderer.quads.clear();
  box.DrawTextLine(u"l", "", 0, 10 + 102 - 4 - lh, 1);
  EXPECT_EQ(lastLineY, renderer.quads.at(0).y);
}

TEST_F(TextBoxTest, LosingTheScrollBarLeavesNothingBehind) {
  AddLines(30);
  gui->Delete(bar);
  AddLines(5);
  Frame();
  gui->MouseWheel(50, 50, -120);
  EXPECT_EQ(box.lineOffset, Bottom(36));
  // An element that is not a scroll bar is reported and never driven.
  TQGUI_Element& plain = Panel(0, 0, 5, 5);
  box.SetScrollbar(plain.id, 0);
  EXPECT_EQ(reports.back().second, "Element with ID <" + std::to_string(plain.id) + "> is not a TYPE_SCROLLBAR");
  box.SetText(u"");
  Frame();
  EXPECT_EQ(box.lineOffset, 0);
}

TEST_F(TextBoxTest, ALongLogGrowsLineByLine) {
  box.SetWordWrap(true);
  box.SetText(u"");
  for (int i = 0; i < 20000; ++i) box.AddLine(u"a logged line that may wrap into two or more lines in this box");
  EXPECT_EQ(box.lines.size(), 20000u);
  EXPECT_GT(box.wrappedLines.size(), 20000u);
  EXPECT_EQ(box.lineOffset, Bottom(box.wrappedLines.size()));
  Frame();
  EXPECT_EQ(bar.position, box.lineOffset);
  EXPECT_LT(renderer.quads.size(), 400u);
}
