// The interface images as the drawing code reads them: decoded by the texture manager's
// own PNG reader, so rows are bottom first and v = 0 is the image's bottom row.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "QGUI/AnimFile.h"
#include "QGUI/ImageDecode.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

using Texel = std::array<int, 4>;  // red, green, blue, alpha

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

int RunTool(const std::string& arguments) {
  return std::system((std::string(ZQ_INTERFACEGEN) + " " + arguments).c_str());
}

// One decoded image with texel access in texture coordinates.
struct Picture {
  TQGUI_Image image;

  int W() const { return image.width; }
  int H() const { return image.height; }
  Texel At(int u, int v) const {
    const uint8_t* p = &image.pixels[(size_t(v) * size_t(image.width) + size_t(u)) * 4];
    return {p[2], p[1], p[0], p[3]};
  }
  bool RowsEqual(int v1, int v2, int u0, int u1) const {
    for (int u = u0; u < u1; ++u)
      if (At(u, v1) != At(u, v2)) return false;
    return true;
  }
  bool ColumnsEqual(int u1, int u2, int v0, int v1) const {
    for (int v = v0; v < v1; ++v)
      if (At(u1, v) != At(u2, v)) return false;
    return true;
  }
  // Mean of alpha-weighted luminance and of alpha over a block.
  double Light(int u0, int v0, int w, int h) const {
    double sum = 0;
    for (int v = v0; v < v0 + h; ++v)
      for (int u = u0; u < u0 + w; ++u) {
        Texel t = At(u, v);
        sum += (0.299 * t[0] + 0.587 * t[1] + 0.114 * t[2]) * t[3] / 255.0;
      }
    return sum / (w * h);
  }
  double Alpha(int u0, int v0, int w, int h) const {
    double sum = 0;
    for (int v = v0; v < v0 + h; ++v)
      for (int u = u0; u < u0 + w; ++u) sum += At(u, v)[3];
    return sum / (w * h);
  }
  bool BlocksEqual(int u1, int v1, int u2, int v2, int w, int h) const {
    for (int v = 0; v < h; ++v)
      for (int u = 0; u < w; ++u)
        if (At(u1 + u, v1 + v) != At(u2 + u, v2 + v)) return false;
    return true;
  }
};

// The set is written once for the whole suite.
class InterfaceImages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new ScratchFolder("interface");
    ASSERT_EQ(RunTool(folder_->Path().string()), 0);
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }
  static fs::path File(const std::string& name) { return folder_->Path() / name; }

  static Picture Load(const std::string& name) {
    std::string bytes = ReadAll(File(name));
    Picture picture;
    std::string error;
    EXPECT_TRUE(DecodePNG(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), picture.image, error))
        << name << ": " << error;
    return picture;
  }
  static TQGUIAnimation Anim(const std::string& name, const Picture& picture) {
    TQGUIAnimation animation;
    ParseAnimFile(ReadAll(File(name + ".anim")), picture.W(), picture.H(), animation);
    return animation;
  }

  static ScratchFolder* folder_;
};

ScratchFolder* InterfaceImages::folder_ = nullptr;

// The chunk types of a PNG file in order; empty when the signature is wrong.
std::vector<std::string> ChunkTypes(const std::string& png) {
  std::vector<std::string> types;
  if (png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return types;
  for (size_t at = 8; at + 8 <= png.size();) {
    auto byte = [&](size_t i) { return uint32_t(static_cast<unsigned char>(png[at + i])); };
    uint32_t length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    types.push_back(png.substr(at + 4, 4));
    at += 12 + size_t(length);
  }
  return types;
}

}  // namespace

TEST_F(InterfaceImages, EveryFileHasItsSizeTheSameBytesEveryRunAndNoTimestamp) {
  const std::map<std::string, std::pair<int, int>> sizes = {
      {"corners2.png", {16, 8}},      {"listedges.png", {16, 8}},      {"textedges.png", {16, 8}},
      {"scrollbar.png", {12, 24}},    {"scrollbar_h.png", {24, 12}},   {"button.png", {96, 84}},
      {"button3_left.png", {10, 84}}, {"button3_middle.png", {4, 84}}, {"button3_right.png", {10, 84}},
      {"sprites.png", {128, 192}},    {"checkbox.png", {20, 20}},      {"check.png", {20, 20}},
      {"digits.png", {80, 12}},       {"edit.png", {24, 24}},          {"panel.png", {32, 32}},
      {"info.png", {16, 16}},         {"warning.png", {16, 16}},       {"spinner.png", {128, 64}},
  };
  ScratchFolder again("interface_again");
  ASSERT_EQ(RunTool(again.Path().string()), 0);
  int files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_->Path())) {
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    ++files;
    std::string bytes = ReadAll(entry.path());
    EXPECT_EQ(bytes, ReadAll(again.Path() / name));
    EXPECT_LT(bytes.size(), 16u << 10);
    if (entry.path().extension() != ".png") continue;
    ASSERT_TRUE(sizes.count(name)) << "not in the list";
    Picture picture = Load(name);
    EXPECT_EQ(picture.W(), sizes.at(name).first);
    EXPECT_EQ(picture.H(), sizes.at(name).second);
    for (const std::string& type : ChunkTypes(bytes)) {
      EXPECT_TRUE(type != "tIME" && type != "tEXt" && type != "zTXt" && type != "iTXt") << type;
    }
  }
  EXPECT_EQ(files, static_cast<int>(std::distance(fs::directory_iterator(again.Path()), fs::directory_iterator())));
  EXPECT_EQ(files, 18 + 6);  // the images and their six side files
}

// Corners 4 x 4 at (0,4) (4,4) (0,0) (4,0); edge strips read from (8,5,4,1), (12,5,4,1),
// (9,0,1,4) and (13,0,1,4), stretched with linear filtering.
TEST_F(InterfaceImages, EdgeFramesJoinCornersAndStripsWithoutSeamsOrBleeding) {
  for (const char* name : {"corners2.png", "listedges.png", "textedges.png"}) {
    SCOPED_TRACE(name);
    Picture p = Load(name);
    ASSERT_EQ(p.W(), 16);
    ASSERT_EQ(p.H(), 8);
    EXPECT_TRUE(p.RowsEqual(4, 5, 8, 16) && p.RowsEqual(6, 5, 8, 16)) << "side strips bleed";
    EXPECT_TRUE(p.ColumnsEqual(8, 9, 0, 4) && p.ColumnsEqual(10, 9, 0, 4)) << "top strip bleeds";
    EXPECT_TRUE(p.ColumnsEqual(12, 13, 0, 4) && p.ColumnsEqual(14, 13, 0, 4)) << "bottom strip bleeds";
    for (int i = 0; i < 4; ++i) {
      // The corner row next to a side edge is that edge's cross-section ...
      EXPECT_EQ(p.At(i, 4), p.At(8 + i, 5)) << "top-left / left edge " << i;
      EXPECT_EQ(p.At(i, 3), p.At(8 + i, 5)) << "bottom-left / left edge " << i;
      EXPECT_EQ(p.At(4 + i, 4), p.At(12 + i, 5)) << "top-right / right edge " << i;
      EXPECT_EQ(p.At(4 + i, 3), p.At(12 + i, 5)) << "bottom-right / right edge " << i;
      // ... and the corner column next to the top or bottom edge is its cross-section.
      EXPECT_EQ(p.At(3, 4 + i), p.At(9, i)) << "top-left / top edge " << i;
      EXPECT_EQ(p.At(4, 4 + i), p.At(9, i)) << "top-right / top edge " << i;
      EXPECT_EQ(p.At(3, i), p.At(13, i)) << "bottom-left / bottom edge " << i;
      EXPECT_EQ(p.At(4, i), p.At(13, i)) << "bottom-right / bottom edge " << i;
    }
    EXPECT_GT(p.At(8, 5)[3], p.At(11, 5)[3]) << "left edge: outside more opaque than inside";
    EXPECT_GT(p.At(15, 5)[3], p.At(12, 5)[3]) << "right edge";
    EXPECT_GT(p.At(9, 3)[3], p.At(9, 0)[3]) << "top edge: outside on the image's upper row";
    EXPECT_GT(p.At(13, 0)[3], p.At(13, 3)[3]) << "bottom edge: outside on the image's lowest row";
    EXPECT_LT(p.Alpha(3, 3, 2, 2), p.Alpha(0, 0, 8, 1)) << "the corner frame is hollow";
  }
  Picture raised = Load("corners2.png");
  EXPECT_GT(raised.Light(9, 5, 1, 1), raised.Light(14, 5, 1, 1)) << "left lit, right shaded";
  EXPECT_GT(raised.Light(9, 2, 1, 1), raised.Light(13, 1, 1, 1)) << "top lit, bottom shaded";
}

// A three-slice along the track: thirds of the image length are the caps, the middle
// repeats one texel line at a third of the way.
TEST_F(InterfaceImages, ScrollThumbsHaveTwoCapsAndARepeatableMiddle) {
  for (bool vertical : {true, false}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    Picture p = Load(vertical ? "scrollbar.png" : "scrollbar_h.png");
    int length = vertical ? p.H() : p.W();
    int across = vertical ? p.W() : p.H();
    ASSERT_EQ(length % 3, 0);
    int t = length / 3;
    auto line = [&](int along, int at) { return vertical ? p.At(at, along) : p.At(along, at); };
    auto sameLines = [&](int a, int b) {
      for (int i = 0; i < across; ++i)
        if (line(a, i) != line(b, i)) return false;
      return true;
    };
    for (int along = t - 1; along <= 2 * t; ++along) EXPECT_TRUE(sameLines(along, t)) << "line " << along;
    for (int along = 0; along < t; ++along) {
      for (int i = 0; i < across; ++i) {
        Texel a = line(along, i);
        Texel b = line(length - 1 - along, i);
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(a[c], b[c], 1) << "caps mirror each other at " << along << "," << i;
      }
    }
    double endAlpha = vertical ? p.Alpha(0, 0, across, 1) : p.Alpha(0, 0, 1, across);
    double middleAlpha = vertical ? p.Alpha(0, t, across, 1) : p.Alpha(t, 0, 1, across);
    EXPECT_LT(endAlpha, middleAlpha / 2) << "the caps are rounded";
    Texel lit = vertical ? p.At(3, t) : p.At(t, across - 4);
    Texel shaded = vertical ? p.At(across - 4, t) : p.At(t, 3);
    EXPECT_GT(lit[0] + lit[1] + lit[2], shaded[0] + shaded[1] + shaded[2]) << "lit from the top left";
  }
}

// A horizontal three-slice over the element: left third, one column at a third, right third.
TEST_F(InterfaceImages, EditBodyRepeatsItsMiddleColumnWithoutBleeding) {
  Picture p = Load("edit.png");
  ASSERT_EQ(p.W() % 3, 0);
  int t = p.W() / 3;
  for (int u = t - 1; u <= 2 * t; ++u) EXPECT_TRUE(p.ColumnsEqual(u, t, 0, p.H())) << "column " << u;
  EXPECT_LT(p.At(0, 0)[3], p.At(t, 0)[3]) << "rounded corners";
  EXPECT_GT(p.Alpha(t, p.H() / 2, 1, 1), 200) << "a solid body";
}

// State s (0 down, 1 hover, 2 normal) is frame row s counted from the bottom.
TEST_F(InterfaceImages, ButtonStripsHoldNormalHoverAndDownFramesAndJoinAsThreePieces) {
  Picture whole = Load("button.png");
  TQGUIAnimation frames = Anim("button.png", whole);
  ASSERT_TRUE(frames.animated);
  ASSERT_EQ(frames.frameWidth, whole.W());
  ASSERT_EQ(whole.H(), 3 * frames.frameHeight);
  int fh = frames.frameHeight;
  auto light = [&](const Picture& p, int s) { return p.Light(0, s * fh, p.W(), fh); };
  EXPECT_GT(light(whole, 1), light(whole, 2)) << "hover is brighter than normal";
  EXPECT_GT(light(whole, 2), light(whole, 0)) << "down is darker than normal";

  Picture left = Load("button3_left.png");
  Picture middle = Load("button3_middle.png");
  Picture right = Load("button3_right.png");
  for (const char* name : {"button3_left.png", "button3_middle.png", "button3_right.png"}) {
    Picture piece = Load(name);
    TQGUIAnimation a = Anim(name, piece);
    EXPECT_EQ(a.frameWidth, piece.W()) << name;
    EXPECT_EQ(a.frameHeight, fh) << name;
    EXPECT_EQ(piece.H(), whole.H()) << name;
  }
  for (int u = 0; u < middle.W(); ++u) EXPECT_TRUE(middle.ColumnsEqual(u, 0, 0, middle.H())) << u;
  for (int v = 0; v < whole.H(); ++v) {
    EXPECT_EQ(left.At(left.W() - 1, v), middle.At(0, v)) << "left cap / middle at row " << v;
    EXPECT_EQ(right.At(0, v), middle.At(0, v)) << "right cap / middle at row " << v;
  }
  for (int s = 0; s < 3; ++s) {
    EXPECT_EQ(left.At(0, s * fh + fh / 2), whole.At(0, s * fh + fh / 2)) << "the pieces are the button, cut";
  }
}

// Columns: normal, hover, down, disabled; rows counted from the top.
TEST_F(InterfaceImages, SpriteSheetHasFourDistinctStatesOfDistinctIcons) {
  Picture p = Load("sprites.png");
  TQGUIAnimation cells = Anim("sprites.png", p);
  ASSERT_EQ(cells.frameWidth, 32);
  ASSERT_EQ(cells.frameHeight, 32);
  ASSERT_EQ(p.W(), 4 * 32);
  ASSERT_EQ(p.H() % 32, 0);
  int rows = p.H() / 32;
  EXPECT_GE(rows, 4);
  auto v = [&](int row) { return (rows - 1 - row) * 32; };
  for (int row = 0; row < rows; ++row) {
    for (int a = 0; a < 4; ++a)
      for (int b = a + 1; b < 4; ++b) EXPECT_FALSE(p.BlocksEqual(a * 32, v(row), b * 32, v(row), 32, 32));
    for (int other = row + 1; other < rows; ++other)
      EXPECT_FALSE(p.BlocksEqual(0, v(row), 0, v(other), 32, 32)) << row << " " << other;
    EXPECT_LT(p.Alpha(96, v(row), 32, 32), p.Alpha(0, v(row), 32, 32)) << "disabled is fainter";
    EXPECT_GT(p.Light(32, v(row), 32, 32), p.Light(0, v(row), 32, 32)) << "hover is brighter";
  }
}

TEST_F(InterfaceImages, CheckMarkAndFrameFillTheDefaultCheckBox) {
  Picture mark = Load("check.png");
  Picture frame = Load("checkbox.png");
  EXPECT_EQ(mark.At(0, 0)[3], 0);
  EXPECT_EQ(mark.At(19, 19)[3], 0);
  int solid = 0;
  for (int v = 0; v < mark.H(); ++v)
    for (int u = 0; u < mark.W(); ++u) {
      Texel t = mark.At(u, v);
      if (t[3] > 240 && t[0] > 190 && t[1] > 190 && t[2] > 190) ++solid;
    }
  EXPECT_GT(solid, 20) << "a white mark to tint";
  EXPECT_GT(frame.Alpha(10, 10, 1, 1), 200);
  EXPECT_LT(frame.At(0, 0)[3], frame.At(10, 0)[3]) << "rounded corners";
}

TEST_F(InterfaceImages, DigitStripHasTenDistinctEightPixelCells) {
  Picture p = Load("digits.png");
  ASSERT_EQ(p.W(), 80);
  for (int a = 0; a < 10; ++a) {
    EXPECT_GT(p.Light(a * 8, 0, 8, p.H()), p.Light(0, 0, 1, 1) + 10) << "digit " << a << " has ink";
    for (int b = a + 1; b < 10; ++b) EXPECT_FALSE(p.BlocksEqual(a * 8, 0, b * 8, 0, 8, p.H())) << a << " " << b;
  }
}

TEST_F(InterfaceImages, PanelTileRepeatsWithoutASeam) {
  Picture p = Load("panel.png");
  auto step = [](Texel a, Texel b) {
    int most = 0;
    for (int c = 0; c < 4; ++c) most = std::max(most, std::abs(a[c] - b[c]));
    return most;
  };
  int inside = 0;
  int seam = 0;
  for (int i = 0; i < p.W(); ++i) {
    for (int j = 1; j < p.W(); ++j)
      inside = std::max({inside, step(p.At(j - 1, i), p.At(j, i)), step(p.At(i, j - 1), p.At(i, j))});
    seam = std::max({seam, step(p.At(p.W() - 1, i), p.At(0, i)), step(p.At(i, p.H() - 1), p.At(i, 0))});
  }
  EXPECT_GT(inside, 2) << "not a flat block";
  EXPECT_LE(seam, inside);
  EXPECT_GT(p.Alpha(0, 0, p.W(), p.H()), 150);
}

TEST_F(InterfaceImages, SpinnerSideFileDescribesItsFrameGrid) {
  Picture p = Load("spinner.png");
  TQGUIAnimation a = Anim("spinner.png", p);
  EXPECT_TRUE(a.animated);
  EXPECT_EQ(a.frameCount, 8);
  EXPECT_EQ(a.fps, 12);
  EXPECT_EQ(a.frameWidth, 32);
  EXPECT_EQ(a.frameHeight, 32);
  EXPECT_FALSE(a.bottomUp);
  EXPECT_FALSE(a.pingPong);
  ASSERT_EQ(p.W() % a.frameWidth, 0);
  ASSERT_EQ(p.H() % a.frameHeight, 0);
  int perRow = p.W() / a.frameWidth;
  ASSERT_GE(perRow * (p.H() / a.frameHeight), a.frameCount);
  // Frame f, rows from the top as the side file says.
  auto origin = [&](int f) { return std::pair{f % perRow * a.frameWidth, p.H() - (f / perRow + 1) * a.frameHeight}; };
  auto [u0, v0] = origin(0);
  double mass = p.Alpha(u0, v0, a.frameWidth, a.frameHeight);
  EXPECT_GT(mass, 5);
  for (int f = 1; f < a.frameCount; ++f) {
    auto [u, v] = origin(f);
    auto [pu, pv] = origin(f - 1);
    EXPECT_FALSE(p.BlocksEqual(u, v, pu, pv, a.frameWidth, a.frameHeight)) << "frame " << f;
    EXPECT_NEAR(p.Alpha(u, v, a.frameWidth, a.frameHeight), mass, mass * 0.03) << "the same spinner turned";
  }
}

TEST(InterfaceTool, AFolderItCannotMakeIsAnErrorWithAMessage) {
  ScratchFolder folder("interface_bad");
  fs::path blocker = folder.Write("file", "x");
  fs::path log = folder.Path() / "stderr.txt";
  EXPECT_NE(RunTool((blocker / "inside").string() + " 2>" + log.string()), 0);
  std::string message = ReadAll(log);
  EXPECT_NE(message.find("interfacegen: cannot create the folder"), std::string::npos) << message;
  EXPECT_NE(RunTool("2>" + log.string()), 0) << "the folder is required";
}
