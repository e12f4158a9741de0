#include <gtest/gtest.h>

#include "QGUI/CheckBox.h"
#include "WidgetTestSupport.h"

namespace {

using Strings = std::vector<std::string>;

class CheckBoxTest : public WidgetTest {
 protected:
  TQGUI_CheckBox& Box() {
    auto& box = MakeAs<TQGUI_CheckBox>(TYPE_CHECKBOX);
    box.x = 10;
    box.y = 20;
    box.col1 = {0.1f, 0.1f, 0.1f, 1};
    box.col2 = {1, 0, 0, 0.8f};
    return box;
  }
  std::string Id(const TQGUI_Element& e) { return std::to_string(e.id); }
};

TEST_F(CheckBoxTest, AnyButtonTogglesItBeforeTheMouseDownCallback) {
  TQGUI_CheckBox& box = Box();
  EXPECT_EQ(box.GetBounds(), (TQGUIRect{10, 20, 20, 20}));
  LogOn(box, CALLBACK_CHECKED, "checked", " %value");
  LogOn(box, CALLBACK_MOUSEDOWN, "down", " %b");
  gui->MouseDown(1, 15, 25);
  gui->MouseUp(1, 15, 25);
  gui->MouseDown(2, 15, 25);
  gui->MouseUp(2, 15, 25);
  gui->MouseDown(0, 15, 25);
  EXPECT_EQ(Log(), (Strings{"checked " + Id(box) + " true", "down " + Id(box) + " 1", "checked " + Id(box) + " false",
                            "down " + Id(box) + " 2", "checked " + Id(box) + " true", "down " + Id(box) + " 0"}));
  EXPECT_TRUE(box.checked);
}

TEST_F(CheckBoxTest, SettingTheValueItHasFiresNothing) {
  TQGUI_CheckBox& box = Box();
  LogOn(box, CALLBACK_CHECKED, "checked", " %value");
  box.SetChecked(false);
  box.SetChecked(true);
  box.SetChecked(true);
  EXPECT_EQ(Log(), (Strings{"checked " + Id(box) + " true"}));
}

TEST_F(CheckBoxTest, ABoxItsOwnCallbackDeletesTakesNoFurtherEvent) {
  TQGUI_CheckBox& box = Box();
  box.SetCallback(CALLBACK_CHECKED, "delete_element(%id)");
  LogOn(box, CALLBACK_MOUSEDOWN, "down");
  gui->MouseDown(0, 15, 25);
  EXPECT_TRUE(Log().empty());
  EXPECT_TRUE(desktop->Children().empty());
  EXPECT_EQ(gui->pressed, nullptr);
}

TEST_F(CheckBoxTest, CheckedItDrawsAnInsetMarkInCol2) {
  TQGUI_CheckBox& box = Box();
  box.alpha = 0.5f;
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 1u);  // unchecked: the body only
  EXPECT_EQ(Window(quads[0]), (Rect{10, 20, 20, 20}));

  box.SetChecked(true);
  quads = Frame();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(Window(quads[1]), (Rect{13, 23, 14, 14}));
  EXPECT_EQ(quads[1].colour, (Colour{1, 0, 0, 0.4f}));
  EXPECT_EQ(quads[1].texture, renderer.whiteTexture);
  EXPECT_EQ(quads[1].type, 0);

  box.col2.alpha = 0;
  EXPECT_EQ(Frame().size(), 1u);
  box.col2.alpha = 1;
  box.SetBounds(10, 20, 6, 40);  // no room inside for a mark
  EXPECT_EQ(Frame().size(), 1u);
}

TEST_F(CheckBoxTest, WithTheGradientFlagTheBodyStaysFlatAndTheMarkIsTheGradient) {
  TQGUI_CheckBox& box = Box();
  box.gradient = true;
  box.gradientCol1 = {0, 1, 0, 1};
  box.gradientCol2 = {0, 0, 1, 0.5f};
  box.col2.alpha = 0.5f;
  box.SetChecked(true);
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[0].type, 0);
  EXPECT_EQ(quads[0].colour, (Colour{0.1f, 0.1f, 0.1f, 1}));
  EXPECT_EQ(quads[1].type, 3);
  EXPECT_EQ(Window(quads[1]), (Rect{13, 23, 14, 14}));
  EXPECT_EQ(quads[1].colour, (Colour{0, 1, 0, 0.5f}));
  EXPECT_EQ(quads[1].colour2, (Colour{0, 0, 1, 0.25f}));
}

TEST_F(CheckBoxTest, TheSecondTextureIsTheWholeMarkWhenItLoads) {
  WriteInterfaceFile("check.png", SolidPng(8, 8));
  TQGUI_CheckBox& box = Box();
  box.SetSlotTexture(SLOT_TEXTURE2, "check.png");
  box.SetChecked(true);
  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(Window(quads[1]), (Rect{10, 20, 20, 20}));
  EXPECT_EQ(TexWindow(quads[1]), (Rect{0, 0, 1, 1}));
  EXPECT_EQ(quads[1].colour, (Colour{1, 0, 0, 0.8f}));
  EXPECT_EQ(quads[1].texture, box.Slot(SLOT_TEXTURE2).texture);
  EXPECT_EQ(box.GetBounds(), (TQGUIRect{10, 20, 20, 20}));

  box.SetSlotTexture(SLOT_TEXTURE2, "missing.png");  // falls back to the fill
  box.fallbackTexture = "check.png";                 // which is the main slot's only
  quads = Frame();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(Window(quads[1]), (Rect{13, 23, 14, 14}));
}

}  // namespace
