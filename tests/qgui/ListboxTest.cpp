#include <gtest/gtest.h>

#include <cmath>

#include "QGUI/Listbox.h"
#include "QGUI/Scrollbar.h"
#include "WidgetTestSupport.h"

using Strings = std::vector<std::string>;

class ListboxTest : public WidgetTest {
 protected:
  ListboxTest() : list(MakeAs<TQGUI_Listbox>(TYPE_LISTBOX)) {
    list.SetBounds(10, 10, 200, 100);
    rh = list.RowHeight();
  }
  std::string Id() const { return std::to_string(list.id); }
  // A window y that the nearest-row rule gives row `row`: just below its top line.
  int32_t InRow(int32_t row) const { return 10 + row * rh - list.scrollOffset + 2; }
  std::vector<Quad> FillsOf(const std::vector<Quad>& quads, const TQGUIColour& colour) {
    std::vector<Quad> found;
    for (const Quad& q : quads)
      if (q.type == 0 && q.colour == Colour{colour.red, colour.green, colour.blue, colour.alpha}) found.push_back(q);
    return found;
  }

  TQGUI_Listbox& list;
  int32_t rh = 0;
};

TEST_F(ListboxTest, TextSplitsAtCarriageReturnsOnly) {
  ASSERT_GT(rh, 2);
  EXPECT_TRUE(list.bevel);
  EXPECT_TRUE(list.wheelConsumer);
  list.SetText(u"a\rb\r");
  EXPECT_EQ(list.items, (std::vector<std::u16string>{u"a", u"b"}));
  list.SetText(u"a\nb");
  EXPECT_EQ(list.items, (std::vector<std::u16string>{u"a\nb"}));
  list.SetText(u"\r\rc");
  EXPECT_EQ(list.items, (std::vector<std::u16string>{u"", u"", u"c"}));
  EXPECT_EQ(list.Text(), u"\r\rc\r");
  EXPECT_EQ(list.Line(2), u"c");
  EXPECT_EQ(list.Line(3), u"");
  EXPECT_EQ(list.Line(-1), u"");

  // The same text again keeps the selection and runs nothing; a new one keeps the index,
  // even past its end, until the text is emptied.
  LogOn(list, CALLBACK_INDEXSET, "set");
  list.SetItemIndex(2);
  ClearLog();
  list.SetText(u"\r\rc");
  list.SetText(u"x");
  EXPECT_EQ(list.itemIndex, 2);
  EXPECT_TRUE(Log().empty());
  list.SetText(u"");
  EXPECT_EQ(list.itemIndex, -1);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.Text(), u"");
}

TEST_F(ListboxTest, IndexSetRunsEvenForTheSameIndexWithTheLineQuoted) {
  list.SetText(u"one\rit's\\here\r");
  list.SetCallback(CALLBACK_INDEXSET, "log[#log+1]='set %id %index ' .. %line");
  list.SetItemIndex(1);
  list.SetItemIndex(1);
  list.SetItemIndex(-1);
  EXPECT_EQ(Log(), (Strings{"set " + Id() + " 1 it's/here", "set " + Id() + " 1 it's/here", "set " + Id() + " -1 "}));
}

TEST_F(ListboxTest, ClicksTakeTheNearestRowAndNothingBelowTheLast) {
  list.SetText(u"r0\rr1\rr2\rr3\r");
  LogOn(list, CALLBACK_INDEXSET, "set", " %index");
  list.SetCallback(CALLBACK_ITEMCLICKED, "log[#log+1]='clicked %id %index ' .. %line");
  const int32_t lowerHalf = 10 + 2 * rh + rh / 2 + 3;  // 3 pixels into the lower half of row 2
  Click(50, lowerHalf);
  EXPECT_EQ(list.itemIndex, 3);
  EXPECT_EQ(Log(), (Strings{"set " + Id() + " 3", "clicked " + Id() + " 3 r3"}));
  EXPECT_EQ(gui->keyboardFocus, &list);

  ClearLog();
  Click(50, 10 + 5 * rh);  // below the last row
  EXPECT_EQ(list.itemIndex, 3);
  EXPECT_TRUE(Log().empty());
  Click(50, InRow(3));  // the selected row again: clicked, no new index
  EXPECT_EQ(Log(), (Strings{"clicked " + Id() + " 3 r3"}));
  EXPECT_EQ(list.ItemAt(-rh), -1);
}

TEST_F(ListboxTest, UpAndDownStopAtTheEnds) {
  list.SetText(u"a\rb\rc");
  list.SetKeyboardFocus();
  gui->KeyDown(40);  // from no selection, Down takes row 0
  EXPECT_EQ(list.itemIndex, 0);
  LogOn(list, CALLBACK_INDEXSET, "set", " %index");
  gui->KeyDown(38);
  EXPECT_EQ(list.itemIndex, 0);
  gui->KeyDown(40);
  gui->KeyDown(40);
  gui->KeyDown(40);
  EXPECT_EQ(list.itemIndex, 2);
  EXPECT_EQ(Log(), (Strings{"set " + Id() + " 1", "set " + Id() + " 2"}));
}

TEST_F(ListboxTest, SelectedAndHotRowsAreHighlightedInTheirColours) {
  list.SetText(u"a\rb\rc");
  list.col1.alpha = 0;
  list.highlightCol = {0, 0, 1, 0.5f};
  list.mouseOverCol = {0, 1, 0, 0.5f};
  list.font.col = {0.5f, 0.5f, 0.5f, 1};
  list.font.colOver = {1, 1, 0, 1};
  list.SetItemIndex(1);
  std::vector<Quad> quads = Frame();
  std::vector<Quad> fills = FillsOf(quads, list.highlightCol);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].x, 11);
  EXPECT_EQ(768 - fills[0].y - fills[0].h, 10 + rh + 1);
  EXPECT_EQ(fills[0].w, 198);
  EXPECT_EQ(fills[0].h, rh);
  EXPECT_EQ(fills[0].scissor, (std::array<int, 4>{10, 768 - 110, 200, 100}));
  // Glyphs after the fill take the over colour; the others the plain one.
  size_t over = 0, plain = 0;
  for (const Quad& q : quads) {
    if (q.type == 0) continue;
    over += q.colour == Colour{1, 1, 0, 1};
    plain += q.colour == Colour{0.5f, 0.5f, 0.5f, 1};
  }
  EXPECT_EQ(over, 1u);
  EXPECT_EQ(plain, 2u);

  // The pointer over the selected row: the mouse-over colour; over another row: both.
  gui->MouseMove(50, InRow(1));
  quads = Frame();
  EXPECT_TRUE(FillsOf(quads, list.highlightCol).empty());
  EXPECT_EQ(FillsOf(quads, list.mouseOverCol).size(), 1u);
  gui->MouseMove(50, InRow(2));
  quads = Frame();
  EXPECT_EQ(FillsOf(quads, list.highlightCol).size(), 1u);
  ASSERT_EQ(FillsOf(quads, list.mouseOverCol).size(), 1u);
  EXPECT_EQ(768 - FillsOf(quads, list.mouseOverCol)[0].y - rh, 10 + 2 * rh + 1);

  // Edges inset the fill and the clip by 2 pixels.
  list.edges = true;
  gui->MouseMove(500, 500);
  quads = Frame();
  fills = FillsOf(quads, list.highlightCol);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].x, 12);
  EXPECT_EQ(fills[0].w, 196);
  EXPECT_EQ(fills[0].h, rh - 2);
  EXPECT_EQ(fills[0].scissor, (std::array<int, 4>{12, 768 - 108, 196, 96}));
}

TEST_F(ListboxTest, TheScrollBarFollowsTheRowsAndTheSelectionStaysInView) {
  TQGUI_Scrollbar& bar = static_cast<TQGUI_Scrollbar&>(Make(TYPE_SCROLLBAR));
  bar.SetBounds(212, 10, 10, 100);
  list.SetScrollbar(bar.id, 0);
  std::u16string text;
  for (int i = 0; i < 20; ++i) text += u"row\r";
  list.SetText(text);
  RenderFrame();
  EXPECT_EQ(bar.pageSize, 98);
  EXPECT_EQ(bar.maxPosition, 20 * rh - 98);

  list.SetItemIndex(10);  // below the view: scrolled until its bottom shows
  EXPECT_EQ(list.scrollOffset, 11 * rh - 98);
  EXPECT_EQ(bar.position, list.scrollOffset);
  list.SetItemIndex(2);  // above: its top at the top
  EXPECT_EQ(list.scrollOffset, 2 * rh);
  list.SetItemIndex(19);
  EXPECT_EQ(list.scrollOffset, bar.maxPosition);
  list.SetItemIndex(5000);  // past the end: clamped
  EXPECT_EQ(list.scrollOffset, bar.maxPosition);

  list.SetItemIndex(0);
  gui->MouseWheel(50, 50, -120);  // one page
  EXPECT_EQ(list.scrollOffset, 98);
  EXPECT_EQ(list.ItemAt(0), int32_t(std::nearbyint(98.0 / rh)));
}

TEST_F(ListboxTest, AHundredThousandItemsDrawOnlyTheRowsInView) {
  std::u16string text;
  for (int i = 0; i < 100000; ++i) text += u"item " + std::u16string(1, char16_t(u'0' + i % 10)) + u"\r";
  list.SetText(text);
  ASSERT_EQ(list.items.size(), 100000u);
  list.col1.alpha = 0;
  const size_t first = Frame().size();
  EXPECT_LT(first, 200u);
  list.SetKeyboardFocus();
  list.SetItemIndex(99998);
  gui->KeyDown(40);
  EXPECT_EQ(list.itemIndex, 99999);
  EXPECT_EQ(list.scrollOffset, 100000 * rh - 98);
  std::vector<Quad> quads = Frame();
  EXPECT_LT(quads.size(), 200u);
  EXPECT_EQ(list.Text(), text);
}

TEST_F(ListboxTest, CodeThatDeletesTheListLeavesNoFocusBehind) {
  list.SetText(u"a\rb");
  list.SetCallback(CALLBACK_ITEMCLICKED, "delete_element(" + Id() + ")");
  Click(50, InRow(1));
  EXPECT_EQ(gui->keyboardFocus, nullptr);
  EXPECT_TRUE(desktop->Children().empty());
  gui->KeyDown(40);
  RenderFrame();
}
