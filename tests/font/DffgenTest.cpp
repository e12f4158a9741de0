// The font generator checked against FreeType and against the font readers.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "DistanceField.h"
#include "FontBuilder.h"
#include "FontWriter.h"
#include "ScratchFolder.h"
#include "font/DistanceFieldFont.h"
#include "font/ZQFont.h"

namespace {

namespace fs = std::filesystem;

const char* kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct FreeTypeFace {
  FreeTypeFace(const char* path, int size) {
    FT_Init_FreeType(&library);
    FT_New_Face(library, path, 0, &face);
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(size));
  }
  ~FreeTypeFace() {
    FT_Done_Face(face);
    FT_Done_FreeType(library);
  }
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

TBuiltFont Build(const std::string& ranges, int size, int margin, bool distanceField) {
  TBuildOptions options;
  options.pixelSize = size;
  options.margin = margin;
  options.distanceField = distanceField;
  EXPECT_TRUE(ParseRanges(ranges, options.ranges));
  TBuiltFont font;
  EXPECT_EQ(BuildFont(kSans, options, font), "");
  return font;
}

const TBuiltGlyph& GlyphOf(const TBuiltFont& font, char32_t code) {
  for (const TBuiltGlyph& g : font.glyphs)
    if (g.code == code) return g;
  static TBuiltGlyph none;
  ADD_FAILURE() << "no glyph " << uint32_t(code);
  return none;
}

}  // namespace

TEST(Dffgen, AdvancesAreTheFontsOwnAtTheChosenSize) {
  const int size = 33;
  TBuiltFont font = Build("0x20-0x7E,0x416", size, 4, false);
  ASSERT_EQ(font.glyphs.size(), 96u);
  FreeTypeFace ft(kSans, size);
  const FT_Size_Metrics& m = ft.face->size->metrics;
  EXPECT_EQ(font.lineHeight, int((m.ascender - m.descender) / 64));
  for (const TBuiltGlyph& g : font.glyphs) {
    ASSERT_EQ(FT_Load_Char(ft.face, g.code, FT_LOAD_NO_HINTING), 0);
    EXPECT_EQ(g.advance, std::lround(ft.face->glyph->linearHoriAdvance / 65536.0)) << uint32_t(g.code);
  }
}

TEST(Dffgen, DistanceFieldIsPositiveInsideNegativeOutsideAndHalfOnTheOutline) {
  const int size = 40, margin = 6;
  TBuiltFont font = Build("0x49,0x4F,0x6C", size, margin, true);  // I O l
  FreeTypeFace ft(kSans, size);
  const int ascender = int(std::ceil(ft.face->ascender * double(size) / ft.face->units_per_EM));
  int inside = 0, outside = 0, edge = 0;
  for (char32_t code : {U'I', U'O', U'l'}) {
    SCOPED_TRACE(uint32_t(code));
    const TBuiltGlyph& g = GlyphOf(font, code);
    const int w = font.ImageWidth(g), h = font.ImageHeight();
    ASSERT_EQ(g.image.size(), size_t(w) * h);
    ASSERT_EQ(FT_Load_Char(ft.face, code, FT_LOAD_NO_HINTING | FT_LOAD_RENDER), 0);
    const FT_Bitmap& bmp = ft.face->glyph->bitmap;
    auto coverage = [&](int x, int y) {
      const int bx = x - margin - ft.face->glyph->bitmap_left;
      const int by = y - margin - ascender + ft.face->glyph->bitmap_top;
      if (bx < 0 || by < 0 || bx >= int(bmp.width) || by >= int(bmp.rows)) return 0;
      return int(bmp.buffer[by * bmp.pitch + bx]);
    };
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const int value = g.image[size_t(y) * w + x], c = coverage(x, y);
        if (c == 255) {
          EXPECT_GT(value, 128) << x << "," << y;
          ++inside;
        } else if (c == 0 && coverage(x - 1, y) == 0 && coverage(x + 1, y) == 0 && coverage(x, y - 1) == 0 &&
                   coverage(x, y + 1) == 0) {
          EXPECT_LT(value, 128) << x << "," << y;
          ++outside;
        } else if (c > 96 && c < 160) {
          EXPECT_NEAR(value, 128, 24) << x << "," << y;
          ++edge;
        }
      }
    }
  }
  EXPECT_GT(inside, 100);
  EXPECT_GT(outside, 500);
  EXPECT_GT(edge, 10);
  // Far outside the glyph the field is at its floor.
  EXPECT_EQ(GlyphOf(font, U'I').image[0], 0);
}

TEST(Dffgen, ExactDistancesOnASquare) {
  // A 4 x 4 block inside a 12 x 12 image: distances are exact, with the edge between pixels.
  std::vector<uint8_t> image(144, 0);
  for (int y = 4; y < 8; ++y)
    for (int x = 4; x < 8; ++x) image[y * 12 + x] = 255;
  std::vector<float> d = SignedDistance(image, 12, 12);
  EXPECT_FLOAT_EQ(d[5 * 12 + 5], 1.5f);
  EXPECT_FLOAT_EQ(d[5 * 12 + 4], 0.5f);
  EXPECT_FLOAT_EQ(d[5 * 12 + 3], -0.5f);
  EXPECT_FLOAT_EQ(d[5 * 12 + 0], -3.5f);
  EXPECT_FLOAT_EQ(d[0], 0.5f - std::sqrt(32.0f));
  EXPECT_EQ(SignedDistance(std::vector<uint8_t>(4, 0), 2, 2)[0], 0.5f - 1e10f);

  // Downsampled 2:1 with a spread of 2 texels: along a straight edge the texel centre's
  // distance is exact; 255 from 2 texels inside, 0 from 2 outside.
  std::vector<uint8_t> half(144, 0);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 6; ++x) half[y * 12 + x] = 255;
  std::vector<uint8_t> encoded = EncodeDistance(SignedDistance(half, 12, 12), 12, 12, 2, 2.0f);
  ASSERT_EQ(encoded.size(), 36u);
  EXPECT_EQ(encoded[6 + 1], std::lround((0.5 + 1.5 / 4) * 255));
  EXPECT_EQ(encoded[6 + 2], std::lround((0.5 + 0.5 / 4) * 255));
  EXPECT_EQ(encoded[6 + 3], std::lround((0.5 - 0.5 / 4) * 255));
  EXPECT_EQ(encoded[6 + 0], 255);
  EXPECT_EQ(encoded[6 + 5], 0);
}

TEST(Dffgen, WrittenFilesReadBackThroughTheFontReaders) {
  TBuiltFont df = Build("0x20-0x7E", 24, 4, true);
  for (int version : {1, 2, 3}) {
    SCOPED_TRACE(version);
    std::stringstream file;
    ASSERT_EQ(WriteDFF(df, version, file), "");
    TDistanceFieldFont data;
    data.Load(file);
    EXPECT_EQ(data.Version, version);
    EXPECT_TRUE(data.IsDistanceField);
    EXPECT_EQ(data.BadPages, 0);
    EXPECT_EQ(data.Margin, 4);
    EXPECT_EQ(data.CellHeight, df.lineHeight + 8);
    const TBuiltGlyph& g = GlyphOf(df, U'g');
    const TGlyph& entry = data.Entry('g');
    EXPECT_EQ(entry.Advance, g.advance);
    EXPECT_EQ(entry.Height, df.lineHeight);
    EXPECT_EQ(data.Entry(' ').Advance, GlyphOf(df, U' ').advance);
    EXPECT_EQ(data.Entry(' ').Cell, 0);
    TCellPlace place;
    ASSERT_TRUE(data.Place(entry.Cell, place));
    const int w = df.ImageWidth(g), h = df.ImageHeight();
    for (int y = 0; y < h; y += 3)
      for (int x = 0; x < w; x += 3)
        ASSERT_EQ(data.Pages[place.page][size_t(place.row + y) * 512 + place.column + x],
                  g.image[size_t(h - 1 - y) * w + x]);
  }

  TBuiltFont plain = Build("0x41-0x5A", 16, 0, false);
  for (bool compressed : {true, false}) {
    std::stringstream file;
    ASSERT_EQ(WriteZQFont(plain, compressed, file), "");
    TZQFont zq;
    zq.Load(file, true);
    EXPECT_EQ(zq.Compressed, compressed);
    EXPECT_EQ(zq.GlyphCount, 27);  // A-Z and the space
    EXPECT_EQ(zq.Glyph('Q').Width, GlyphOf(plain, U'Q').advance);
    EXPECT_EQ(zq.Glyph('Q').Pixels, GlyphOf(plain, U'Q').image);
  }

  std::stringstream sink;
  EXPECT_NE(WriteDFF(df, 4, sink), "");
  EXPECT_NE(WriteDFF(plain, 1, sink), "");
  EXPECT_NE(WriteZQFont(df, true, sink), "");
}

TEST(Dffgen, RangesParseAndReject) {
  TCharRanges ranges;
  ASSERT_TRUE(ParseRanges("0x20-0x7E,65,0x400-0x4ff", ranges));
  EXPECT_EQ(ranges, (TCharRanges{{0x20, 0x7E}, {65, 65}, {0x400, 0x4FF}}));
  for (const char* bad : {"", "x", "0x7E-0x20", "1-", "0x10000", "5,,6"}) EXPECT_FALSE(ParseRanges(bad, ranges)) << bad;
  TBuildOptions options;
  TBuiltFont font;
  EXPECT_NE(BuildFont("/nonexistent.ttf", options, font), "");
}

// A glyph size whose cells cannot be packed is refused before any glyph is rendered (the
// progress callback counts rendered glyphs), and only regular files are read as fonts.
TEST(Dffgen, RefusesWhatCannotBeBuiltBeforeRendering) {
  TBuildOptions options;
  options.pixelSize = 400;
  options.margin = 64;
  options.oversample = 16;
  options.maxCell = kDFFPage;
  int rendered = 0;
  options.progress = [&rendered](int, int) { ++rendered; };
  TBuiltFont font;
  std::string error = BuildFont(kSans, options, font);
  EXPECT_EQ(error.rfind("a ", 0), 0u) << error;
  EXPECT_NE(error.find(" glyph cell does not fit a 512 x 512 page"), std::string::npos) << error;
  EXPECT_EQ(rendered, 0);

  ScratchFolder folder("dffgen");
  for (const fs::path& path : {folder.Fifo("fifo.ttf"), folder.Link("zero.ttf", "/dev/zero")})
    EXPECT_EQ(BuildFont(path.string(), options, font),
              "cannot read font \"" + path.string() + "\": not a regular file");
  EXPECT_EQ(rendered, 0);
}
