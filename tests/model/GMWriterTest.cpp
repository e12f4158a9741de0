#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "model/GMFile.h"
#include "model/GMWriter.h"

namespace {

// Random frames of what each encoding can hold, with long runs so that every run-length
// limit (63, 127, 128, 255) is crossed.
class FrameMaker {
 public:
  explicit FrameMaker(char encoding, uint32_t seed) : encoding_(encoding), random_(seed) {}

  GMFrame Make(int width, int height) {
    GMFrame f;
    f.width = static_cast<uint16_t>(width);
    f.height = static_cast<uint16_t>(height);
    f.offsetX = static_cast<int16_t>(Int(-40, 40));
    f.offsetY = static_cast<int16_t>(Int(-40, 40));
    size_t n = size_t(width) * height;
    bool colour = IsColourEncoding(encoding_);
    f.main.assign(colour ? 3 * n : n, 0);
    f.aux.assign(encoding_ == 'Z' ? n : 0, 0);
    f.alpha.assign(colour ? n : 0, 0);
    for (size_t p = 0; p < n;) {
      size_t run = static_cast<size_t>(Int(1, Int(0, 3) == 0 ? 300 : 4));
      bool same = Int(0, 1) == 0;
      Pixel(f, p);
      for (size_t i = 1; i < run && p + i < n; ++i) {
        if (same) {
          Copy(f, p, p + i);
        } else {
          Pixel(f, p + i);
        }
      }
      p += run;
    }
    return f;
  }

 private:
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

  void Pixel(GMFrame& f, size_t p) {
    bool empty = Int(0, 2) == 0;
    switch (encoding_) {
      case 'S':
        f.main[p] = empty ? 0 : 1;
        break;
      case 'Z':
        f.main[p] = empty ? 0 : static_cast<uint8_t>(Int(1, 255));
        f.aux[p] = empty ? 0 : static_cast<uint8_t>(Int(0, 255));
        break;
      case 'A': {
        if (empty) break;
        // Any stored value decodes to a colour the encoder must find again.
        GMFrame one;
        one.width = one.height = 1;
        std::vector<uint8_t> data = {static_cast<uint8_t>(0x80 | Int(0, 7)), static_cast<uint8_t>(Int(0, 255)),
                                     static_cast<uint8_t>(Int(0, 255))};
        TGM_File::Decode('A', data, 3, one);
        std::copy_n(one.main.begin(), 3, &f.main[3 * p]);
        f.alpha[p] = one.alpha[0];
        break;
      }
      case 'E':
        if (empty) break;
        f.main[3 * p] = static_cast<uint8_t>(Int(1, 255));
        f.alpha[p] = 255;
        break;
      default:
        f.main[p] = empty ? 0 : static_cast<uint8_t>(Int(0, 255));
        break;
    }
  }

  void Copy(GMFrame& f, size_t from, size_t to) {
    int channels = IsColourEncoding(encoding_) ? 3 : 1;
    std::copy_n(&f.main[channels * from], channels, &f.main[channels * to]);
    if (!f.aux.empty()) f.aux[to] = f.aux[from];
    if (!f.alpha.empty()) f.alpha[to] = f.alpha[from];
  }

  char encoding_;
  std::mt19937 random_;
};

TGM_File Decode(const std::string& bytes) {
  std::istringstream in(bytes);
  TGM_File file;
  file.Load(in);
  return file;
}

}  // namespace

TEST(GMWriter, RoundTripsEveryEncoding) {
  const std::vector<std::pair<int, int>> sizes = {{1, 1}, {3, 2}, {40, 40}, {300, 2}, {2, 300}, {64, 17}, {1, 1000}};
  for (char encoding : {'Z', 'X', 'S', 'Q', 'A', 'E'}) {
    FrameMaker maker(encoding, static_cast<uint32_t>(encoding));
    std::vector<GMFrame> frames;
    for (int round = 0; round < 3; ++round)
      for (auto [w, h] : sizes) frames.push_back(maker.Make(w, h));
    TGM_File file = Decode(EncodeGM(encoding, frames));
    ASSERT_EQ(file.Encoding(), encoding);
    ASSERT_EQ(file.FrameCount(), static_cast<int>(frames.size()));
    for (size_t i = 0; i < frames.size(); ++i) {
      const GMFrame& in = frames[i];
      const GMFrame& out = file.GetFrame(static_cast<int>(i));
      SCOPED_TRACE(testing::Message() << encoding << " frame " << i);
      EXPECT_EQ(out.width, in.width);
      EXPECT_EQ(out.height, in.height);
      EXPECT_EQ(out.offsetX, in.offsetX);
      EXPECT_EQ(out.offsetY, in.offsetY);
      EXPECT_EQ(out.main, in.main);
      EXPECT_EQ(out.aux, in.aux);
      EXPECT_EQ(out.alpha, in.alpha);
    }
  }
}

TEST(GMWriter, KeepsWhatEachEncodingCanHold) {
  GMFrame f;
  f.width = 3;
  f.height = 1;
  f.main = {0, 5, 9};
  f.aux = {7, 1, 2};
  // "Z" drops an auxiliary byte under index 0; "S" keeps only the mask.
  EXPECT_EQ(Decode(EncodeGM('Z', {f})).GetFrame(0).aux, (std::vector<uint8_t>{0, 1, 2}));
  EXPECT_EQ(Decode(EncodeGM('S', {f})).GetFrame(0).main, (std::vector<uint8_t>{0, 1, 1}));

  // "A" picks the nearest opacity level and the nearest colour at it.
  GMFrame c;
  c.width = 1;
  c.height = 1;
  c.main = {10, 128, 200};
  c.alpha = {100};
  GMFrame back = Decode(EncodeGM('A', {c})).GetFrame(0);
  EXPECT_EQ(back.alpha[0], 92);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(back.main[i], c.main[i], 12) << i;
}

TEST(GMWriter, Palette16KeepsTheTopBits) {
  std::array<uint8_t, 768> palette{};
  palette[3 * 7] = 0xFF;      // blue
  palette[3 * 7 + 1] = 0x87;  // green
  palette[3 * 7 + 2] = 0xF9;  // red
  std::string bytes = EncodePalette16(palette);
  ASSERT_EQ(bytes.size(), 512u);
  unsigned v = static_cast<uint8_t>(bytes[14]) | static_cast<uint8_t>(bytes[15]) << 8;
  EXPECT_EQ(v, (0xF9u >> 3) << 11 | (0x87u >> 2) << 5 | 0xFFu >> 3);
}
