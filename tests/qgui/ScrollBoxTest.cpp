#include <gtest/gtest.h>

#include <cmath>

#include "QGUI/ScrollBox.h"
#include "QGUI/Scrollbar.h"
#include "WidgetTestSupport.h"

using Strings = std::vector<std::string>;

class ScrollBoxTest : public WidgetTest {
 protected:
  ScrollBoxTest()
      : box(static_cast<TQGUI_ScrollBox&>(Make(TYPE_SCROLLBOX))),
        vbar(static_cast<TQGUI_Scrollbar&>(Make(TYPE_SCROLLBAR))),
        hbar(static_cast<TQGUI_Scrollbar&>(Make(TYPE_SCROLLBAR))) {
    box.SetBounds(10, 10, 100, 100);
    vbar.SetBounds(112, 10, 10, 100);
    hbar.vertical = false;
    hbar.SetBounds(10, 112, 100, 10);
    box.SetScrollbar(vbar.id, 0);
    box.SetScrollbar(hbar.id, 1);
  }

  TQGUI_ScrollBox& box;
  TQGUI_Scrollbar& vbar;
  TQGUI_Scrollbar& hbar;
};

TEST_F(ScrollBoxTest, AnEmptyBoxHidesBothBarsAndScrollsBackToTheCorner) {
  box.scrollX = box.scrollY = 40;
  LogOn(vbar, CALLBACK_HIDDEN, "hidden");
  RenderFrame();
  EXPECT_FALSE(vbar.visible);
  EXPECT_FALSE(hbar.visible);
  EXPECT_EQ(box.scrollX, 0);
  EXPECT_EQ(box.scrollY, 0);
  EXPECT_TRUE(Log().empty());  // a bar that hides itself runs no hidden code
  EXPECT_TRUE(box.scissor);
  EXPECT_TRUE(box.wheelConsumer);
}

TEST_F(ScrollBoxTest, ChildExtentsSetTheRangesAndTheVisibility) {
  Panel(0, -20, 80, 50, box.id);
  Panel(5, 200, 60, 100, box.id);  // content spans y -20 .. 300
  box.scrollX = 30;
  RenderFrame();
  EXPECT_EQ(vbar.pageSize, 98);
  EXPECT_EQ(vbar.maxPosition, 320 - 98);
  EXPECT_TRUE(vbar.visible);
  EXPECT_FALSE(hbar.visible);  // 80 wide fits into 98
  EXPECT_EQ(box.scrollX, 0);

  // Growing a child marks the box for a new measure at the next draw.
  box.Children()[0]->SetWidth(300);
  RenderFrame();
  RenderFrame();
  EXPECT_TRUE(hbar.visible);
  EXPECT_EQ(hbar.maxPosition, 300 - 98);

  // A child deleted by id is measured out as well.
  gui->Delete(*box.Children()[1]);
  RenderFrame();
  EXPECT_FALSE(vbar.visible);

  box.autoHideBars = false;
  vbar.autoHide = false;
  vbar.visible = true;
  box.scrollInfoDirty = true;
  RenderFrame();
  EXPECT_TRUE(vbar.visible);
}

TEST_F(ScrollBoxTest, ScrollingShiftsChildrenForDrawingAndInputButNotTheFrame) {
  TQGUI_Element& child = Panel(0, 150, 50, 40, box.id);
  Panel(0, 0, 10, 300, box.id);
  LogOn(child, CALLBACK_MOUSEDOWN, "down", " %x %y");
  RenderFrame();
  vbar.position = 0;
  gui->MouseDown(0, 115, 20);  // drag the bar by 30 of its 100 - 33 free pixels
  gui->MouseMove(115, 50);
  gui->MouseUp(0, 115, 50);
  const int32_t scrolled = int32_t(std::round(30.0 * vbar.maxPosition / (100 - vbar.thumbLength)));
  EXPECT_EQ(box.scrollY, scrolled);
  EXPECT_EQ(child.GetAbsY(), 10 + 150 - scrolled);
  EXPECT_EQ(box.GetAbsY(), 10 - scrolled);  // outside its own drawing the box reports the shift too
  box.drawingSelf = true;
  EXPECT_EQ(box.GetAbsY(), 10);
  box.drawingSelf = false;

  gui->MouseDown(0, 40, 10 + 150 - scrolled + 5);
  EXPECT_EQ(Log(), (Strings{"down " + std::to_string(child.id) + " 30 5"}));

  renderer.quads.clear();
  box.col1 = {1, 0, 0, 1};
  RenderFrame();
  ASSERT_GE(renderer.quads.size(), 2u);
  EXPECT_EQ(768 - renderer.quads[0].y - renderer.quads[0].h, 10);  // the box's own body
  EXPECT_EQ(renderer.quads[1].scissor, (std::array<int, 4>{10, 768 - 110, 100, 100}));

  box.ResetScroll();
  EXPECT_EQ(box.scrollY, 0);
  EXPECT_EQ(vbar.position, 0);
}

TEST_F(ScrollBoxTest, TheWheelScrollsAPageAndOnlyAttachedBarsScroll) {
  Panel(0, 0, 50, 400, box.id);
  RenderFrame();
  gui->MouseWheel(50, 50, -120);
  EXPECT_EQ(vbar.position, 98);
  EXPECT_EQ(box.scrollY, 98);

  // A bar moved to another element no longer scrolls this box.
  TQGUI_Element& other = Panel(300, 300, 20, 20);
  box.SetScrollbar(other.id, 0);
  reports.clear();
  vbar.dragging = true;
  vbar.MouseMoveAny(0, 50);
  EXPECT_EQ(box.scrollY, 98);
}

TEST_F(ScrollBoxTest, BarsInsideTheBoxOrDeletingItFromTheirCodeStaySound) {
  TQGUI_Scrollbar& inner = static_cast<TQGUI_Scrollbar&>(Make(TYPE_SCROLLBAR, box.id));
  inner.SetBounds(80, 0, 12, 100);
  box.SetScrollbar(inner.id, 0);
  Panel(0, 0, 50, 400, box.id);
  RenderFrame();
  gui->MouseWheel(50, 50, -120);
  EXPECT_EQ(box.scrollY, 98);
  EXPECT_EQ(inner.position, 98);

  // Hiding the horizontal bar runs code that deletes the box in the middle of its measure.
  const int32_t boxId = box.id, innerId = inner.id;
  hbar.autoHide = false;
  hbar.visible = true;
  hbar.SetCallback(CALLBACK_HIDDEN, "delete_element(" + std::to_string(boxId) + ")");
  box.scrollInfoDirty = true;
  RenderFrame();
  EXPECT_FALSE(hbar.visible);
  EXPECT_EQ(gui->Registry().Find(boxId), nullptr);
  EXPECT_EQ(gui->Registry().Find(innerId), nullptr);
  RenderFrame();
  gui->MouseWheel(50, 50, -120);
}
