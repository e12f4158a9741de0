#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "FontFiles.h"
#include "RecordingRenderer.h"
#include "font/FontDFF.h"

namespace {

struct FontDeleter {
  void operator()(TOGL_Font_Base* f) const { f->Release(true); }
};
using FontPtr = std::unique_ptr<TOGL_Font_Base, FontDeleter>;

FontPtr Load(const std::string& bytes, long double scale = 1.0L) {
  std::istringstream in(bytes);
  return FontPtr(LoadDistanceFieldFont("test.dff", &in, scale));
}

TDistanceFieldFont& DataOf(const FontPtr& font) { return *static_cast<TOGL_Font_DFF*>(font.get())->Data(); }

// One page; glyph 'A' (Advance 20, Height 30) in cell 1 and the space from the list.
std::string SmallFont(int version, unsigned spaceAdvance, unsigned trailingSpace = 0, unsigned flag = 1) {
  TDffHeader h;
  h.version = version;
  h.glyphCount = 2;
  TFileBytes f = DffHeaderBytes(h);
  f.Compressed(FilledPage(200));
  GlyphRecord(f, 'A', 1, 20, 30);
  GlyphRecord(f, ' ', 0, spaceAdvance, 30);
  if (version >= 2) f.U8(flag);
  if (version == 3) f.U16(trailingSpace);
  return f.bytes;
}

}  // namespace

TEST(DistanceFieldFont, VersionsDecideTheFlagAndTheSpaceAdvance) {
  RecordingRenderer renderer;
  FontPtr v1 = Load(SmallFont(1, 7));
  EXPECT_TRUE(v1->IsDistanceField);
  EXPECT_EQ(DataOf(v1).Entry(' ').Advance, 7);
  EXPECT_EQ(DataOf(Load(SmallFont(1, 0))).Entry(' ').Advance, 10);

  FontPtr v2 = Load(SmallFont(2, 7, 0, 0));
  EXPECT_FALSE(v2->IsDistanceField);
  EXPECT_EQ(v2->CellHeight, 40);

  EXPECT_EQ(DataOf(Load(SmallFont(3, 7, 12))).Entry(' ').Advance, 12);
  EXPECT_EQ(DataOf(Load(SmallFont(3, 7, 0))).Entry(' ').Advance, 10);

  // Pages become linear one-channel 512 x 512 textures in the renderer's format.
  ASSERT_FALSE(renderer.textures.empty());
  EXPECT_EQ(renderer.textures[0].width, 512);
  EXPECT_EQ(renderer.textures[0].internalFormat, static_cast<GLenum>(GL_R8));
  EXPECT_EQ(renderer.textures[0].sourceFormat, static_cast<GLenum>(GL_RED));
  EXPECT_TRUE(renderer.textures[0].linear);
}

TEST(DistanceFieldFont, ARecordWithAnotherCheckIsFourBytesAndRedirects) {
  RecordingRenderer renderer;
  TDffHeader h;
  h.glyphCount = 3;
  TFileBytes f = DffHeaderBytes(h);
  f.Compressed(FilledPage(200));
  GlyphRecord(f, 'A', 1, 20, 30);
  f.U16(0xC0).U16('A');  // "À" drawn as "A"
  GlyphRecord(f, 'B', 2, 22, 30);
  f.U8(1);
  FontPtr font = Load(f.bytes);
  TDistanceFieldFont& data = DataOf(font);
  EXPECT_EQ(data.Entry('B').Advance, 22);
  EXPECT_EQ(font->CharAdvance(0xC0), font->CharAdvance('A'));
  font->DrawChar(0xC0, 100, 100);
  ASSERT_EQ(renderer.quads.size(), 1u);
  EXPECT_FLOAT_EQ(renderer.quads[0].u, 40 / 512.0f);  // cell 1 of 'A'
}

TEST(DistanceFieldFont, MeasuresWithTheScaleAndTheGap) {
  RecordingRenderer renderer;
  FontPtr font = Load(SmallFont(2, 7), 0.5L);
  EXPECT_EQ(font->CharAdvance('A'), 10 + 1);
  EXPECT_EQ(font->CharAdvance('Z'), 1);  // undefined: entry 0
  EXPECT_EQ(font->CharHeight('A'), 15);
  EXPECT_EQ(font->LineHeight(), 20);
  EXPECT_EQ(font->TextWidth(u"AA A", 2), 3 * 13 + 7);
  EXPECT_EQ(font->CharGap, 0);
}

TEST(DistanceFieldFont, DrawsOneQuadPerGlyphAtTheGivenPlace) {
  RecordingRenderer renderer(1024, 768);
  FontPtr font = Load(SmallFont(2, 7), 0.5L);
  // A = 10, H = 15, P = 4, L = 20, O = 3: an 18 x 23 quad.
  font->DrawChar('A', 100, 500);
  ASSERT_EQ(renderer.quads.size(), 1u);
  const RecordingRenderer::Quad& q = renderer.quads[0];
  EXPECT_FLOAT_EQ(q.x, 100 - 1 - 4);
  EXPECT_FLOAT_EQ(q.y, 500 - 20 + 3 + 1 - 4);
  EXPECT_FLOAT_EQ(q.w, 18);
  EXPECT_FLOAT_EQ(q.h, 23);
  EXPECT_FLOAT_EQ(q.v, 0);
  EXPECT_FLOAT_EQ(q.du, 36 / 512.0f);
  EXPECT_FLOAT_EQ(q.dv, 46 / 512.0f);
  EXPECT_EQ(q.texture, renderer.textures.back().name);

  // DrawText counts y from the top and skips spaces and undefined characters.
  renderer.quads.clear();
  EXPECT_EQ(font->DrawText(u"A AZ", 10, 100), 11 + 5 + 11 + 1);
  ASSERT_EQ(renderer.quads.size(), 2u);
  EXPECT_FLOAT_EQ(renderer.quads[1].x, 10 + 11 + 5 - 1 - 4);
  EXPECT_FLOAT_EQ(renderer.quads[1].y, 768 - 100 - 20 + 3 + 1 - 4);
}

// The font keeps glyph quads between draws: after a new scale, for a character beyond
// Latin-1 and along a text that moves between pages it must draw as a fresh font would.
TEST(DistanceFieldFont, KeptGlyphsFollowTheScaleAndThePages) {
  RecordingRenderer renderer(1024, 768);
  TDffHeader h;
  h.glyphCount = 3;
  h.pageCount = 2;
  TFileBytes f = DffHeaderBytes(h);
  f.Compressed(FilledPage(200));
  f.Compressed(FilledPage(100));
  GlyphRecord(f, 'A', 1, 20, 30);
  GlyphRecord(f, 0x416, 145, 20, 30);  // the second cell of page 1
  GlyphRecord(f, ' ', 0, 7, 30);
  f.U8(1);
  FontPtr font = Load(f.bytes);
  font->DrawText(u"A", 0, 0);
  font->Scale = 0.5L;
  renderer.quads.clear();
  EXPECT_EQ(font->DrawText(u"A\u0416A", 100, 100), 3 * 11);
  ASSERT_EQ(renderer.quads.size(), 3u);
  EXPECT_FLOAT_EQ(renderer.quads[0].w, 18);
  EXPECT_FLOAT_EQ(renderer.quads[1].x, 100 + 11 - 1 - 4);
  EXPECT_FLOAT_EQ(renderer.quads[1].u, 40 / 512.0f);
  const std::vector<GLuint>& pages = DataOf(font).Textures;
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(renderer.quads[0].texture, pages[0]);
  EXPECT_EQ(renderer.quads[1].texture, pages[1]);
  EXPECT_EQ(renderer.quads[2].texture, pages[0]);
  EXPECT_EQ(font->CharAdvance(u'A'), 11);
}

TEST(DistanceFieldFont, ColourSelectsTheTextModeAndItsParameters) {
  RecordingRenderer renderer;
  FontPtr font = Load(SmallFont(2, 7), 0.5L);
  font->SetColour(1, 0, 0, 0.5f);
  font->DrawChar('A', 0, 0);
  EXPECT_EQ(renderer.quads.back().type, 4);
  EXPECT_EQ(renderer.quads.back().colour, (std::array<float, 4>{1, 0, 0, 0.5f}));
  EXPECT_NEAR(renderer.quads.back().ud[0], 0.1f, 1e-6);
  EXPECT_NEAR(renderer.quads.back().ud[1], 0.68f, 1e-6);
  font->RenderParam1 = 0.2L;
  font->RenderParam2 = 0.6L;
  font->SetOutline(true);
  font->SetColour(1, 1, 1, 1);
  font->DrawChar('A', 0, 0);
  EXPECT_NEAR(renderer.quads.back().ud[0], 0.2f, 1e-6);
  EXPECT_EQ(renderer.quads.back().udi[0], 1);

  FontPtr plain = Load(SmallFont(2, 7, 0, 0));
  plain->SetColour(1, 1, 1, 1);
  plain->DrawChar('A', 0, 0);
  EXPECT_EQ(renderer.quads.back().type, 2);
}

TEST(DistanceFieldFont, ClonesShareTheDataAndPlainFontsStayAtScaleOne) {
  RecordingRenderer renderer;
  FontPtr font = Load(SmallFont(2, 7));
  FontPtr clone(font->CloneAtScale(2.0L));
  EXPECT_EQ(clone->Scale, 2.0L);
  EXPECT_EQ(&DataOf(clone), &DataOf(font));
  EXPECT_EQ(DataOf(font).RefCount(), 2);
  clone.reset();
  EXPECT_EQ(DataOf(font).RefCount(), 1);
  EXPECT_EQ(renderer.textures.size(), 1u);  // no second upload

  FontPtr plain = Load(SmallFont(2, 7, 0, 0));
  FontPtr plainClone(plain->CloneAtScale(2.0L));
  EXPECT_EQ(plainClone->Scale, 1.0L);
}

TEST(DistanceFieldFont, BadFilesGiveAFontThatDrawsWhatItCan) {
  RecordingRenderer renderer;
  // Wrong magic, unknown version, empty: every character advances by 1 + gap.
  for (std::string bytes : {std::string("XYZ\x02"), std::string("DFF\x04"), std::string()}) {
    FontPtr font = Load(bytes);
    EXPECT_EQ(font->CharAdvance('A'), 1);
    EXPECT_EQ(font->CharAdvance(' '), 1);
    font->DrawText(u"AAA", 0, 0);
  }
  EXPECT_TRUE(renderer.quads.empty());

  // Truncated inside the glyph list: the glyphs read so far stay.
  std::string whole = SmallFont(2, 7);
  FontPtr cut = Load(whole.substr(0, whole.size() - 11));
  EXPECT_EQ(DataOf(cut).Entry('A').Advance, 20);
  EXPECT_EQ(DataOf(cut).Entry(' ').Advance, 10);
  // Truncated inside a page: the page is kept as far as it inflated, the glyph list is lost.
  FontPtr page = Load(whole.substr(0, 100));
  ASSERT_EQ(DataOf(page).Pages.size(), 1u);
  EXPECT_EQ(DataOf(page).Pages[0].size(), TDistanceFieldFont::kPageBytes);
  EXPECT_EQ(DataOf(page).Pages[0][0], 200);
  EXPECT_EQ(DataOf(page).Pages[0].back(), 0);
  EXPECT_EQ(DataOf(page).BadPages, 1);

  // A page that does not inflate, one that claims 4 GiB, and a glyph beyond the pages.
  TDffHeader h;
  h.glyphCount = 3;
  h.pageCount = 2;
  TFileBytes f = DffHeaderBytes(h);
  f.U32(6).Text("broken");
  f.Compressed(FilledPage(1));
  GlyphRecord(f, 'A', 1, 20, 30);
  GlyphRecord(f, 'B', 145, 20, 30);  // page 1
  GlyphRecord(f, 'C', 3000, 20, 30);
  f.U8(1);
  FontPtr bad = Load(f.bytes);
  EXPECT_EQ(DataOf(bad).BadPages, 1);
  EXPECT_TRUE(DataOf(bad).Pages[0].empty());
  EXPECT_EQ(DataOf(bad).Textures[0], 0u);
  renderer.quads.clear();
  bad->DrawText(u"ABC", 0, 0);
  ASSERT_EQ(renderer.quads.size(), 1u);  // only "B": the others have no page to draw from
  EXPECT_FLOAT_EQ(renderer.quads[0].x, 21 - 1 - 8);

  // A page that inflates past its 512 x 512 bytes is cut there and counted as bad.
  TFileBytes longPage = DffHeaderBytes(h);
  longPage.Compressed(std::vector<uint8_t>(TDistanceFieldFont::kPageBytes + 10, 5));
  FontPtr cutPage = Load(longPage.bytes);
  EXPECT_EQ(DataOf(cutPage).BadPages, 1);
  EXPECT_EQ(DataOf(cutPage).Pages.at(0).size(), TDistanceFieldFont::kPageBytes);

  TFileBytes huge = DffHeaderBytes(h);
  huge.U32(0xFFFFFFFFu).Text("xx");
  FontPtr hugePage = Load(huge.bytes);
  EXPECT_LE(DataOf(hugePage).Pages.size(), 1u);

  // Cells per page kept in 16 bits, as the file format has it: 61155 x 53890 wraps.
  h.cellsPerRow = 61155;
  h.rowsPerPage = 53890;
  h.glyphCount = 0;
  TFileBytes wide = DffHeaderBytes(h);
  EXPECT_EQ(DataOf(Load(wide.bytes)).CellsPerPage, uint16_t(61155u * 53890u));

  // No cells per page: nothing can be placed.
  h.cellsPerRow = 0;
  h.pageCount = 1;
  h.glyphCount = 1;
  TFileBytes zero = DffHeaderBytes(h);
  zero.Compressed(FilledPage(1));
  GlyphRecord(zero, 'A', 1, 20, 30);
  renderer.quads.clear();
  Load(zero.bytes)->DrawText(u"A", 0, 0);
  EXPECT_TRUE(renderer.quads.empty());
}

TEST(DistanceFieldFont, PagesBeyondTheLimitAreNotRead) {
  RecordingRenderer renderer;
  TDffHeader h;
  h.pageCount = 65535;
  TFileBytes f = DffHeaderBytes(h);
  const std::string page = TFileBytes().Compressed(FilledPage(0)).bytes;
  for (int i = 0; i < TDistanceFieldFont::kMaxPages + 3; ++i) f.Text(page);
  FontPtr font = Load(f.bytes);
  EXPECT_EQ(DataOf(font).Pages.size(), size_t(TDistanceFieldFont::kMaxPages));
}
