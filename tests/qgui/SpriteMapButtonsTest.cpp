#include <gtest/gtest.h>

#include "QGUI/SpriteMapButton.h"
#include "QGUI/SpriteMapButtons.h"
#include "WidgetTestSupport.h"

namespace {

class SpriteMapButtonsTest : public WidgetTest {
 protected:
  TQGUI_SpriteMapButtons& Pair() { return MakeAs<TQGUI_SpriteMapButtons>(TYPE_SPRITEMAPBUTTONS); }
};

TEST_F(SpriteMapButtonsTest, ItOwnsTwoRegisteredButtonsTheSecondHidden) {
  TQGUI_SpriteMapButtons& pair = Pair();
  TQGUI_SpriteMapButton* first = pair.FirstButton();
  TQGUI_SpriteMapButton* second = pair.SecondButton();
  ASSERT_TRUE(first && second);
  ASSERT_EQ(pair.Children().size(), 2u);
  EXPECT_EQ(pair.Children()[0].get(), first);
  EXPECT_EQ(gui->Registry().Find(first->id), first);
  EXPECT_EQ(gui->Registry().Find(second->id), second);
  EXPECT_EQ(first->GetBounds(), (TQGUIRect{0, 0, 50, 50}));
  EXPECT_EQ(second->GetBounds(), (TQGUIRect{50, 0, 50, 50}));
  EXPECT_FALSE(second->visible);
  EXPECT_TRUE(second->subTexture);
  EXPECT_EQ(second->subCoords, (std::array<int32_t, 4>{50, 0, 50, 50}));
  EXPECT_EQ(pair.col1, (TQGUIColour{0, 0, 0, 0}));
  EXPECT_TRUE(Frame().empty());  // a transparent container of buttons without a sheet
}

TEST_F(SpriteMapButtonsTest, ResizingLaysTheButtonsOutAgain) {
  TQGUI_SpriteMapButtons& pair = Pair();
  pair.SetBounds(5, 5, 81, 30);
  RenderFrame();
  EXPECT_EQ(pair.FirstButton()->GetBounds(), (TQGUIRect{0, 0, 81, 30}));
  EXPECT_EQ(pair.SecondButton()->GetBounds(), (TQGUIRect{81, 0, 81, 30}));

  pair.Layout(true);
  EXPECT_EQ(pair.FirstButton()->GetBounds(), (TQGUIRect{0, 0, 81, 30}));
  EXPECT_EQ(pair.SecondButton()->GetBounds(), (TQGUIRect{40, 0, 40, 30}));
  EXPECT_TRUE(pair.SecondButton()->visible);
  pair.SetWidth(60);
  RenderFrame();
  EXPECT_EQ(pair.SecondButton()->GetBounds(), (TQGUIRect{30, 0, 30, 30}));
  EXPECT_EQ(pair.SecondButton()->subCoords, (std::array<int32_t, 4>{30, 0, 30, 30}));
}

TEST_F(SpriteMapButtonsTest, TheSheetGoesToBothButtons) {
  WriteInterfaceFile("sheet.png", SolidPng(128, 32));
  WriteInterfaceFile("sheet.png.anim", "width=32\nheight=32\n");
  TQGUI_SpriteMapButtons& pair = Pair();
  pair.SetTexture("sheet.png");
  EXPECT_EQ(pair.Slot(SLOT_MAIN).name, "");
  EXPECT_EQ(pair.FirstButton()->Slot(SLOT_MAIN).name, "sheet.png");
  EXPECT_EQ(pair.SecondButton()->Slot(SLOT_MAIN).name, "sheet.png");
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(Window(quads[0]), (Rect{0, 0, 50, 32}));
  pair.Layout(true);
  quads = Frame();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[1].du, 0.125f);  // the second shows half a cell
}

TEST_F(SpriteMapButtonsTest, ButtonsAScriptDeletedAreLeftAlone) {
  TQGUI_SpriteMapButtons& pair = Pair();
  LogOn(pair, CALLBACK_RESIZED, "resized");
  gui->Delete(*pair.FirstButton());
  EXPECT_EQ(pair.FirstButton(), nullptr);
  pair.SetTexture("sheet.png");
  pair.SetWidth(70);
  RenderFrame();
  EXPECT_EQ(Log().size(), 1u);
  EXPECT_EQ(pair.SecondButton()->GetBounds(), (TQGUIRect{70, 0, 70, 50}));

  // A container too deep for children of its own is still sound.
  int32_t parent = 0;
  for (int i = 0; i < TQGUI_Registry::kMaxDepth - 1; ++i) parent = Panel(0, 0, 10, 10, parent).id;
  auto& deep = MakeAs<TQGUI_SpriteMapButtons>(TYPE_SPRITEMAPBUTTONS, parent);
  EXPECT_TRUE(deep.Children().empty());
  EXPECT_EQ(deep.FirstButton(), nullptr);
  deep.SetTexture("sheet.png");
  deep.SetWidth(20);
  RenderFrame();
  EXPECT_EQ(reports.size(), 2u);
}

}  // namespace
