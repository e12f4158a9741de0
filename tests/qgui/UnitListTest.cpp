#include <gtest/gtest.h>

#include "QGUI/UnitList.h"
#include "WidgetTestSupport.h"

namespace {

constexpr GLuint kPicture = 77;

TQGUI_UL_UpdateUnitData Picture() {
  TQGUI_UL_UpdateUnitData data;
  data.texture = kPicture;
  return data;
}

}  // namespace

// Five cells in three columns, 40 x 30 with gaps of 4 and 6, on a 300-pixel list at (10, 20).
class UnitListTest : public WidgetTest {
 protected:
  UnitListTest() : list(static_cast<TQGUI_UnitList&>(Make(TYPE_UNITLIST))) { list.SetBounds(10, 20, 300, 200); }

  void Hook() {
    TQGUI_UnitListHooks hooks;
    hooks.getLayout = [this](int32_t, TQGUI_UL_Layout& l) {
      l = layout;
      l.namesOnly = namesOnly;
    };
    hooks.getCellData = [this](int32_t, int32_t cell, TQGUI_UL_UpdateUnitData& data) {
      data = cellData;
      data.name = u"cell" + std::u16string(1, char16_t(u'0' + cell));
    };
    hooks.onCellClick = [this](int32_t host, int32_t cell, uint8_t button) {
      events.push_back("click " + std::to_string(host) + " " + std::to_string(cell) + " " + std::to_string(button));
    };
    hooks.onCellHover = [this](int32_t, int32_t cell) { events.push_back("hover " + std::to_string(cell)); };
    hooks.onCellDrawn = [this](int32_t, int32_t cell, const TQGUI_UL_Layout&, int32_t x, int32_t y) {
      events.push_back("drawn " + std::to_string(cell) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    list.InstallHooks(std::move(hooks), 42);
  }
  std::vector<Quad> Frame() {
    events.clear();
    return WidgetTest::Frame();
  }
  std::vector<Quad> Textured(const std::vector<Quad>& quads, GLuint texture) {
    std::vector<Quad> found;
    for (const Quad& q : quads)
      if (q.texture == texture) found.push_back(q);
    return found;
  }

  TQGUI_UnitList& list;
  TQGUI_UL_Layout layout{2, 3, 40, 30, 4, 6, 5, false};
  TQGUI_UL_UpdateUnitData cellData = Picture();
  bool namesOnly = false;
  std::vector<std::string> events;
};

TEST_F(UnitListTest, WithoutHooksOnlyTheTransparentBodyDrawsAndClicksReportNothing) {
  EXPECT_EQ(list.col1.alpha, 0);
  EXPECT_TRUE(list.shadowText);
  EXPECT_TRUE(Frame().empty());
  Click(50, 50);
  EXPECT_EQ(list.CellAt(30, 10), -1);
  EXPECT_TRUE(events.empty());
}

TEST_F(UnitListTest, FiveCellsInThreeColumnsMakeTwoRows) {
  Hook();
  std::vector<Quad> pictures = Textured(Frame(), kPicture);
  ASSERT_EQ(pictures.size(), 5u);
  // Spacing (300 - 46 * 3) / 4 = 40.5: columns at 41, 44 + 81, 88 + 122.
  const int32_t columns[3] = {41, 125, 210};
  for (int cell = 0; cell < 5; ++cell) {
    const int32_t x = 10 + columns[cell % 3], y = 20 + cell / 3 * 36;
    EXPECT_EQ(Window(pictures[size_t(cell)]), (Rect{float(x + 3), float(y + 3), 40, 30})) << cell;
    EXPECT_EQ(events[size_t(cell)],
              "drawn " + std::to_string(cell) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  EXPECT_EQ(pictures[0].u, 0);
  EXPECT_EQ(pictures[0].du, 1);
  EXPECT_EQ(events.size(), 5u);

  list.alpha = 0;
  EXPECT_TRUE(Frame().empty());
}

TEST_F(UnitListTest, ClicksAndHoverFindCellsWithTheirGaps) {
  Hook();
  // Hit spacing uses the gap: (300 - 44 * 3) / 4 = 42, so column 0 spans 42 .. 86.
  EXPECT_EQ(list.CellAt(85, 10), 0);  // in the gap right of the picture
  EXPECT_EQ(list.CellAt(42, 36), 0);  // both edges belong to it
  EXPECT_EQ(list.CellAt(41, 10), -1);
  EXPECT_EQ(list.CellAt(100, 10), -1);
  EXPECT_EQ(list.CellAt(130, 40), 4);
  EXPECT_EQ(list.CellAt(220, 40), -1);  // the sixth cell does not exist
  Click(10 + 85, 20 + 10, 1);
  gui->MouseMove(10 + 100, 30);
  EXPECT_EQ(events, (std::vector<std::string>{"hover 0", "click 42 0 1", "hover -1"}));
}

TEST_F(UnitListTest, BarsBackgroundOverlayAndTheSecondBadgeDigit) {
  WriteInterfaceFile("digits.png", SolidPng(80, 12));
  list.SetSlotTexture(SLOT_TEXTURE2, "digits.png");
  layout.cellCount = 1;
  cellData.showBackground = true;
  cellData.backgroundColour = {0, 0, 1, 0.1f};
  cellData.showOverlay = true;
  cellData.overlayColour = {1, 0, 0, 1};
  cellData.bar1Value = 0.5f;
  cellData.bar1Colour = {0, 1, 0, 1};
  cellData.showBar2 = true;
  cellData.bar2Value = 7;  // more than the cell: a full bar
  cellData.bar2Colour = {1, 1, 0, 1};
  cellData.badge1 = -1;
  cellData.badge2 = 7;
  Hook();
  list.alpha = 0.5f;
  std::vector<Quad> quads = Frame();
  const int32_t x = 10 + 41, y = 20;
  ASSERT_GE(quads.size(), 7u);
  EXPECT_EQ(Window(quads[0]), (Rect{float(x + 2), float(y + 2), 42, 32}));
  EXPECT_EQ(quads[0].colour, (Colour{0, 0, 1, 0.5f}));  // the host's alpha is not used
  EXPECT_EQ(quads[1].texture, kPicture);
  EXPECT_EQ(quads[1].colour, (Colour{1, 1, 1, 0.5f}));
  EXPECT_EQ(quads[2].colour, (Colour{1, 0, 0, 0.25f}));
  EXPECT_EQ(Window(quads[3]), (Rect{float(x + 2), float(y + 34), 42, 4}));
  EXPECT_EQ(quads[3].colour, (Colour{0, 0, 0, 0.5f}));
  EXPECT_EQ(Window(quads[4]), (Rect{float(x + 3), float(y + 35), 20, 2}));
  EXPECT_EQ(Window(quads[5]), (Rect{float(x + 3), float(y + 39), 40, 2}));
  const std::vector<Quad> digits = Textured(quads, list.Slot(SLOT_TEXTURE2).texture);
  ASSERT_EQ(digits.size(), 1u);
  EXPECT_EQ(Window(digits[0]), (Rect{float(x + 37), float(y + 3), 8, 12}));
  EXPECT_FLOAT_EQ(digits[0].u, 56 / 80.0f);
  EXPECT_FLOAT_EQ(digits[0].du, 8 / 80.0f);

  cellData.badge1 = 3;
  cellData.badge2 = -1;
  cellData.bar1Value = std::numeric_limits<float>::quiet_NaN();
  const std::vector<Quad> again = Frame();
  ASSERT_EQ(Textured(again, list.Slot(SLOT_TEXTURE2).texture).size(), 1u);
  EXPECT_EQ(Window(Textured(again, list.Slot(SLOT_TEXTURE2).texture)[0])[0], float(x + 29));
  EXPECT_EQ(again.size(), quads.size() - 1);  // no first bar
}

TEST_F(UnitListTest, CaptionsAndShortenedNamesAreText) {
  layout.cellCount = 1;
  cellData.caption = "12";
  Hook();
  std::vector<Quad> quads = Frame();
  size_t glyphs = 0;
  for (const Quad& q : quads) glyphs += q.type != 0 && q.texture != kPicture;
  EXPECT_EQ(glyphs, 4u);  // two digits and their shadows

  namesOnly = true;
  layout.cellWidth = 4;  // narrower than the name
  TQGUI_UnitListHooks hooks = list.hooks;
  hooks.shortenName = [](const std::u16string& name) { return name.substr(0, 1); };
  list.InstallHooks(hooks, 0);
  quads = Frame();
  glyphs = 0;
  for (const Quad& q : quads) glyphs += q.type != 0 && q.texture != kPicture;
  EXPECT_EQ(glyphs, 2u);  // "c" and its shadow, below the picture, nothing else
  EXPECT_EQ(Textured(quads, renderer.whiteTexture).size(), 0u);
}

TEST_F(UnitListTest, AHostInstallsIntoListsOldAndNew) {
  int installed = 0;
  {
    TQGUI_UnitListHost host(*gui, [&](TQGUI_UnitList& l) {
      ++installed;
      l.hostData = 5;
    });
    EXPECT_EQ(installed, 1);
    EXPECT_EQ(list.hostData, 5);
    auto& made = static_cast<TQGUI_UnitList&>(Make(TYPE_UNITLIST));
    EXPECT_EQ(made.hostData, 5);
    EXPECT_EQ(installed, 2);
    Make(TYPE_ELEMENT);
    EXPECT_EQ(installed, 2);
  }
  Make(TYPE_UNITLIST);
  EXPECT_EQ(installed, 2);
}
