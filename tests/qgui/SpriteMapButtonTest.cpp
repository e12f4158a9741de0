#include <gtest/gtest.h>

#include "QGUI/SpriteMapButton.h"
#include "WidgetTestSupport.h"

namespace {

using Strings = std::vector<std::string>;

class SpriteMapButtonTest : public WidgetTest {
 protected:
  // A 256 x 128 sheet of 64-pixel cells: four columns, two rows.
  TQGUI_SpriteMapButton& Button(const std::string& anim = "width=64\nheight=64\n",
                                const std::string& name = "sheet.png") {
    WriteInterfaceFile(name, SolidPng(256, 128));
    if (!anim.empty()) WriteInterfaceFile(name + ".anim", anim);
    auto& button = MakeAs<TQGUI_SpriteMapButton>(TYPE_SPRITEMAPBUTTON);
    button.SetBounds(10, 20, 64, 30);
    button.SetTexture(name);
    return button;
  }
  Quad Only() {
    std::vector<Quad> quads = Frame();
    EXPECT_EQ(quads.size(), 1u);
    return quads.empty() ? Quad{} : quads[0];
  }
};

TEST_F(SpriteMapButtonTest, TheCellFollowsTheStateAndRowsCountFromTheTop) {
  TQGUI_SpriteMapButton& button = Button();
  button.col1 = {1, 0.5f, 0.25f, 0.5f};
  button.alpha = 0.5f;
  Quad normal = Only();
  EXPECT_EQ(Window(normal), (Rect{10, 20, 64, 64}));  // the height follows the cell
  EXPECT_EQ(TexWindow(normal), (Rect{0, 0.5f, 0.25f, 0.5f}));
  EXPECT_EQ(normal.colour, (Colour{1, 0.5f, 0.25f, 0.25f}));
  EXPECT_EQ(normal.type, 0);

  gui->MouseMove(20, 30);
  EXPECT_EQ(Only().u, 0.25f);  // hover: the second column of a 256-pixel sheet
  gui->MouseDown(0, 20, 30);
  EXPECT_EQ(Only().u, 0.5f);
  button.spriteRow = 1;
  EXPECT_EQ(Only().v, 0.0f);
  gui->MouseUp(0, 20, 30);
  EXPECT_EQ(Only().u, 0.25f);
  gui->MouseDown(1, 20, 30);  // only the left button shows the held cell
  EXPECT_EQ(Only().u, 0.25f);

  button.SetDisabled(true);
  EXPECT_EQ(Only().u, 0.75f);
  button.SetDisabled(false);
  desktop->SetDisabled(true);  // an ancestor counts too
  EXPECT_EQ(Only().u, 0.75f);
  desktop->SetDisabled(false);

  button.normalCell = 2;
  button.hoverCell = 3;
  EXPECT_EQ(Only().u, 0.75f);
  gui->MouseMove(500, 500);
  EXPECT_EQ(Only().u, 0.5f);
}

TEST_F(SpriteMapButtonTest, ADisabledButtonStillSeesTheMouseButShowsItsDisabledCell) {
  TQGUI_SpriteMapButton& button = Button();
  button.SetDisabled(true);
  LogOn(button, CALLBACK_MOUSEMOVE, "move", " %x %y");
  LogOn(button, CALLBACK_MOUSEDOWN, "down");
  gui->MouseMove(20, 30);
  gui->MouseDown(0, 20, 30);
  EXPECT_EQ(Log(), (Strings{"move " + std::to_string(button.id) + " 10 10"}));
  EXPECT_TRUE(button.mouseOver);
  EXPECT_EQ(Only().u, 0.75f);
}

TEST_F(SpriteMapButtonTest, HalfCellsBlendingAndTheTint) {
  TQGUI_SpriteMapButton& button = Button();
  button.subTexture = true;
  button.textureBlend = false;
  Quad q = Only();
  EXPECT_EQ(q.du, 0.125f);
  EXPECT_FALSE(q.blend);
  EXPECT_TRUE(renderer.blend);
  button.col1.alpha = 0;
  EXPECT_TRUE(Frame().empty());
}

TEST_F(SpriteMapButtonTest, WithoutATextureNothingIsDrawnNotEvenTheBody) {
  auto& button = MakeAs<TQGUI_SpriteMapButton>(TYPE_SPRITEMAPBUTTON);
  button.SetBounds(0, 0, 40, 40);
  button.col1 = {1, 0, 0, 1};
  button.borderType = 1;
  EXPECT_TRUE(Frame().empty());
  button.SetTexture("missing.png");
  EXPECT_TRUE(Frame().empty());
  EXPECT_EQ(button.h, 40);
}

TEST_F(SpriteMapButtonTest, AnEmptyElementTakesTheSheetsWidthAndOneCellsHeight) {
  TQGUI_SpriteMapButton& button = Button();
  button.SetBounds(0, 0, 0, 0);
  EXPECT_EQ(Window(Only()), (Rect{0, 0, 256, 64}));
}

TEST_F(SpriteMapButtonTest, SheetsWithoutUsableCellsDrawTheWholeImage) {
  // Frames larger than the image, of no size, or no side file at all: one cell, the image.
  int sheet = 0;
  for (const char* anim : {"width=512\nheight=1000\n", "width=0\nheight=64\n", ""}) {
    TQGUI_SpriteMapButton& button = Button(anim, "sheet" + std::to_string(++sheet) + ".png");
    button.hoverCell = 1;
    Quad q = Only();
    EXPECT_EQ(TexWindow(q), (Rect{0, 0, 1, 1})) << anim;
    EXPECT_EQ(button.h, 128) << anim;
    gui->MouseMove(20, 30);
    EXPECT_EQ(TexWindow(Only()), (Rect{1, 0, 1, 1})) << anim;  // the next column wraps onto the same image
    gui->Delete(button);
    gui->MouseMove(1000, 1000);
  }
}

TEST_F(SpriteMapButtonTest, TheNativeHookRunsAfterEachClickWithTheTag) {
  TQGUI_SpriteMapButton& button = Button();
  button.tag = 42;
  LogOn(button, CALLBACK_MOUSECLICK, "click");
  std::vector<int32_t> tags;
  button.onClick = [&](int32_t tag) {
    tags.push_back(tag);
    EXPECT_EQ(Log().size(), tags.size());  // after the click callback
  };
  Click(20, 30);
  now += 1000;
  Click(20, 30, 1);
  EXPECT_EQ(tags, (std::vector<int32_t>{42, 42}));

  button.SetCallback(CALLBACK_MOUSECLICK, "delete_element(%id)");
  const int32_t id = button.id;
  now += 1000;
  Click(20, 30);
  EXPECT_EQ(tags.size(), 2u);  // not for a button its own click deleted
  EXPECT_EQ(gui->Registry().Find(id), nullptr);
}

}  // namespace
