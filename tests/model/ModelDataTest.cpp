#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "GMBytes.h"
#include "MemoryFiles.h"
#include "RecordingRenderer.h"
#include "model/GMFile.h"
#include "model/GMWriter.h"
#include "model/ModelData.h"
#include "model/ModelSystem.h"
#include "model/PaletteList.h"
#include "model/PaletteStore.h"
#include "model/PlacedModel.h"
#include "render/GPURenderer.h"

namespace {

void Build(const GMBytes& bytes, TGMGL_Data& data) {
  TGM_File file;
  auto in = bytes.Stream();
  file.Load(in);
  data.BuildAtlas(file);
}

// A "Q" frame of `w` x `h` filled with `index`.
GMBytes& Filled(GMBytes& bytes, unsigned w, unsigned h, uint8_t index, int ox = 0, int oy = 0) {
  return bytes.Frame(ox, oy, w, h, std::vector<uint8_t>(size_t(w) * h, index));
}

std::vector<uint8_t> Texel(const TGMGL_Data& d, int x, int y) {
  auto at = d.pixels.begin() + (size_t(y) * d.atlasWidth + x) * d.BytesPerTexel();
  return std::vector<uint8_t>(at, at + d.BytesPerTexel());
}

}  // namespace

TEST(ModelAtlas, ColumnsFromFrameCount) {
  EXPECT_EQ(AtlasColumns(0), 0);
  EXPECT_EQ(AtlasColumns(1), 1);
  EXPECT_EQ(AtlasColumns(5), 3);
  EXPECT_EQ(AtlasColumns(9), 3);
  EXPECT_EQ(AtlasColumns(10), 4);
  EXPECT_EQ(AtlasColumns(65535), 256);
}

TEST(ModelAtlas, PacksTallestFirstInShelves) {
  GMBytes bytes;
  bytes.Header('Q', 4);
  Filled(bytes, 4, 10, 1);
  Filled(bytes, 4, 30, 2);
  Filled(bytes, 4, 20, 3);
  Filled(bytes, 8, 20, 4);
  TGMGL_Data d;
  Build(bytes, d);
  // 2 columns of the widest frame: 16 texels. Order 30, 20 (8 wide), 20 (4 wide), 10.
  ASSERT_EQ(d.atlasWidth, 16);
  EXPECT_FLOAT_EQ(d.frameTable[1].u0, 0);
  EXPECT_FLOAT_EQ(d.frameTable[3].u0, 4 / 16.0f);
  EXPECT_FLOAT_EQ(d.frameTable[2].u0, 12 / 16.0f);
  EXPECT_FLOAT_EQ(d.frameTable[2].v0, 0);
  // The last frame no longer fits beside them: a new shelf at 30.
  EXPECT_EQ(d.atlasHeight, 30 + 10);
  EXPECT_FLOAT_EQ(d.frameTable[0].u0, 0);
  EXPECT_FLOAT_EQ(d.frameTable[0].v0, 30 / 40.0f);
  EXPECT_FLOAT_EQ(d.frameTable[0].vSize, 10 / 40.0f);
  EXPECT_FLOAT_EQ(d.frameTable[3].uSize, 8 / 16.0f);
  EXPECT_FLOAT_EQ(d.frameTable[1].vSize, 30 / 40.0f);
  EXPECT_EQ(Texel(d, 1, 31), (std::vector<uint8_t>{255, 0, 1}));
  EXPECT_EQ(Texel(d, 15, 39), (std::vector<uint8_t>{0, 0, 0}));
  EXPECT_EQ(Texel(d, 13, 19), (std::vector<uint8_t>{255, 0, 3}));
  EXPECT_EQ(Texel(d, 13, 20), (std::vector<uint8_t>{0, 0, 0}));
}

TEST(ModelAtlas, EqualHeightsSortByWidthThenFileOrder) {
  GMBytes bytes;
  bytes.Header('Q', 3);
  Filled(bytes, 2, 5, 1);
  Filled(bytes, 3, 5, 2);
  Filled(bytes, 2, 5, 3);
  TGMGL_Data d;
  Build(bytes, d);
  ASSERT_EQ(d.atlasWidth, 6);
  EXPECT_FLOAT_EQ(d.frameTable[1].u0, 0);
  EXPECT_FLOAT_EQ(d.frameTable[0].u0, 3 / 6.0f);
  EXPECT_FLOAT_EQ(d.frameTable[2].u0, 0);
  EXPECT_FLOAT_EQ(d.frameTable[2].v0, 0.5f);
}

TEST(ModelAtlas, RowsAreFlippedSoFramesStandUpright) {
  // 4 x 2: file row A (index 1), then row B (index 2).
  TGMGL_Data d;
  Build(GMBytes().Header('Q', 1).Frame(0, 0, 4, 2, {1, 1, 1, 1, 2, 2, 2, 2}), d);
  EXPECT_EQ(Texel(d, 0, 0)[2], 2);  // row B at ShelfY
  EXPECT_EQ(Texel(d, 0, 1)[2], 1);  // row A above it
}

TEST(ModelAtlas, TexelContentsPerEncoding) {
  TGMGL_Data z;
  Build(GMBytes().Header('Z', 1).Frame(0, 0, 2, 1, {0, 0, 0, 0, 7, 33, 0, 1}), z);
  EXPECT_EQ(z.BytesPerTexel(), 3);
  EXPECT_EQ(Texel(z, 0, 0), (std::vector<uint8_t>{255, 33, 7}));
  EXPECT_EQ(Texel(z, 1, 0), (std::vector<uint8_t>{0, 0, 0}));
  EXPECT_EQ(z.AtlasKind(), TAtlasKind::Indexed);

  TGMGL_Data s;
  Build(GMBytes().Header('S', 1).Frame(0, 0, 2, 1, {0x81, 0x01}), s);
  EXPECT_EQ(Texel(s, 0, 0), (std::vector<uint8_t>{127, 0, 1}));

  TGMGL_Data a;
  Build(GMBytes().Header('A', 1).Frame(0, 0, 1, 1, {0x80, 0x00, 0xF8}), a);
  EXPECT_EQ(a.BytesPerTexel(), 4);
  EXPECT_EQ(Texel(a, 0, 0), (std::vector<uint8_t>{0, 0, 251, 252}));
  EXPECT_EQ(a.AtlasKind(), TAtlasKind::Colour);

  TGMGL_Data e;
  Build(GMBytes().Header('e', 1).Frame(0, 0, 1, 1, {90}), e);
  EXPECT_EQ(Texel(e, 0, 0), (std::vector<uint8_t>{90, 0, 0, 255}));
  EXPECT_EQ(e.AtlasKind(), TAtlasKind::Effect);
}

TEST(ModelAtlas, EmptyFramesKeepSizesButTakeNoSpace) {
  GMBytes bytes;
  bytes.Header('Q', 2);
  bytes.U16(4).U16(static_cast<uint16_t>(-3)).U16(2).U16(50).U16(60).U32(0);  // size, no data
  Filled(bytes, 4, 4, 9);
  TGMGL_Data d;
  Build(bytes, d);
  EXPECT_EQ(d.frameTable[0].width, 50);
  EXPECT_EQ(d.frameTable[0].offsetX, -3);
  EXPECT_EQ(d.frameTable[0].top, d.canvasHeight / 2 + 2);
  // Only the frame with data sizes the atlas: 2 columns of 4.
  EXPECT_EQ(d.atlasWidth, 8);
  EXPECT_EQ(d.atlasHeight, 4);
}

TEST(ModelAtlas, AbsurdAtlasIsNotBuilt) {
  GMBytes bytes;
  bytes.Header('S', 300);
  bytes.Frame(0, 0, 1000, 1000, {0x81});
  for (int i = 1; i < 300; ++i) bytes.Frame(0, 0, 1, 1, {0x81});
  TGMGL_Data d;
  Build(bytes, d);
  EXPECT_EQ(d.atlasWidth, 0);
  EXPECT_TRUE(d.pixels.empty());
  EXPECT_EQ(d.frameCount, 300);
  EXPECT_EQ(d.frameTable[0].width, 1000);
}

class ModelSystemTest : public testing::Test {
 protected:
  MemoryFiles files;
  TPaletteStore store;
  TSmartPaletteList palettes{store};
  TGPU_Renderer renderer;
  TGMGL_System system{palettes, renderer, nullptr};
};

TEST_F(ModelSystemTest, SharesModelsByNameIgnoringCase) {
  files.files["gms\\tank.gmz"] = GMBytes().Header('Q', 1).Frame(0, 0, 1, 1, {3}).Str();
  int32_t a = system.Load("GMs\\Tank.gmz");
  int32_t b = system.Load("gms\\TANK.GMZ");
  EXPECT_EQ(a, b);
  EXPECT_EQ(system.RefCount(a), 2);
  EXPECT_EQ(files.opens["gms\\tank.gmz"], 1);
  EXPECT_EQ(system.Data(a)->fileName, "gms\\tank.gmz");
  EXPECT_EQ(system.Data(a)->frameCount, 1);

  int32_t c = system.Load("GMs\\missing.gmz");
  EXPECT_EQ(c, a + 1);
  EXPECT_EQ(system.Data(c)->frameCount, 0);

  system.Release(a);
  EXPECT_NE(system.Data(a), nullptr);
  system.Release(a);
  EXPECT_EQ(system.Data(a), nullptr);
  // The lowest free slot is reused, and the file read again.
  EXPECT_EQ(system.Load("GMs\\tank.gmz"), a);
  EXPECT_EQ(files.opens["gms\\tank.gmz"], 2);
  system.Release(-1);
  system.Release(1000);
}

TEST_F(ModelSystemTest, SlotsGrowByFifty) {
  for (int i = 0; i < 51; ++i) system.Load("m" + std::to_string(i));
  EXPECT_EQ(system.SlotCount(), 51);
  EXPECT_EQ(system.Capacity(), 100);
}

TEST_F(ModelSystemTest, ResetRenderStateForgetsListsAndSlots) {
  int32_t m = system.Load("a");
  system.Data(m)->renderList = 4;
  system.Data(m)->textureSlot = 7;
  system.ResetRenderState();
  EXPECT_EQ(system.Data(m)->renderList, -1);
  EXPECT_EQ(system.Data(m)->textureSlot, 0);
}

TEST_F(ModelSystemTest, PlacedModelsTakeTheirP16OrTheGreyRamp) {
  TPalette red = GreyRamp();
  ApplySideColour(red, 248, 0, 0);
  files.files["gms\\a.gmz"] = GMBytes().Header('Q', 0).Str();
  files.files["GMs\\a.p16"] = EncodePalette16(red);
  TGMGL withFile(system, "GMs\\a.gmz");
  TGMGL without(system, "GMs\\b.gmz");
  TGMGL again(system, "GMs\\a.gmz");
  EXPECT_EQ(withFile.Palette()[3 * 24 + 2], 248);
  EXPECT_EQ(withFile.Palette()[3 * 24], 0);
  EXPECT_EQ(without.Palette()[3 * 200], 200);
  EXPECT_EQ(again.PaletteEntry(), withFile.PaletteEntry());
  EXPECT_EQ(palettes.Entry(again.PaletteEntry()).refCount, 2u);
  EXPECT_EQ(PaletteFileName("GMs\\x.y.gmz"), "GMs\\x.y.p16");
  EXPECT_EQ(PaletteFileName("GMs.d\\noext"), "GMs.d\\noext.p16");
}

TEST_F(ModelSystemTest, SetPaletteSharesAndReleases) {
  TGMGL a(system, "x");
  TGMGL b(system, "x");
  TPalette blue = GreyRamp();
  ApplySideColour(blue, 0, 0, 255);
  int32_t grey = a.PaletteEntry();
  a.SetPalette(blue);
  EXPECT_NE(a.PaletteEntry(), grey);
  EXPECT_EQ(palettes.Entry(grey).refCount, 1u);
  b.SetPalette(blue);
  EXPECT_EQ(b.PaletteEntry(), a.PaletteEntry());
  EXPECT_EQ(palettes.Entry(grey).palette, nullptr);
  EXPECT_EQ(b.PaletteSlot(), palettes.Entry(b.PaletteEntry()).slot);
}

TEST_F(ModelSystemTest, RecordPlacesFramesAndWrapsFrameNumbers) {
  GMBytes bytes;
  bytes.Header('Q', 5);
  for (int i = 0; i < 5; ++i) Filled(bytes, 2 + i, 4, 1, -1 - i, -2);
  files.files["m"] = bytes.Str();
  TGMGL model(system, "m");
  const TGMGL_Data& d = *model.Data();
  model.frame = 7;  // draws frame 2
  TGPU_Record r{};
  ASSERT_TRUE(model.BuildRecord(100, 50, 0, r));
  const TGMGL_FrameEntry& f = d.frameTable[2];
  EXPECT_FLOAT_EQ(r[0], f.u0);
  EXPECT_FLOAT_EQ(r[4], 100 - 3);
  EXPECT_FLOAT_EQ(r[5], 50 - (-2) - 4);  // y - OffsetY - Height
  EXPECT_FLOAT_EQ(r[6], 4);
  EXPECT_FLOAT_EQ(r[7], 4);
  EXPECT_FLOAT_EQ(r[8], 0);  // layer 0, indexed atlas
  EXPECT_FLOAT_EQ(r[9], static_cast<float>(model.PaletteSlot() % 16384 * 256));
  model.frame = -3;
  ASSERT_TRUE(model.BuildRecord(0, 0, 2, r));
  EXPECT_FLOAT_EQ(r[6], 4);  // frame 2 again
  EXPECT_FLOAT_EQ(r[8], 8);  // layer 2 x 4 + kind 0

  TGMGL empty(system, "none");
  EXPECT_FALSE(empty.BuildRecord(0, 0, 0, r));
}

// Atlases and palette pages reach the card only through the renderer, so a recording
// renderer stands in for GL here.
TEST(ModelTextures, AtlasesAndPalettePagesAreMadeChangedAndDeletedThroughTheRenderer) {
  RecordingRenderer gl;
  MemoryFiles files;
  files.files["gms\\t.gmz"] = GMBytes().Header('Q', 1).Frame(0, 0, 2, 2, {1, 1, 1, 1}).Str();
  files.files["GMs\\t.p16"] = EncodePalette16(GreyRamp());
  {
    TPaletteStore store;
    TSmartPaletteList palettes{store};
    TGPU_Renderer renderer;
    TGMGL_System system{palettes, renderer, &gl};
    std::vector<std::unique_ptr<TGMGL>> placed;
    for (int i = 0; i < 50; ++i) placed.push_back(std::make_unique<TGMGL>(system, "GMs\\t.gmz"));
    EXPECT_EQ(files.opens["GMs\\t.p16"], 1) << "one read of the palette file for all its placed models";
    EXPECT_EQ(files.opens["gms\\t.gmz"], 1);
    ASSERT_EQ(gl.textures.size(), 1u);
    const GLuint atlas = placed[0]->Data()->texture;
    EXPECT_EQ(atlas, gl.textures[0].name);

    store.Upload(gl);
    ASSERT_EQ(gl.textures.size(), 2u);
    EXPECT_EQ(gl.textures[1].width, TPaletteStore::kPageSide);
    store.Upload(gl);  // nothing changed
    EXPECT_TRUE(gl.updatedTextures.empty());
    TPalette red = GreyRamp();
    ApplySideColour(red, 255, 0, 0);
    placed[3]->SetPalette(red);
    store.Upload(gl);
    EXPECT_EQ(gl.updatedTextures, std::vector<GLuint>{gl.textures[1].name});

    placed.resize(1);
    EXPECT_TRUE(gl.deletedTextures.empty());
    placed.clear();
    EXPECT_EQ(gl.deletedTextures, std::vector<GLuint>{atlas});
  }
  ASSERT_EQ(gl.deletedTextures.size(), 2u) << "the store deletes its page";
  EXPECT_EQ(gl.deletedTextures[1], gl.textures[1].name);
}

TEST_F(ModelSystemTest, EachFrameOfTheTableHasItsSprite) {
  GMBytes bytes;
  bytes.Header('Q', 3);
  for (int i = 0; i < 3; ++i) Filled(bytes, 2 + i, 3, 1, 4 - i, -1 - i);
  files.files["m"] = bytes.Str();
  TGMGL model(system, "m");
  const TGMGL_Data& d = *model.Data();
  ASSERT_EQ(d.sprites.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    model.frame = i + 3;  // wraps to i
    TGPU_Record r{};
    ASSERT_TRUE(model.BuildRecord(10, 20, 0, r));
    const TGMGL_FrameEntry& f = d.frameTable[i];
    EXPECT_FLOAT_EQ(r[1], f.v0);
    EXPECT_FLOAT_EQ(r[4], float(10 + f.offsetX));
    EXPECT_FLOAT_EQ(r[5], float((20 - d.canvasHeight / 2) + (d.canvasHeight - f.top - f.height)));
    EXPECT_FLOAT_EQ(r[6], float(f.width));
  }
}
