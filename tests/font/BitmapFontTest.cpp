#include <gtest/gtest.h>

#include <sstream>

#include "FontFiles.h"
#include "RecordingRenderer.h"
#include "font/FontBMP.h"
#include "font/ZQFont.h"

namespace {

std::unique_ptr<TZQFont> Read(const std::string& bytes, bool keepPixels = true) {
  auto font = std::make_unique<TZQFont>();
  std::istringstream in(bytes);
  font->Load(in, keepPixels);
  return font;
}

std::vector<uint8_t> Ramp(int count) {
  std::vector<uint8_t> v(count);
  for (int i = 0; i < count; ++i) v[i] = uint8_t(i * 7 + 1);
  return v;
}

// Records: 'A' 3 x 2 with an image; 'B' width 0 (no block even compressed); 'C' 2 x 0
// (a size field, an empty stream); 'D' whose check differs (8 bytes); 'A' again, 2 x 2.
std::string Records(bool compressed) {
  TFileBytes f = ZQHeaderBytes(compressed, 5);
  auto image = [&](const std::vector<uint8_t>& pixels) {
    if (compressed)
      f.Compressed(pixels);
    else
      f.Text(std::string(pixels.begin(), pixels.end()));
  };
  f.U16('A').U16(3).U16(2).U16('A');
  image(Ramp(6));
  f.U16('B').U16(0).U16(9).U16('B');
  f.U16('C').U16(2).U16(0).U16('C');
  image({});
  f.U16('D').U16(5).U16(5).U16('X');
  f.U16('A').U16(2).U16(2).U16('A');
  image({9, 8, 7, 6});
  return f.bytes;
}

}  // namespace

TEST(ZQFont, ReadsBothVariantsRecordByRecord) {
  for (bool compressed : {true, false}) {
    SCOPED_TRACE(compressed);
    auto font = Read(Records(compressed));
    EXPECT_EQ(font->Compressed, compressed);
    EXPECT_EQ(font->GlyphCount, 5);
    EXPECT_EQ(font->HeaderWord1, 20);
    EXPECT_EQ(font->HeaderWord2, 24);
    EXPECT_EQ(font->Glyph('A').Width, 2);  // the later record wins, image included
    EXPECT_EQ(font->Glyph('A').Pixels, (std::vector<uint8_t>{9, 8, 7, 6}));
    EXPECT_EQ(font->Glyph('B').Height, 9);
    EXPECT_TRUE(font->Glyph('B').Pixels.empty());
    EXPECT_EQ(font->Glyph('C').Width, 2);
    EXPECT_EQ(font->Glyph('D').Width, 5);
    EXPECT_EQ(font->Glyph('D').Check, 'X');
    EXPECT_TRUE(font->Glyph('D').Pixels.empty());
    EXPECT_EQ(font->BadImages, 0);

    auto metrics = Read(Records(compressed), false);
    EXPECT_EQ(metrics->Glyph('A').Width, 2);
    EXPECT_TRUE(metrics->Glyph('A').Pixels.empty());
  }
}

TEST(ZQFont, BadFilesLoadAsFarAsTheyGo) {
  EXPECT_EQ(Read("ZQFONT2")->GlyphCount, 0);
  EXPECT_EQ(Read(ZQHeaderBytes(true, 0).bytes)->Glyph('A').Width, 0);

  std::string whole = Records(true);
  for (size_t cut = 0; cut < whole.size(); cut += 3) {
    auto font = Read(whole.substr(0, cut));
    const TZQGlyph& a = font->Glyph('A');
    EXPECT_TRUE(a.Pixels.empty() || a.Pixels.size() == size_t(a.Width) * a.Height);
  }

  // An image that does not inflate keeps its metrics only.
  TFileBytes f = ZQHeaderBytes(true, 2);
  f.U16('A').U16(4).U16(4).U16('A').U32(5).Text("junk!");
  f.U16('B').U16(1).U16(1).U16('B').Compressed({77});
  auto font = Read(f.bytes);
  EXPECT_EQ(font->BadImages, 1);
  EXPECT_EQ(font->Glyph('A').Width, 4);
  EXPECT_TRUE(font->Glyph('A').Pixels.empty());
  EXPECT_EQ(font->Glyph('B').Pixels, std::vector<uint8_t>{77});

  // Images past the size bound keep their metrics only.
  TFileBytes big = ZQHeaderBytes(true, 1);
  big.U16('A').U16(65535).U16(65535).U16('A').Compressed({1, 2, 3});
  auto huge = Read(big.bytes);
  EXPECT_EQ(huge->Glyph('A').Width, 65535);
  EXPECT_TRUE(huge->Glyph('A').Pixels.empty());
  EXPECT_EQ(huge->BadImages, 1);
}

TEST(BitmapFont, ImagesBecomeDrawableCoverageGlyphsSharedAtEveryScale) {
  RecordingRenderer renderer(640, 480);
  std::istringstream in(Records(true));
  TOGL_Font_Base* font = LoadBitmapFont("\\fonts\\small", &in, 1.0L);
  ASSERT_NE(font, nullptr);
  EXPECT_FALSE(font->IsDistanceField);
  EXPECT_EQ(font->CellHeight, 2 + 2);  // the tallest drawable image and a texel each side
  EXPECT_EQ(font->CharAdvance('A'), 3);
  EXPECT_EQ(font->CharAdvance('D'), 1);  // no matching check: undefined
  EXPECT_EQ(font->CharAdvance(' '), 1);

  font->SetColour(1, 1, 1, 1);
  EXPECT_EQ(font->DrawText(u"AB", 10, 20), 3 + 1);
  ASSERT_EQ(renderer.quads.size(), 1u);
  EXPECT_EQ(renderer.quads[0].type, 2);
  EXPECT_FLOAT_EQ(renderer.quads[0].w, 2 + 2);
  EXPECT_EQ(renderer.textures.size(), 1u);

  TOGL_Font_Base* clone = font->CloneAtScale(3.0L);
  EXPECT_EQ(clone, font);
  EXPECT_EQ(font->RefCount(), 2);
  font->Release();
  font->Release();
}

TEST(BitmapFont, PackedImagesKeepTheirPixelsBottomRowFirst) {
  TFileBytes f = ZQHeaderBytes(false, 1);
  f.U16('A').U16(2).U16(2).U16('A').Text(std::string("\x01\x02\x03\x04", 4));
  auto zq = Read(f.bytes);
  std::unique_ptr<TDistanceFieldFont> data(BuildGlyphPages(*zq));
  TCellPlace place;
  ASSERT_TRUE(data->Place(data->Entry('A').Cell, place));
  const std::vector<uint8_t>& page = data->Pages[place.page];
  auto at = [&](int x, int y) { return page[size_t(place.row + 1 + y) * 512 + place.column + 1 + x]; };
  EXPECT_EQ(at(0, 0), 3);
  EXPECT_EQ(at(1, 0), 4);
  EXPECT_EQ(at(0, 1), 1);
  EXPECT_EQ(at(-1, 0), 0);
}
