#include <gtest/gtest.h>

#include <limits>

#include "QGUI/Label.h"
#include "QGUI/Scrollbar.h"
#include "WidgetTestSupport.h"

namespace {

// An owner that keeps every position its bars report.
class Owner : public TQGUI_Element {
 public:
  using TQGUI_Element::TQGUI_Element;
  void ScrollPositionChanged(int32_t position, TQGUI_Element&) override { heard.push_back(position); }
  std::vector<int32_t> heard;
};

}  // namespace

class ScrollbarTest : public WidgetTest {
 protected:
  ScrollbarTest()
      : bar(static_cast<TQGUI_Scrollbar&>(Make(TYPE_SCROLLBAR))), owner(gui->Create<Owner>(desktop, false)) {
    owner.id = gui->Registry().Register(owner);
    owner.SetBounds(0, 0, 100, 100);
    owner.col1.alpha = 0;
    bar.SetBounds(200, 0, 12, 100);
  }
  // The bar with a 12 x 30 thumb image (caps of 10) and no body.
  void WithThumb(int width = 12, int height = 30) {
    const std::string name = "thumb" + std::to_string(width) + "x" + std::to_string(height) + ".png";
    WriteInterfaceFile(name, SolidPng(width, height));
    bar.SetSlotTexture(SLOT_TEXTURE2, name);
    bar.col1.alpha = 0;
    bar.col2 = {1, 0.5f, 0, 0.8f};
  }

  TQGUI_Scrollbar& bar;
  Owner& owner;
};

TEST_F(ScrollbarTest, RangesGiveTheMaximumTheThumbAndTheVisibility) {
  bar.SetRange(100, 50, owner);
  EXPECT_EQ(bar.maxPosition, 0);
  EXPECT_FALSE(bar.visible);  // everything fits
  bar.SetRange(98, 400, owner);
  EXPECT_EQ(bar.maxPosition, 302);
  EXPECT_EQ(bar.thumbLength, 25);
  EXPECT_EQ(bar.pageSize, 98);
  EXPECT_TRUE(bar.visible);
  EXPECT_EQ(bar.Owner(), &owner);

  bar.position = 300;
  bar.SetRange(98, 150, owner);  // the content shrank below the position
  EXPECT_EQ(bar.position, 52);
  bar.autoHide = false;
  bar.SetRange(100, 100, owner);
  EXPECT_EQ(bar.position, 0);
  EXPECT_TRUE(bar.visible);
  bar.SetRange(0, 0, owner);
  EXPECT_EQ(bar.thumbLength, 0);
}

TEST_F(ScrollbarTest, ThumbIsThreeSlicesAlongAVerticalTrack) {
  WithThumb();
  bar.SetRange(98, 400, owner);
  bar.position = 151;  // half way
  std::vector<Quad> quads = Frame();
  EXPECT_EQ(bar.thumbLength, 30);  // raised to the image's height, and kept
  ASSERT_EQ(quads.size(), 3u);
  // The thumb starts at round(70 * 0.5) = 35: a 10-pixel cap, 10 stretched, a 10-pixel cap.
  EXPECT_EQ(Window(quads[0]), (Rect{200, 35, 12, 10}));
  EXPECT_EQ(Window(quads[1]), (Rect{200, 45, 12, 10}));
  EXPECT_EQ(Window(quads[2]), (Rect{200, 55, 12, 10}));
  // The top cap is the image's top third (v counts from the bottom), the middle one texel line.
  EXPECT_FLOAT_EQ(quads[0].v, 20 / 30.0f);
  EXPECT_FLOAT_EQ(quads[0].dv, 10 / 30.0f);
  EXPECT_FLOAT_EQ(quads[1].v, 10.5f / 30.0f);
  EXPECT_EQ(quads[1].dv, 0);
  EXPECT_EQ(quads[2].v, 0);
  EXPECT_EQ(quads[0].du, 1);
  EXPECT_EQ(quads[0].colour, (std::array<float, 4>{1, 0.5f, 0, 0.8f}));

  bar.position = 302;
  EXPECT_EQ(Window(Frame()[2]), (Rect{200, 90, 12, 10}));
  bar.SetRange(100, 50, owner);  // nothing to scroll: the thumb fills the track
  bar.visible = true;
  quads = Frame();
  EXPECT_EQ(Window(quads[0]), (Rect{200, 0, 12, 10}));
  EXPECT_EQ(Window(quads[1]), (Rect{200, 10, 12, 80}));
  EXPECT_EQ(Window(quads[2]), (Rect{200, 90, 12, 10}));
}

TEST_F(ScrollbarTest, HorizontalThumbHangsFromTheTopAndBottomUpOwnersReverseIt) {
  WithThumb(30, 12);
  bar.vertical = false;
  bar.SetBounds(0, 300, 100, 16);
  bar.SetRange(98, 400, owner);
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 3u);
  // Slices are as tall as the bar with their bottom edge 12 pixels below its top.
  EXPECT_EQ(Window(quads[0]), (Rect{0, 296, 10, 16}));
  EXPECT_EQ(Window(quads[2]), (Rect{20, 296, 10, 16}));
  EXPECT_EQ(quads[0].u, 0);  // the left cap is the image's left third
  EXPECT_FLOAT_EQ(quads[2].u, 20 / 30.0f);
  EXPECT_EQ(quads[0].dv, 1);

  // The bar of a label whose text runs bottom up shows position 0 with the thumb at the bottom.
  WithThumb();
  bar.vertical = true;
  bar.SetBounds(200, 0, 12, 100);
  auto& label = static_cast<TQGUI_Label&>(Make(TYPE_LABEL));
  label.SetBounds(0, 400, 100, 100);
  label.lines.clear();
  label.topDown = false;
  bar.SetRange(98, 400, label);
  quads = Frame();
  EXPECT_EQ(Window(quads[0]), (Rect{200, 70, 12, 10}));
  bar.position = 302;
  EXPECT_EQ(Window(Frame()[0]), (Rect{200, 0, 12, 10}));
  label.topDown = true;
  EXPECT_EQ(Window(Frame()[0]), (Rect{200, 70, 12, 10}));  // forward: the last position is at the bottom
  bar.position = 0;
  bar.SetRange(98, 400, owner);  // other owners never reverse it
  EXPECT_FALSE(bar.Reversed());
}

TEST_F(ScrollbarTest, DraggingMovesInProportionAndReportsEveryStep) {
  bar.SetRange(98, 400, owner);  // 75 free pixels for 302 positions
  gui->MouseMove(205, 10);
  gui->MouseDown(0, 205, 10);
  gui->MouseUp(0, 205, 10);  // a press without moving still reports
  EXPECT_EQ(bar.position, 0);
  EXPECT_EQ(owner.heard, (std::vector<int32_t>{0}));  // from the release, heard anywhere

  owner.heard.clear();
  gui->MouseDown(0, 205, 10);
  gui->MouseMove(205, 40);  // 30 pixels: 30 * 302 / 75 = 120.8
  EXPECT_EQ(bar.position, 121);
  gui->MouseMove(500, 500);  // far outside the bar, still dragging: clamped
  EXPECT_EQ(bar.position, 302);
  gui->MouseUp(0, 500, -500);
  EXPECT_EQ(bar.position, 0);
  EXPECT_FALSE(bar.dragging);
  gui->MouseMove(205, 60);
  EXPECT_EQ(bar.position, 0);
  EXPECT_EQ(owner.heard, (std::vector<int32_t>{121, 302, 0}));

  auto& label = static_cast<TQGUI_Label&>(Make(TYPE_LABEL));
  label.topDown = false;
  bar.SetRange(98, 400, label);  // reversed: dragging up moves forward
  gui->MouseDown(2, 205, 50);
  gui->MouseMove(205, 20);
  EXPECT_EQ(bar.position, 121);
}

TEST_F(ScrollbarTest, WheelNotchesMoveOnePageOnVerticalBarsOnly) {
  bar.SetRange(98, 400, owner);
  bar.ScrollBy(-120);
  EXPECT_EQ(bar.position, 98);
  bar.ScrollBy(-240);
  EXPECT_EQ(bar.position, 294);
  bar.ScrollBy(-120);
  EXPECT_EQ(bar.position, 302);
  bar.ScrollBy(360);
  EXPECT_EQ(bar.position, 8);
  EXPECT_FALSE(bar.dragging);
  EXPECT_EQ(owner.heard.back(), 8);

  // The owner's wheel reaches its vertical bar.
  owner.SetScrollbar(bar.id, 0);
  gui->MouseWheel(50, 50, -120);
  EXPECT_EQ(bar.position, 106);

  bar.vertical = false;
  bar.SetBounds(0, 300, 100, 12);
  bar.SetRange(98, 400, owner);
  bar.ScrollBy(-120);
  EXPECT_EQ(bar.position, 106);
}

TEST_F(ScrollbarTest, AThumbFillingTheTrackKeepsThePositionButStillReports) {
  WithThumb(12, 150);  // an image longer than the track
  bar.SetRange(98, 400, owner);
  bar.position = 40;
  Frame();
  EXPECT_EQ(bar.thumbLength, 150);
  bar.ScrollBy(-120);
  EXPECT_EQ(bar.position, 40);
  gui->MouseDown(0, 205, 10);
  gui->MouseMove(205, 60);
  EXPECT_EQ(bar.position, 40);
  EXPECT_EQ(owner.heard, (std::vector<int32_t>{40}));
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 3u);
  EXPECT_EQ(Window(quads[0]).at(1), 0);  // drawn inside the track
}

TEST_F(ScrollbarTest, NegativeAndHugeRangesStayClamped) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
  WithThumb();
  bar.SetRange(kMin, kMax, owner);
  EXPECT_EQ(bar.maxPosition, kMax);
  EXPECT_EQ(bar.thumbLength, 0);
  bar.ScrollBy(-120);  // a negative page scrolls backwards
  EXPECT_EQ(bar.position, 0);
  bar.ScrollBy(32767);
  EXPECT_EQ(bar.position, kMax);
  Frame();

  bar.SetRange(-100, -50, owner);  // a thumb twice the track
  EXPECT_EQ(bar.maxPosition, 50);
  EXPECT_EQ(bar.position, 50);
  gui->MouseDown(0, 205, 10);
  gui->MouseMove(205, 90);
  EXPECT_EQ(bar.position, 50);
  for (const Quad& q : Frame()) EXPECT_GE(Window(q)[1], 0);

  bar.SetRange(kMax, kMin, owner);
  EXPECT_EQ(bar.maxPosition, 0);
  EXPECT_EQ(bar.position, 0);
  bar.SetBounds(200, 0, -5, -5);
  bar.SetRange(10, 400, owner);
  bar.ScrollBy(-120);
  Frame();
}

TEST_F(ScrollbarTest, BarsAttachedToThemselvesOrDeletedStaySound) {
  bar.SetRange(98, 400, owner);
  bar.SetScrollbar(bar.id, 0);
  EXPECT_EQ(bar.Scrollbar(0), nullptr);
  gui->MouseWheel(205, 50, -120);  // a bar's own wheel does not reach itself
  EXPECT_EQ(bar.position, 0);

  // The owner goes while a drag is under way: the bar reports to nobody.
  gui->MouseDown(0, 205, 10);
  gui->Delete(owner);
  gui->MouseMove(205, 40);
  EXPECT_EQ(bar.Owner(), nullptr);
  EXPECT_EQ(bar.position, 121);

  // An owner whose bar goes hears nothing more and wheels nothing.
  TQGUI_Element& list = Panel(0, 0, 100, 100);
  list.SetScrollbar(bar.id, 0);
  gui->Delete(bar);
  EXPECT_EQ(list.Scrollbar(0), nullptr);
  gui->MouseWheel(50, 50, -120);
  RenderFrame();
}
