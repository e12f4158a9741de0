#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "Sample.h"
#include "ScratchFolder.h"
#include "model/GMFile.h"
#include "model/GMWriter.h"
#include "model/Palette.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TGM_File LoadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  TGM_File file;
  file.Load(in);
  return file;
}

int RunTool(const std::string& arguments) { return std::system((std::string(ZQ_GMTOOL) + " " + arguments).c_str()); }

}  // namespace

TEST(SampleSet, CoversEveryEncodingWithAnimatedSprites) {
  std::map<char, int> perEncoding;
  int scanned = 0;
  bool skippedOne = false;
  for (const TSampleModel& m : SampleModels()) {
    SCOPED_TRACE(m.name);
    if (m.name.find("fal.gmz") != std::string::npos) {
      skippedOne = true;
      continue;
    }
    ++scanned;
    ++perEncoding[m.encoding];
    ASSERT_GE(m.frames.size(), 8u);
    ASSERT_LE(m.frames.size(), 64u);
    int changes = 0;
    for (size_t i = 0; i < m.frames.size(); ++i) {
      const GMFrame& f = m.frames[i];
      EXPECT_GE(std::max(f.width, f.height), 8);
      EXPECT_LE(std::max(f.width, f.height), 40);
      const GMFrame& next = m.frames[(i + 1) % m.frames.size()];
      if (f.main != next.main || f.offsetY != next.offsetY) ++changes;
    }
    EXPECT_GE(changes, static_cast<int>(m.frames.size()) - 1) << "frames should move";
    // Entries 1 to 24 ramp from black to the side colour.
    EXPECT_EQ(m.palette[3] + m.palette[4] + m.palette[5], 0);
    EXPECT_GT(m.palette[72] + m.palette[73] + m.palette[74], 200);
  }
  EXPECT_GE(scanned, 24);
  EXPECT_TRUE(skippedOne);
  for (char e : {'Z', 'X', 'S', 'Q', 'A', 'E'}) EXPECT_GE(perEncoding[e], 2) << e;
}

TEST(SampleSet, BuildWritesTheSameFilesEveryTime) {
  ScratchFolder dir{"gmtool"};
  std::string error;
  ASSERT_TRUE(WriteSampleSet(dir.Path(), error)) << error;
  fs::path built = fs::path(ZQ_TEST_BIN_DIR) / "GMs";
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    ++files;
    EXPECT_EQ(ReadAll(entry.path()), ReadAll(built / entry.path().filename())) << entry.path().filename();
  }
  EXPECT_EQ(files, 2 * static_cast<int>(SampleModels().size()));
}

// gmtool decode writes planes and frames.json; gmtool encode of those PNGs with the same
// offsets gives back the same frames, for every encoding.
TEST(Gmtool, DecodeThenEncodeRoundTrips) {
  ScratchFolder dir{"gmtool"};
  std::set<char> seen;
  for (const TSampleModel& m : SampleModels()) {
    if (!seen.insert(m.encoding).second) continue;
    SCOPED_TRACE(m.name);
    fs::path model = dir.Path() / m.name;
    std::ofstream(model, std::ios::binary) << EncodeGM(m.encoding, m.frames);
    fs::path out = dir.Path() / (m.name + ".d");
    ASSERT_EQ(RunTool("decode " + model.string() + " " + out.string()), 0);
    TGM_File original = LoadFile(model);
    std::string json = ReadAll(out / "frames.json");
    EXPECT_NE(json.find(std::string("\"encoding\": \"") + m.encoding + "\""), std::string::npos);
    EXPECT_NE(json.find("\"canvas\": {\"width\": " + std::to_string(original.CanvasWidth())), std::string::npos);

    std::string args = "encode -e " + std::string(1, m.encoding) + " -o " + (dir.Path() / "again.gmz").string();
    for (int i = 0; i < original.FrameCount(); ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "frame_%03d.png", i);
      args += " " + (out / name).string() + " --offset=" + std::to_string(original.GetFrame(i).offsetX) + "," +
              std::to_string(original.GetFrame(i).offsetY);
    }
    ASSERT_EQ(RunTool(args), 0);
    TGM_File again = LoadFile(dir.Path() / "again.gmz");
    ASSERT_EQ(again.FrameCount(), original.FrameCount());
    for (int i = 0; i < original.FrameCount(); ++i) {
      EXPECT_EQ(again.GetFrame(i).main, original.GetFrame(i).main) << i;
      EXPECT_EQ(again.GetFrame(i).aux, original.GetFrame(i).aux) << i;
      EXPECT_EQ(again.GetFrame(i).alpha, original.GetFrame(i).alpha) << i;
      EXPECT_EQ(again.GetFrame(i).offsetX, original.GetFrame(i).offsetX) << i;
    }
  }
  EXPECT_EQ(seen.size(), 6u);
}

TEST(Gmtool, RejectsBadArguments) {
  ScratchFolder dir{"gmtool"};
  std::string quiet = " 2>/dev/null";
  EXPECT_NE(RunTool("encode -e W -o x.gmz " + std::string(ZQ_GMTOOL) + quiet), 0);
  EXPECT_NE(RunTool("decode " + (dir.Path() / "missing.gmz").string() + " " + dir.Path().string() + quiet), 0);
  fs::path png = dir.Path() / "not.png";
  std::ofstream(png) << "not a png";
  EXPECT_NE(RunTool("encode -e X -o " + (dir.Path() / "o.gmz").string() + " " + png.string() + quiet), 0);
}

TEST(Gmtool, PaletteFromPngWithSideColour) {
  ScratchFolder dir{"gmtool"};
  fs::path model = dir.Path() / "m.gmz";
  // A decoded "A" frame is an RGBA PNG; use it as a palette source.
  GMFrame f;
  f.width = 16;
  f.height = 16;
  f.main.assign(3 * 256, 0);
  f.alpha.assign(256, 255);
  for (int i = 0; i < 256; ++i) f.main[3 * i] = static_cast<uint8_t>(i);  // an intensity frame keeps blue
  std::ofstream(model, std::ios::binary) << EncodeGM('E', {f});
  ASSERT_EQ(RunTool("decode " + model.string() + " " + dir.Path().string()), 0);
  ASSERT_EQ(RunTool("palette " + (dir.Path() / "frame_000.png").string() + " -o " + (dir.Path() / "p.p16").string() +
                    " --side 0 0 255"),
            0);
  std::ifstream in(dir.Path() / "p.p16", std::ios::binary);
  TPalette p{};
  ReadPalette16(in, p);
  EXPECT_EQ(p[3 * 24], 248);  // side colour blue, cut to 5 bits
  EXPECT_EQ(p[3 * 24 + 2], 0);
  EXPECT_EQ(p[3 * 100], 96);  // blue 100 from the image, cut to 5 bits
}
