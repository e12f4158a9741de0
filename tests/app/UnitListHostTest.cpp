#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <sstream>

#include "QGUI/Desktop.h"
#include "QGUI/Scissor.h"
#include "RecordingRenderer.h"
#include "app/UnitListHost.h"
#include "font/FontManager.h"
#include "model/GMWriter.h"
#include "model/ModelData.h"
#include "platform/DataFiles.h"

namespace {

// The sample models placed 200 times, and a GUI on the recording renderer.
class UnitListHostTest : public ::testing::Test {
 protected:
  UnitListHostTest() {
    SetExeFolder(ZQ_TEST_BIN_DIR);
    scene.Start(200);
    TQGUI_Services services;
    services.renderer = &renderer;
    services.scissor = &scissor;
    services.fonts = &fonts;
    services.frameDelta = [] { return 0.0; };
    services.tickCount = [] { return 1000u; };
    gui = std::make_unique<TQGUI_Context>(services);
    gui->CreateDesktop().col1 = {0, 0, 0, 0};
    host = std::make_unique<TUnitListHost>(*gui, scene, &renderer);
    host->onSelect = [this](int row) { selected.push_back(row); };
  }
  ~UnitListHostTest() override {
    host.reset();
    gui.reset();
  }
  TQGUI_UnitList& List() {
    auto& list = static_cast<TQGUI_UnitList&>(*gui->Registry().CreateElement(TYPE_UNITLIST, 0));
    list.SetBounds(0, 0, 184, 400);  // four columns of 40 + 6
    return list;
  }
  TQGUI_UL_UpdateUnitData Cell(TQGUI_UnitList& list, int32_t cell) {
    TQGUI_UL_UpdateUnitData data;
    list.hooks.getCellData(list.hostData, cell, data);
    return data;
  }
  // The window point inside cell `cell` of a four-column list at the origin (spacing 0).
  static std::pair<int32_t, int32_t> Inside(int32_t cell) { return {cell % 4 * 46 + 10, cell / 4 * 54 + 10}; }

  TModelScene scene{nullptr};
  RecordingRenderer renderer;
  TQGUI_Scissor_Stack scissor;
  TOGL_Font_Manager fonts;
  std::unique_ptr<TQGUI_Context> gui;
  std::unique_ptr<TUnitListHost> host;
  std::vector<int> selected;
};

TEST_F(UnitListHostTest, OneCellPerModelFileWithItsPictureColourAndCount) {
  TQGUI_UnitList& list = List();
  const auto& types = host->Types();
  ASSERT_GT(types.size(), 1u);
  size_t placed = 0;
  for (const auto& type : types) {
    placed += type.models.size();
    for (size_t model : type.models) EXPECT_EQ(scene.Model(model).Data()->fileName, type.file);
    EXPECT_EQ(type.name.find(u'\\'), std::u16string::npos);
    EXPECT_EQ(type.name.find(u".gmz"), std::u16string::npos);
  }
  EXPECT_EQ(placed, 200u);
  EXPECT_EQ(types[0].models.front(), 0u);

  TQGUI_UL_Layout layout;
  list.hooks.getLayout(0, layout);
  EXPECT_EQ(layout.columnCount, 4);
  EXPECT_EQ(layout.cellCount, int32_t(types.size()));
  EXPECT_EQ(layout.rowCount, (int32_t(types.size()) + 3) / 4);

  for (int32_t cell = 0; cell < layout.cellCount; ++cell) {
    const TQGUI_UL_UpdateUnitData data = Cell(list, cell);
    const auto count = int32_t(types[size_t(cell)].models.size());
    EXPECT_EQ(data.badge2, std::min(count, 99) % 10) << cell;
    EXPECT_EQ(data.badge1, count >= 10 ? std::min(count, 99) / 10 : -1) << cell;
    EXPECT_NE(data.texture, 0u) << cell;
    EXPECT_TRUE(data.showBackground);
    const TRgb side = host->SideColour(types[size_t(cell)]);
    EXPECT_EQ(data.backgroundColour.red, side[0] / 255.0f);
    EXPECT_TRUE(data.caption.empty());
  }
  EXPECT_EQ(list.Slot(SLOT_TEXTURE2).name, "digits.png");

  // Every cell draws its picture.
  renderer.quads.clear();
  renderer.Begin2D(0, 0);
  gui->Render();
  size_t pictures = 0;
  for (const auto& q : renderer.quads)
    for (const auto& type : types) pictures += q.texture == type.picture;
  EXPECT_EQ(pictures, types.size());
}

TEST_F(UnitListHostTest, AClickSelectsTheTypesFirstModelAndHoverShowsItsNameAsTheHint) {
  TQGUI_UnitList& list = List();
  const auto& types = host->Types();
  auto [x, y] = Inside(1);
  gui->MouseMove(x, y);
  gui->MouseDown(0, x, y);
  gui->MouseUp(0, x, y);
  EXPECT_EQ(selected, (std::vector<int>{int(types[1].models.front())}));
  EXPECT_EQ(list.hint, types[1].name);
  EXPECT_EQ(gui->hintCandidate, &list);
  gui->AdvanceHint(TQGUI_Context::kHintDelay);
  EXPECT_EQ(gui->hintShown, &list);
  EXPECT_TRUE(Cell(list, 1).caption.empty());

  // The next cell's name shows at once; the list below its cells shows none.
  std::tie(x, y) = Inside(0);
  gui->MouseMove(x, y);
  EXPECT_EQ(list.hint, types[0].name);
  EXPECT_EQ(gui->hintShown, &list);
  gui->MouseDown(1, x, y);  // other buttons select nothing
  gui->MouseUp(1, x, y);
  gui->MouseMove(x, 390);
  gui->MouseDown(0, x, 390);
  gui->MouseUp(0, x, 390);
  EXPECT_EQ(selected.size(), 1u);
  EXPECT_EQ(gui->hover, &list);
  EXPECT_TRUE(list.hint.empty());
  EXPECT_EQ(gui->hintShown, nullptr);
  EXPECT_EQ(gui->hintCandidate, nullptr);
}

TEST_F(UnitListHostTest, RecolouringAModelRemakesItsTypesPicture) {
  TQGUI_UnitList& list = List();
  const GLuint before = Cell(list, 0).texture;
  Cell(list, 0);
  EXPECT_EQ(Cell(list, 0).texture, before);  // made once
  scene.ApplyUnitSideColour(int(host->Types()[0].models.front()), {200, 10, 30});
  const TQGUI_UL_UpdateUnitData data = Cell(list, 0);
  EXPECT_NE(data.texture, before);
  EXPECT_NE(std::find(renderer.deletedTextures.begin(), renderer.deletedTextures.end(), before),
            renderer.deletedTextures.end());
  EXPECT_EQ(data.backgroundColour.red, 200 / 255.0f);
  EXPECT_EQ(data.backgroundColour.blue, 30 / 255.0f);
}

TEST_F(UnitListHostTest, ListsMadeBeforeTheHostAreReachedAndItsGoingLeavesThemPlain) {
  host.reset();
  TQGUI_UnitList& early = List();
  EXPECT_FALSE(early.hooks.getLayout);
  host = std::make_unique<TUnitListHost>(*gui, scene, nullptr);
  EXPECT_TRUE(early.hooks.getLayout);
  EXPECT_EQ(Cell(early, 0).texture, 0u);  // no renderer, no pictures
  host.reset();
  EXPECT_FALSE(early.hooks.getLayout);
  renderer.Begin2D(0, 0);
  gui->Render();
  gui->MouseMove(10, 10);
  gui->MouseDown(0, 10, 10);
  gui->MouseUp(0, 10, 10);
}

TEST(UnitPicture, TheFirstFrameWithPixelsCentredInItsPaletteColours) {
  GMFrame empty;
  GMFrame frame;
  frame.width = 2;
  frame.height = 1;
  frame.main = {0, 5};
  std::istringstream file(EncodeGM('X', {empty, frame}));
  TGM_File model;
  model.Load(file);
  TPalette palette{};
  palette[15] = 30;  // entry 5: blue 30, green 20, red 10
  palette[16] = 20;
  palette[17] = 10;
  TUnitPicture picture = MakeUnitPicture(model, palette);
  ASSERT_EQ(picture.size, 2);
  // The frame's one row is the image's top row, the texture's last (rows bottom up).
  const std::vector<uint8_t> expected = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 20, 30, 255};
  EXPECT_EQ(picture.rgba, expected);
  EXPECT_EQ(MakeUnitPicture(TGM_File(), palette).size, 0);
}

}  // namespace
