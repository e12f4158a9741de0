#include <gtest/gtest.h>

#include <set>

#include "RecordingRenderer.h"
#include "ScratchFolder.h"
#include "app/Scene.h"
#include "platform/DataFiles.h"

namespace fs = std::filesystem;

TEST(Scene, GridPositions) {
  EXPECT_EQ(GridPosition(0), std::pair(25, 25));
  EXPECT_EQ(GridPosition(49), std::pair(1250, 25));
  EXPECT_EQ(GridPosition(50), std::pair(25, 50));
  EXPECT_EQ(GridPosition(1599), std::pair(1250, 800));
}

TEST(Scene, AnimationFrameDoesNotWrapWithTheTickCount) {
  EXPECT_EQ(AnimationFrame(0, 0, 8), 0);
  EXPECT_EQ(AnimationFrame(3, 59, 8), 3);
  EXPECT_EQ(AnimationFrame(3, 60, 8), 4);
  EXPECT_EQ(AnimationFrame(7, 0, 0), 0);
  // 4294967295 div 60 = 71582788; in 32 bits, i + 71582788 would still fit, but the
  // unsigned tick must not be taken as negative or wrap.
  for (size_t i : {size_t(0), size_t(1), size_t(1599)}) {
    for (int32_t n : {1, 5, 7, 24, 64}) {
      EXPECT_EQ(AnimationFrame(i, 4294967295u, n), static_cast<int32_t>((i + 71582788) % n)) << i << " " << n;
    }
  }
}

TEST(Scene, RandomColoursAreDistinctWithoutChannel255) {
  std::mt19937 random(1);
  std::vector<TRgb> colours;
  for (int i = 0; i < 1600; ++i) colours.push_back(RandomUniqueColour(colours, random));
  std::set<TRgb> unique(colours.begin(), colours.end());
  EXPECT_EQ(unique.size(), 1600u);
  for (const TRgb& c : colours) {
    for (uint8_t channel : c) EXPECT_LT(channel, 255);
  }
}

TEST(Scene, UnitRowsNameTheirModel) {
  EXPECT_EQ(RowModelName("12: GMs\\tank.gmz"), "GMs\\tank.gmz");
  EXPECT_EQ(RowModelName("1: GMs\\a:b.gmz"), "GMs\\a:b.gmz");
  EXPECT_EQ(RowModelName("7:"), "");
}

TEST(Scene, ScanSkipsFalNamesCaseSensitively) {
  fs::path dir;
  {
    ScratchFolder folder("scene_scan");
    dir = folder.Path();
    for (const char* name : {"tank.gmz", "fal.gmz", "unitfal.gmz", "xfal.gmzz", "Fal.gmz", "unitFAL.gmz", "TANK2.GMZ",
                             "readme.txt", "tank.p16"}) {
      folder.Write(name, "x");
    }
    std::vector<std::string> names = ScanModelFiles(dir);
    std::set<std::string> found(names.begin(), names.end());
    EXPECT_EQ(found, (std::set<std::string>{"GMs\\tank.gmz", "GMs\\Fal.gmz", "GMs\\unitFAL.gmz", "GMs\\TANK2.GMZ"}));
  }
  EXPECT_TRUE(ScanModelFiles(dir).empty());
}

// Without GL: start-up, unit rows, recolouring and random colours on the built sample set.
TEST(Scene, StartsFromTheSampleSetAndRecolours) {
  SetExeFolder(ZQ_TEST_BIN_DIR);
  TModelScene scene(nullptr);
  scene.Start(1600);
  ASSERT_EQ(scene.ModelCount(), 1600u);
  ASSERT_EQ(scene.UnitRows().size(), 1600u);
  EXPECT_EQ(scene.UnitRows()[0].rfind("1: gms\\", 0), 0u) << scene.UnitRows()[0];
  EXPECT_EQ(scene.UnitRows()[1599].rfind("1600: ", 0), 0u);
  for (size_t i = 0; i < scene.ModelCount(); ++i) {
    EXPECT_EQ(scene.Model(i).Data()->fileName.find("fal.gmz"), std::string::npos);
  }
  // At most one palette per model file (plus none shared by two files by chance).
  EXPECT_LE(scene.Palettes().Count(), 24);

  scene.ApplyUnitSideColour(3, {10, 20, 30});
  const uint8_t* p = scene.Model(3).Palette();
  EXPECT_EQ(p[3 * 24 + 2], 10);
  EXPECT_EQ(p[3 * 24 + 1], 20);
  EXPECT_EQ(p[3 * 24], 30);
  EXPECT_NE(p[3 * 30], 30);  // the rest comes from the model's .p16, not the grey ramp
  scene.ApplyUnitSideColour(-1, {1, 2, 3});
  scene.ApplyUnitSideColour(1600, {1, 2, 3});

  scene.RandomSideColours();
  std::set<TRgb> sides;
  for (size_t i = 0; i < scene.ModelCount(); ++i) {
    const uint8_t* q = scene.Model(i).Palette();
    sides.insert({q[3 * 24 + 2], q[3 * 24 + 1], q[3 * 24]});
  }
  EXPECT_EQ(sides.size(), 1600u);
  EXPECT_EQ(scene.Palettes().Count(), 1600);

  scene.Close();
  EXPECT_EQ(scene.ModelCount(), 0u);
  EXPECT_EQ(scene.Palettes().Count(), 0);
  EXPECT_EQ(scene.Models().Data(0), nullptr);
}

// Model files in mixed case without palettes: each looks its palette up ignoring case,
// and must not list the folder again to do so.
TEST(Scene, StartListsEachFolderOnceWhateverIsMissing) {
  ScratchFolder data("listings");
  std::vector<std::string> samples = ScanModelFiles(fs::path(ZQ_TEST_BIN_DIR) / "GMs");
  ASSERT_FALSE(samples.empty());
  std::string model;
  ASSERT_TRUE(ReadDataFile(fs::path(ZQ_TEST_BIN_DIR).string() + "/GMs/" + samples[0].substr(4), model));
  for (int i = 0; i < 300; ++i) data.Write("GMs/Unit_" + std::to_string(i) + ".gmz", model);
  data.UseAsExeFolder();
  const size_t before = FolderListingCount();
  TModelScene scene(nullptr);
  scene.Start(1600);
  ASSERT_EQ(scene.ModelCount(), 1600u);
  EXPECT_LE(FolderListingCount() - before, 2u) << "the data folder and GMs, once each";
  const TPalette grey = GreyRamp();
  for (size_t i = 0; i < scene.ModelCount(); ++i)
    ASSERT_TRUE(std::equal(grey.begin(), grey.end(), scene.Model(i).Palette())) << i;
}

TEST(Scene, NoModelFilesMeansNoModels) {
  SetExeFolder(fs::temp_directory_path() / "no_such_zq_folder");
  TModelScene scene(nullptr);
  scene.Start(1600);
  EXPECT_EQ(scene.ModelCount(), 0u);
  EXPECT_TRUE(scene.UnitRows().empty());
  scene.Draw(123);
  scene.RandomSideColours();
}

// The frame loop's frames, worked out without a division per model, are AnimationFrame's.
TEST(Scene, FramesFollowTheTickAsAnimationFrameHasThem) {
  SetExeFolder(ZQ_TEST_BIN_DIR);
  RecordingRenderer atlases;
  TModelScene scene(nullptr, &atlases);
  scene.Start(500);
  ASSERT_EQ(scene.ModelCount(), 500u);
  for (uint32_t tick : {0u, 59u, 60u, 12345u, 4294967295u}) {
    scene.Draw(tick);
    for (size_t i = 0; i < scene.ModelCount(); ++i) {
      TGMGL& model = scene.Model(i);
      ASSERT_EQ(model.frame, AnimationFrame(i, tick, model.Data()->frameCount)) << i << " at " << tick;
    }
  }
  int32_t records = 0;
  for (int32_t l = 0; l < scene.Renderer().UsedLists(); ++l) records += scene.Renderer().List(l).Count();
  EXPECT_EQ(records, 500) << "without a GL object nothing is culled";
}

TEST(Scene, TheScreenLayoutKeepsEveryModelOnTheViewport) {
  for (size_t i : {size_t(0), size_t(38), size_t(39), size_t(1130), size_t(1131), size_t(159999)}) {
    auto [x, y] = ScreenPosition(i, 1024, 768);
    EXPECT_GE(x, 25);
    EXPECT_LE(x, 1024 - 25) << i;
    EXPECT_GE(y, 25);
    EXPECT_LE(y, 768 - 25) << i;
  }
  EXPECT_EQ(ScreenPosition(39, 1024, 768), std::pair(25, 50));
  EXPECT_EQ(ScreenPosition(1131, 1024, 768), ScreenPosition(0, 1024, 768));
  EXPECT_EQ(ScreenPosition(5, 10, 10), std::pair(25, 25)) << "a view smaller than a cell has one cell";
}
