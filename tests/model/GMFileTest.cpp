#include <gtest/gtest.h>

#include "GMBytes.h"
#include "model/GMFile.h"

namespace {

TGM_File Load(const GMBytes& bytes) {
  TGM_File file;
  auto in = bytes.Stream();
  file.Load(in);
  return file;
}

TGM_File OneFrame(char encoding, unsigned width, unsigned height, const std::vector<uint8_t>& data) {
  return Load(GMBytes().Header(encoding, 1).Frame(0, 0, width, height, data));
}

std::vector<uint8_t> Zeros(size_t n) { return std::vector<uint8_t>(n, 0); }

}  // namespace

TEST(GMFileHeader, ExtraBlockIsSkippedAndLetterUpperCased) {
  GMBytes bytes;
  bytes.U32(0xDEADBEEF).U16(3).Raw({'Q', 'Q', 'Q'}).U8('q').U16(1).Frame(0, 0, 2, 1, {7, 8});
  TGM_File file = Load(bytes);
  EXPECT_EQ(file.Encoding(), 'Q');
  ASSERT_EQ(file.FrameCount(), 1);
  EXPECT_EQ(file.GetFrame(0).main, (std::vector<uint8_t>{7, 8}));

  TGM_File noExtra = OneFrame('x', 3, 1, {0xC3, 1, 2, 3});
  EXPECT_EQ(noExtra.Encoding(), 'X');
  EXPECT_EQ(noExtra.GetFrame(0).main, (std::vector<uint8_t>{1, 2, 3}));
}

TEST(GMFileHeader, LowerCaseLettersDecodeLikeUpperCase) {
  for (char letter : {'z', 'x', 's', 'q', 'a', 'e'}) {
    std::vector<uint8_t> data = {0x81, 0x22, 0x11, 0x02};
    if (letter == 'z') data = {0, 0, 0, 0, 5, 9};
    TGM_File lower = OneFrame(letter, 2, 1, data);
    TGM_File upper = OneFrame(static_cast<char>(letter - 32), 2, 1, data);
    EXPECT_EQ(lower.GetFrame(0).main, upper.GetFrame(0).main) << letter;
    EXPECT_EQ(lower.GetFrame(0).aux, upper.GetFrame(0).aux) << letter;
    EXPECT_EQ(lower.GetFrame(0).alpha, upper.GetFrame(0).alpha) << letter;
  }
}

TEST(GMFileHeader, EmptyFramesConsumeNoData) {
  GMBytes bytes;
  bytes.Header('Q', 3);
  bytes.U16(0).U16(0).U16(5).U32(4);  // width 0, DataSize 4: no data bytes follow
  bytes.Frame(1, 2, 2, 1, {4, 5});
  bytes.U16(0).U16(3).U16(3).U32(0);  // DataSize 0
  TGM_File file = Load(bytes);
  ASSERT_EQ(file.FrameCount(), 3);
  EXPECT_FALSE(file.GetFrame(0).HasPlanes());
  EXPECT_EQ(file.GetFrame(0).height, 5);
  EXPECT_EQ(file.GetFrame(1).main, (std::vector<uint8_t>{4, 5}));
  EXPECT_EQ(file.GetFrame(1).offsetX, 1);
  EXPECT_EQ(file.GetFrame(1).offsetY, 2);
  EXPECT_FALSE(file.GetFrame(2).HasPlanes());
  EXPECT_EQ(file.GetFrame(2).width, 3);
}

TEST(GMFileHeader, NoFramesGivesEmptyCanvas) {
  TGM_File file = Load(GMBytes().Header('Z', 0));
  EXPECT_EQ(file.FrameCount(), 0);
  EXPECT_EQ(file.CanvasWidth(), 0);
  EXPECT_EQ(file.CanvasHeight(), 0);
}

TEST(GMFileHeader, ShortInfoBlockGivesPartialOffsets) {
  GMBytes bytes;
  bytes.Header('Q', 2);
  bytes.U16(3).Raw({0xFE, 0xFF, 0x07}).U16(1).U16(1).U32(1).U8(9);  // OffsetX -2, OffsetY from one byte
  bytes.U16(6).Raw({1, 0, 2, 0, 0xAA, 0xBB}).U16(1).U16(1).U32(1).U8(3);
  TGM_File file = Load(bytes);
  EXPECT_EQ(file.GetFrame(0).offsetX, -2);
  EXPECT_EQ(file.GetFrame(0).offsetY, 7);
  EXPECT_EQ(file.GetFrame(0).main, (std::vector<uint8_t>{9}));
  EXPECT_EQ(file.GetFrame(1).info.size(), 6u);
  EXPECT_EQ(file.GetFrame(1).offsetX, 1);
  EXPECT_EQ(file.GetFrame(1).main, (std::vector<uint8_t>{3}));
}

TEST(GMFileDecode, ZSkipsRowTableAndPairs) {
  // Row table of 2 rows (arbitrary contents), then index 5 aux 9, a skip of 2, (0, 0), index 7 aux 1.
  GMFrame f = OneFrame('Z', 3, 2, {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 5, 9, 0, 2, 0, 0, 7, 1}).GetFrame(0);
  EXPECT_EQ(f.main, (std::vector<uint8_t>{5, 0, 0, 7, 0, 0}));
  EXPECT_EQ(f.aux, (std::vector<uint8_t>{9, 0, 0, 1, 0, 0}));
  EXPECT_TRUE(f.alpha.empty());
}

TEST(GMFileDecode, XControlBytes) {
  // Literal 3, repeat 3 of 4, skip 5, literal 1.
  GMFrame f = OneFrame('X', 12, 1, {0xC3, 1, 2, 3, 0x83, 4, 0x05, 0xC1, 9}).GetFrame(0);
  EXPECT_EQ(f.main, (std::vector<uint8_t>{1, 2, 3, 4, 4, 4, 0, 0, 0, 0, 0, 9}));
}

TEST(GMFileDecode, SRunsAndQRaw) {
  EXPECT_EQ(OneFrame('S', 6, 1, {0x82, 0x01, 0x83}).GetFrame(0).main, (std::vector<uint8_t>{1, 1, 0, 1, 1, 1}));
  EXPECT_EQ(OneFrame('Q', 2, 2, {1, 2, 3, 4}).GetFrame(0).main, (std::vector<uint8_t>{1, 2, 3, 4}));
  // A raw frame whose size does not match stays transparent.
  EXPECT_EQ(OneFrame('Q', 2, 2, {1, 2, 3}).GetFrame(0).main, Zeros(4));
  EXPECT_EQ(OneFrame('?', 2, 1, {1, 2}).GetFrame(0).main, Zeros(2));
}

TEST(GMFileDecode, AOpacityLevelsAndUnpremultiply) {
  // 0x80: opacity 252; colour 0xFFFF → red 251, green 255, blue 251.
  GMFrame f = OneFrame('A', 1, 1, {0x80, 0xFF, 0xFF}).GetFrame(0);
  EXPECT_EQ(f.alpha, (std::vector<uint8_t>{252}));
  EXPECT_EQ(f.main, (std::vector<uint8_t>{251, 255, 251}));  // blue, green, red
  // 0x81: opacity 28; the same colour clamps to white.
  f = OneFrame('A', 1, 1, {0x81, 0xFF, 0xFF}).GetFrame(0);
  EXPECT_EQ(f.alpha, (std::vector<uint8_t>{28}));
  EXPECT_EQ(f.main, (std::vector<uint8_t>{255, 255, 255}));
  // Levels n and n + 8 give the same opacity; bits 4 to 6 are ignored.
  const int expected[8] = {252, 28, 60, 92, 124, 156, 188, 220};
  for (int level = 0; level < 16; ++level) {
    f = OneFrame('A', 1, 1, {static_cast<uint8_t>(0xF0 | level), 0, 0}).GetFrame(0);
    EXPECT_EQ(f.alpha[0], expected[level % 8]) << level;
  }
  // Pure red 0xF800 at opacity 124: 248 / 124 * 255 clamps to 255.
  f = OneFrame('A', 1, 1, {0x84, 0x00, 0xF8}).GetFrame(0);
  EXPECT_EQ(f.main, (std::vector<uint8_t>{0, 0, 255}));
}

TEST(GMFileDecode, ASkipsWithZeroMeaning128) {
  GMFrame f = OneFrame('A', 130, 1, {0x00, 0x01, 0x80, 0x1F, 0x00}).GetFrame(0);
  EXPECT_EQ(f.alpha[128], 0);
  EXPECT_EQ(f.alpha[129], 252);
  EXPECT_EQ(f.main[3 * 129], 251);  // blue 248 at opacity 252
  EXPECT_EQ(f.main[3 * 129 + 2], 0);
}

TEST(GMFileDecode, EIntensityInBlue) {
  GMFrame f = OneFrame('E', 3, 1, {0, 200, 1}).GetFrame(0);
  EXPECT_EQ(f.alpha, (std::vector<uint8_t>{0, 255, 255}));
  EXPECT_EQ(f.main, (std::vector<uint8_t>{0, 0, 0, 200, 0, 0, 1, 0, 0}));
}

// Runs, skips and literals that would pass the end of the plane end the frame; what came
// before stays, nothing is written outside.
TEST(GMFileBadInput, RunsPastThePlaneEndTheFrame) {
  EXPECT_EQ(OneFrame('X', 4, 1, {0x81, 6, 0xC4, 1, 2, 3, 4, 0x81, 9}).GetFrame(0).main,
            (std::vector<uint8_t>{6, 0, 0, 0}));
  EXPECT_EQ(OneFrame('X', 4, 1, {0xC1, 3, 0x7F, 0x81, 5}).GetFrame(0).main, (std::vector<uint8_t>{3, 0, 0, 0}));
  EXPECT_EQ(OneFrame('S', 4, 1, {0x82, 0x85}).GetFrame(0).main, (std::vector<uint8_t>{1, 1, 0, 0}));
  EXPECT_EQ(OneFrame('Z', 2, 1, {0, 0, 0, 0, 3, 1, 0, 200, 4, 4}).GetFrame(0).main, (std::vector<uint8_t>{3, 0}));
  EXPECT_EQ(OneFrame('A', 2, 1, {0x80, 0, 0, 0x00, 0x80, 0, 0}).GetFrame(0).alpha, (std::vector<uint8_t>{252, 0}));
  EXPECT_EQ(OneFrame('E', 2, 1, {1, 2, 3, 4}).GetFrame(0).alpha, (std::vector<uint8_t>{255, 255}));
  // A literal or colour whose bytes pass DataSize reads nothing beyond it.
  EXPECT_EQ(OneFrame('X', 4, 1, {0xC3, 1}).GetFrame(0).main, Zeros(4));
  EXPECT_EQ(OneFrame('A', 1, 1, {0x80, 0xFF}).GetFrame(0).alpha, Zeros(1));
  // "Z" data shorter than its row table decodes nothing.
  EXPECT_EQ(OneFrame('Z', 1, 2, {1, 1, 1, 1, 1, 1}).GetFrame(0).main, Zeros(2));
}

TEST(GMFileBadInput, TruncatedFilesKeepWhatWasRead) {
  GMBytes bytes;
  bytes.Header('X', 3).Frame(0, 0, 2, 1, {0xC2, 1, 2}).Frame(0, 0, 4, 1, {0xC4, 5, 6, 7, 8});
  std::string whole = bytes.Str();
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    std::istringstream in(whole.substr(0, cut));
    TGM_File file;
    file.Load(in);
    EXPECT_FALSE(file.Complete()) << cut;
    for (int i = 0; i < file.FrameCount(); ++i) {
      const GMFrame& f = file.GetFrame(i);
      if (f.HasPlanes()) {
        EXPECT_EQ(f.main.size(), size_t(f.width) * f.height) << cut;
      }
    }
  }
  EXPECT_TRUE(Load(GMBytes().Header('X', 1).Frame(0, 0, 2, 1, {0xC2, 1, 2})).Complete());
  // Cut inside the second frame's literal: that literal is dropped whole, frame 3 is empty.
  std::istringstream in(whole.substr(0, whole.size() - 2));
  TGM_File file;
  file.Load(in);
  ASSERT_EQ(file.FrameCount(), 3);
  EXPECT_EQ(file.GetFrame(0).main, (std::vector<uint8_t>{1, 2}));
  EXPECT_FALSE(file.GetFrame(2).HasPlanes());
  EXPECT_EQ(file.GetFrame(2).width, 0);
}

TEST(GMFileBadInput, AbsurdSizesAllocateNothingAbsurd) {
  GMBytes bytes;
  bytes.Header('X', 3);
  bytes.U16(0).U16(65535).U16(65535).U32(0x7FFFFFFF).Raw({0x81, 1});  // 4 G pixels, 2 GB of data claimed
  TGM_File file = Load(bytes);
  ASSERT_EQ(file.FrameCount(), 3);
  EXPECT_FALSE(file.GetFrame(0).HasPlanes());
  EXPECT_EQ(file.GetFrame(0).width, 65535);

  // A frame within the limits whose data claim exceeds the file reads only what is there.
  GMBytes big;
  big.Header('E', 1).U16(0).U16(1000).U16(1000).U32(0x7FFFFFFF).Raw({5, 6});
  TGM_File bigFile = Load(big);
  EXPECT_EQ(bigFile.GetFrame(0).alpha[1], 255);
  EXPECT_EQ(bigFile.GetFrame(0).alpha[2], 0);

  // A frame too large to decode is skipped; a file without its data is still short.
  GMBytes skipped;
  skipped.Header('X', 1).U16(0).U16(2000).U16(2000).U32(1000).Raw({0x81, 1});
  EXPECT_FALSE(Load(skipped).Complete());

  // Negative DataSize means no data.
  GMBytes negative;
  negative.Header('Q', 1).U16(0).U16(1).U16(1).U32(0xFFFFFFFF).U8(3);
  EXPECT_FALSE(Load(negative).GetFrame(0).HasPlanes());
}

TEST(GMFileBadInput, FilePixelBudgetLeavesLaterFramesEmpty) {
  GMBytes bytes;
  const int frames = static_cast<int>(TGM_File::kMaxFilePixels / TGM_File::kMaxFramePixels) + 1;
  bytes.Header('S', static_cast<unsigned>(frames));
  for (int i = 0; i < frames; ++i) bytes.U16(0).U16(1024).U16(1024).U32(1).U8(0x81);
  TGM_File file = Load(bytes);
  EXPECT_TRUE(file.GetFrame(frames - 2).HasPlanes());
  EXPECT_FALSE(file.GetFrame(frames - 1).HasPlanes());
}

TEST(GMFileCanvas, CentredFramesAndOffsets) {
  auto canvas = [](std::vector<std::array<int, 4>> frames) {
    std::vector<GMFrame> list;
    for (auto [w, h, x, y] : frames) {
      GMFrame f;
      f.width = static_cast<uint16_t>(w);
      f.height = static_cast<uint16_t>(h);
      f.offsetX = static_cast<int16_t>(x);
      f.offsetY = static_cast<int16_t>(y);
      list.push_back(f);
    }
    int32_t cw = 0;
    int32_t ch = 0;
    TGM_File::CanvasSize(list, cw, ch);
    return std::pair{cw, ch};
  };
  EXPECT_EQ(canvas({{5, 3, 0, 0}}), std::pair(10, 6));
  EXPECT_EQ(canvas({{10, 10, -20, 0}}), std::pair(40, 20));
  EXPECT_EQ(canvas({{7, 5, -3, -2}}), std::pair(8, 6));  // centred frame: rounded up to even
  EXPECT_EQ(canvas({{4, 4, -2, -2}, {2, 9, 3, 1}}), std::pair(10, 20));
  EXPECT_EQ(canvas({{1, 1, -32768, 32767}}), std::pair(65536, 65536));
  EXPECT_EQ(OneFrame('Q', 5, 3, Zeros(15)).CanvasWidth(), 10);
}
