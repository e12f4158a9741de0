#include <gtest/gtest.h>

#include <limits>

#include "QGUI/ProgressBar.h"
#include "WidgetTestSupport.h"

namespace {

using Strings = std::vector<std::string>;
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

class ProgressBarTest : public WidgetTest {
 protected:
  // A 100-pixel bar for 0 to 100 at (10, 20).
  TQGUI_ProgressBar& Bar() {
    auto& bar = MakeAs<TQGUI_ProgressBar>(TYPE_PROGRESSBAR);
    bar.SetBounds(10, 20, 100, 20);
    bar.col2 = {0, 1, 0, 1};
    return bar;
  }
  // The fill's quad: drawn last, after the body and the four bevel lines.
  std::vector<Quad> Fill() {
    std::vector<Quad> quads = Frame();
    EXPECT_GE(quads.size(), 5u);
    return quads.size() > 5 ? std::vector<Quad>(quads.begin() + 5, quads.end()) : std::vector<Quad>{};
  }
};

TEST_F(ProgressBarTest, APressSetsTheValueUnderThePointerWithinTheRange) {
  TQGUI_ProgressBar& bar = Bar();
  EXPECT_TRUE(bar.bevel);
  LogOn(bar, CALLBACK_PROGRESS, "progress", " %p");
  gui->MouseDown(1, 60, 25);  // any button
  EXPECT_EQ(bar.progress, 50);
  bar.MouseDown(0, 120, 5);
  EXPECT_EQ(bar.progress, 100);
  bar.MouseDown(0, -5, 5);
  EXPECT_EQ(bar.progress, 0);
  bar.MouseDown(0, -7, 5);
  EXPECT_EQ(Log(), (Strings{"progress " + std::to_string(bar.id) + " 50", "progress " + std::to_string(bar.id) + " 100",
                            "progress " + std::to_string(bar.id) + " 0"}));

  bar.SetWidth(200);  // halves go to the even neighbour
  EXPECT_EQ(bar.ValueAt(1), 0);
  EXPECT_EQ(bar.ValueAt(3), 2);
  EXPECT_EQ(bar.ValueAt(5), 2);
  bar.minValue = 10;
  bar.maxValue = -10;  // a range given backwards still rounds and clamps
  EXPECT_EQ(bar.ValueAt(50), 5);
  EXPECT_EQ(bar.ValueAt(500), -10);
  EXPECT_EQ(bar.ValueAt(-50), 10);
}

TEST_F(ProgressBarTest, DraggingWithTheLeftButtonHeldFollowsThePointer) {
  TQGUI_ProgressBar& bar = Bar();
  gui->MouseMove(30, 25);
  gui->MouseDown(0, 30, 25);
  gui->MouseMove(80, 25);
  EXPECT_EQ(bar.progress, 70);
  gui->MouseUp(0, 80, 25);
  gui->MouseMove(40, 25);
  EXPECT_EQ(bar.progress, 70);
  gui->MouseDown(1, 40, 25);
  gui->MouseMove(90, 25);  // the right button sets on the press only
  EXPECT_EQ(bar.progress, 30);
  gui->MouseUp(1, 90, 25);

  TQGUI_Element& other = Panel(200, 0, 50, 50);
  gui->MouseDown(0, 210, 10);  // held on another element
  gui->MouseMove(90, 25);
  EXPECT_EQ(bar.progress, 30);
  EXPECT_EQ(gui->pressed, &other);
}

TEST_F(ProgressBarTest, TheFillFollowsTheValueUnclamped) {
  TQGUI_ProgressBar& bar = Bar();
  bar.alpha = 0.5f;
  EXPECT_TRUE(Fill().empty());  // at the minimum
  bar.SetProgress(50);
  std::vector<Quad> fill = Fill();
  ASSERT_EQ(fill.size(), 1u);
  EXPECT_EQ(Window(fill[0]), (Rect{11, 21, 49, 18}));
  EXPECT_EQ(fill[0].colour, (Colour{0, 1, 0, 0.5f}));
  bar.SetProgress(150);
  EXPECT_EQ(bar.progress, 150);
  EXPECT_EQ(Window(Fill().at(0)), (Rect{11, 21, 147, 18}));  // 1.5 times the inner width
  bar.SetProgress(-20);
  EXPECT_TRUE(Fill().empty());

  bar.SetProgress(25);
  bar.gradient = true;
  bar.gradientCol1 = {1, 0, 0, 1};
  fill = Fill();
  ASSERT_EQ(fill.size(), 1u);
  EXPECT_EQ(fill[0].type, 3);
  EXPECT_EQ(fill[0].colour, (Colour{1, 0, 0, 0.5f}));
  EXPECT_EQ(Window(fill[0]).at(2), 24.0f);  // 24.5 to the even 24
}

TEST_F(ProgressBarTest, TheSecondTextureCoversTheWholeBarWhateverTheValue) {
  WriteInterfaceFile("bar.png", SolidPng(4, 4));
  TQGUI_ProgressBar& bar = Bar();
  bar.SetSlotTexture(SLOT_TEXTURE2, "bar.png");
  std::vector<Quad> fill = Fill();
  ASSERT_EQ(fill.size(), 1u);
  EXPECT_EQ(Window(fill[0]), (Rect{10, 20, 100, 20}));
  EXPECT_EQ(fill[0].texture, bar.Slot(SLOT_TEXTURE2).texture);
}

TEST_F(ProgressBarTest, AnEmptyRangeOrNoWidthKeepsTheValueAndDrawsNoFill) {
  TQGUI_ProgressBar& bar = Bar();
  LogOn(bar, CALLBACK_PROGRESS, "progress");
  bar.progress = 30;
  bar.minValue = bar.maxValue = 40;
  gui->MouseDown(0, 60, 25);
  EXPECT_EQ(bar.progress, 30);
  EXPECT_TRUE(Fill().empty());
  bar.progress = 40;
  EXPECT_TRUE(Fill().empty());

  bar.minValue = 0;
  bar.maxValue = 100;
  bar.SetWidth(0);
  bar.MouseDown(0, 0, 5);
  bar.MouseDown(0, 5, 5);
  EXPECT_EQ(bar.progress, 40);
  bar.SetWidth(1);
  bar.progress = 100;
  EXPECT_EQ(bar.FillWidth(), 0);  // the inner width is negative
  EXPECT_TRUE(Log().empty());
}

TEST_F(ProgressBarTest, TheWholeIntegerRangeStaysSound) {
  TQGUI_ProgressBar& bar = Bar();
  bar.minValue = kMin;
  bar.maxValue = kMax;
  EXPECT_EQ(bar.ValueAt(0), kMin);
  EXPECT_EQ(bar.ValueAt(100), kMax);
  EXPECT_EQ(bar.ValueAt(kMax), kMax);
  EXPECT_EQ(bar.ValueAt(kMin), kMin);
  EXPECT_EQ(bar.ValueAt(50), 0);
  bar.progress = kMax;
  EXPECT_EQ(bar.FillWidth(), 98);
  bar.minValue = 0;
  bar.maxValue = 1;
  EXPECT_EQ(bar.FillWidth(), 1 << 24);  // far past the bar, but bounded
  bar.progress = kMin;
  EXPECT_EQ(bar.FillWidth(), 0);
  bar.SetWidth(kMax);
  bar.progress = kMax;
  EXPECT_EQ(bar.FillWidth(), 1 << 24);
}

}  // namespace
