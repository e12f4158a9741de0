#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <string>
#include <vector>

#include "QGUI/ImageDecode.h"
#include "TestImages.h"

namespace {

using BGRA = std::array<int, 4>;

bool Decode(const std::string& file, TQGUI_Image& image, std::string& error, bool jpeg = false) {
  const auto* data = reinterpret_cast<const uint8_t*>(file.data());
  return jpeg ? DecodeJPEG(data, file.size(), image, error) : DecodePNG(data, file.size(), image, error);
}

// Pixel (x, y) of a decoded image, y counted from the top of the picture.
BGRA At(const TQGUI_Image& image, int x, int y) {
  int channels = image.format == GL_BGR ? 3 : 4;
  const uint8_t* p = &image.pixels[(size_t(image.height - 1 - y) * image.width + x) * channels];
  return {p[0], p[1], p[2], channels == 4 ? p[3] : 255};
}

struct PngCase {
  const char* label;
  int colourType;
  int bitDepth;
  bool interlaced;
};

// Sample values spread over the depth's whole range; 16-bit ones are multiples of
// 257 so they scale to 8 bits exactly.
uint16_t Sample(int depth, int x, int y, int channel) {
  int levels = depth == 16 ? 256 : 1 << depth;
  uint16_t v = uint16_t((x * 7 + y * 13 + channel * 5) % levels);
  return depth == 16 ? uint16_t(v * 257) : v;
}

int To8Bits(int depth, uint16_t v) { return depth == 16 ? v / 257 : v * 255 / ((1 << depth) - 1); }

class PngDecodeTest : public ::testing::TestWithParam<PngCase> {};

// Every colour type and depth against the pixels it should give: truecolour keeps its
// alpha (255 where it has none), palette and grey come out opaque even with alpha.
TEST_P(PngDecodeTest, PixelsComeOutBottomRowFirstAsBGRA) {
  const PngCase& c = GetParam();
  PngSpec spec = MakePngSpec(7, 5, c.colourType, c.bitDepth, c.interlaced);
  int channels = c.colourType == PNG_COLOR_TYPE_RGB_ALPHA    ? 4
                 : c.colourType == PNG_COLOR_TYPE_RGB        ? 3
                 : c.colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                             : 1;
  std::vector<BGRA> expected;
  for (int y = 0; y < spec.height; ++y) {
    for (int x = 0; x < spec.width; ++x) {
      uint16_t s[4];
      for (int ch = 0; ch < channels; ++ch) spec.samples.push_back(s[ch] = Sample(c.bitDepth, x, y, ch));
      int v0 = To8Bits(c.bitDepth, s[0]);
      if (c.colourType == PNG_COLOR_TYPE_PALETTE)
        expected.push_back({(s[0] * 7) % 256, (s[0] * 5) % 256, (s[0] * 3) % 256, 255});
      else if (channels <= 2)
        expected.push_back({v0, v0, v0, 255});
      else
        expected.push_back({To8Bits(c.bitDepth, s[2]), To8Bits(c.bitDepth, s[1]), v0,
                            channels == 4 ? To8Bits(c.bitDepth, s[3]) : 255});
    }
  }
  if (c.colourType == PNG_COLOR_TYPE_PALETTE) {
    for (int i = 0; i < (1 << c.bitDepth); ++i) {
      spec.palette.insert(spec.palette.end(), {uint8_t(i * 3), uint8_t(i * 5), uint8_t(i * 7)});
      spec.paletteAlpha.push_back(0);
    }
  }

  TQGUI_Image image;
  std::string error;
  ASSERT_TRUE(Decode(EncodePNG(spec), image, error)) << error;
  ASSERT_EQ(image.width, 7);
  ASSERT_EQ(image.height, 5);
  EXPECT_EQ(image.format, GLenum(GL_BGRA));
  ASSERT_EQ(image.pixels.size(), size_t(7 * 5 * 4));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(At(image, x, y), expected[y * 7 + x]) << "pixel " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, PngDecodeTest,
    ::testing::Values(
        PngCase{"Palette1", PNG_COLOR_TYPE_PALETTE, 1, false}, PngCase{"Palette2", PNG_COLOR_TYPE_PALETTE, 2, false},
        PngCase{"Palette4", PNG_COLOR_TYPE_PALETTE, 4, false}, PngCase{"Palette8", PNG_COLOR_TYPE_PALETTE, 8, true},
        PngCase{"Grey1", PNG_COLOR_TYPE_GRAY, 1, false}, PngCase{"Grey2", PNG_COLOR_TYPE_GRAY, 2, false},
        PngCase{"Grey4", PNG_COLOR_TYPE_GRAY, 4, false}, PngCase{"Grey8", PNG_COLOR_TYPE_GRAY, 8, true},
        PngCase{"Grey16", PNG_COLOR_TYPE_GRAY, 16, false}, PngCase{"GreyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false},
        PngCase{"GreyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, true},
        PngCase{"Truecolour8", PNG_COLOR_TYPE_RGB, 8, false}, PngCase{"Truecolour16", PNG_COLOR_TYPE_RGB, 16, false},
        PngCase{"TruecolourInterlaced", PNG_COLOR_TYPE_RGB, 8, true},
        PngCase{"TruecolourAlpha8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false},
        PngCase{"TruecolourAlpha16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false},
        PngCase{"TruecolourAlphaInterlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PngDecode, TruecolourKeyColourBecomesTransparentGreyKeyDoesNot) {
  PngSpec rgb = MakePngSpec(2, 1, PNG_COLOR_TYPE_RGB, 8, false, {0, 0, 0, 9, 9, 9});
  rgb.greyKey = true;
  TQGUI_Image image;
  std::string error;
  ASSERT_TRUE(Decode(EncodePNG(rgb), image, error)) << error;
  EXPECT_EQ(At(image, 0, 0), (BGRA{0, 0, 0, 0}));
  EXPECT_EQ(At(image, 1, 0), (BGRA{9, 9, 9, 255}));

  PngSpec grey = MakePngSpec(2, 1, PNG_COLOR_TYPE_GRAY, 8, false, {0, 9});
  grey.greyKey = true;
  ASSERT_TRUE(Decode(EncodePNG(grey), image, error)) << error;
  EXPECT_EQ(At(image, 0, 0), (BGRA{0, 0, 0, 255}));
}

std::string SmallPng() {
  PngSpec spec = MakePngSpec(16, 16, PNG_COLOR_TYPE_RGB_ALPHA, 8, false);
  for (int i = 0; i < 16 * 16 * 4; ++i) spec.samples.push_back(uint16_t((i * 31) % 256));
  return EncodePNG(spec);
}

// Damaged, truncated and absurd files fail with the reason and leave no pixels.
TEST(PngDecode, BadFilesAreRefusedWithAReason) {
  std::string good = SmallPng();
  std::string damaged = good;
  damaged[damaged.size() / 2] ^= 0x55;
  std::vector<std::pair<std::string, std::string>> files = {
      {"damaged", damaged},
      {"truncated", good.substr(0, good.size() / 2)},
      {"header only", good.substr(0, 33)},
      {"empty", ""},
      {"not a png", "GIF89a......"},
      {"huge", WithPngSize(good, 1000000, 1000000)},
      {"claims 16384x4096", WithPngSize(good, 16384, 4096)},
      {"claims 4096x16385", WithPngSize(good, 4096, 16385)},
  };
  for (const auto& [label, file] : files) {
    TQGUI_Image image;
    std::string error;
    EXPECT_FALSE(Decode(file, image, error)) << label;
    EXPECT_FALSE(error.empty()) << label;
    EXPECT_TRUE(image.pixels.empty()) << label;
  }
  TQGUI_Image image;
  std::string error;
  EXPECT_TRUE(Decode(good, image, error)) << error;
}

std::vector<uint8_t> Quadrants(int size, bool grey) {
  // Top half red (grey 200), bottom half blue (grey 40).
  std::vector<uint8_t> pixels;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      bool top = y < size / 2;
      if (grey)
        pixels.push_back(top ? 200 : 40);
      else
        pixels.insert(pixels.end(), {uint8_t(top ? 250 : 0), 0, uint8_t(top ? 0 : 250)});
    }
  return pixels;
}

bool Near(BGRA a, BGRA b) {
  for (int i = 0; i < 4; ++i)
    if (std::abs(a[i] - b[i]) > 6) return false;
  return true;
}

TEST(JpegDecode, BaselineProgressiveAndGreyComeOutBottomRowFirstAsBGR) {
  for (bool progressive : {false, true}) {
    for (bool grey : {false, true}) {
      TQGUI_Image image;
      std::string error;
      ASSERT_TRUE(Decode(EncodeJPEG(32, 32, Quadrants(32, grey), grey, progressive), image, error, true)) << error;
      ASSERT_EQ(image.width, 32);
      ASSERT_EQ(image.height, 32);
      EXPECT_EQ(image.format, GLenum(GL_BGR));
      ASSERT_EQ(image.pixels.size(), size_t(32 * 32 * 3));
      BGRA top = grey ? BGRA{200, 200, 200, 255} : BGRA{0, 0, 250, 255};
      BGRA bottom = grey ? BGRA{40, 40, 40, 255} : BGRA{250, 0, 0, 255};
      EXPECT_TRUE(Near(At(image, 4, 4), top)) << progressive << grey;
      EXPECT_TRUE(Near(At(image, 27, 27), bottom)) << progressive << grey;
      EXPECT_TRUE(Near({image.pixels[0], image.pixels[1], image.pixels[2], 255}, bottom)) << "first stored row";
    }
  }
}

TEST(JpegDecode, BadFilesAreRefusedWithAReason) {
  std::string good = EncodeJPEG(64, 64, Quadrants(64, false), false, true);
  std::string damaged = good;
  for (size_t i = 2; i < 40; ++i) damaged[i] = char(i * 37);
  std::string huge = EncodeJPEG(8, 8, Quadrants(8, false), false, false);
  size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  huge[sof + 5] = huge[sof + 6] = huge[sof + 7] = huge[sof + 8] = char(0xFF);  // 65535 x 65535
  std::vector<std::pair<std::string, std::string>> files = {
      {"damaged", damaged},
      {"truncated", good.substr(0, good.size() / 2)},
      {"header only", good.substr(0, 20)},
      {"empty", ""},
      {"huge", huge},
  };
  for (const auto& [label, file] : files) {
    TQGUI_Image image;
    std::string error;
    EXPECT_FALSE(Decode(file, image, error, true)) << label;
    EXPECT_FALSE(error.empty()) << label;
    EXPECT_TRUE(image.pixels.empty()) << label;
  }
}

}  // namespace
