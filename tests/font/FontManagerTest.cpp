#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "FontFiles.h"
#include "RecordingRenderer.h"
#include "font/FontDFF.h"
#include "font/FontManager.h"
#include "platform/DataFiles.h"

namespace {

std::string TenPixelFont(unsigned flag = 1) {
  TDffHeader h;
  h.glyphCount = 2;
  TFileBytes f = DffHeaderBytes(h);
  f.Compressed(FilledPage(0));
  GlyphRecord(f, 'a', 1, 9, 30);
  GlyphRecord(f, ' ', 0, 9, 30);
  f.U8(flag);
  return f.bytes;
}

// Serves font files from memory and counts how often each is opened.
class FontManagerTest : public testing::Test {
 protected:
  void SetUp() override {
    files_["\\fonts\\Ten.dff"] = TenPixelFont();
    files_["\\fonts\\ten.dff"] = TenPixelFont();
    files_["\\fonts\\Caps.DFF"] = TenPixelFont();
    files_["\\fonts\\Plain.zqf"] = TenPixelFont(0);
    files_["\\fonts\\Other.ttf"] = TenPixelFont();
    previous_ = SetDataFileOpener([this](std::string_view name) -> std::unique_ptr<std::istream> {
      auto it = files_.find(std::string(name));
      if (it == files_.end()) return nullptr;
      ++opens[it->first];
      return std::make_unique<std::istringstream>(it->second);
    });
  }
  void TearDown() override { SetDataFileOpener(previous_); }

  RecordingRenderer renderer_;
  std::map<std::string, std::string> files_;
  DataFileOpener previous_;
  std::map<std::string, int> opens;
};

TDistanceFieldFont* DataOf(TOGL_Font_Base* font) { return static_cast<TOGL_Font_DFF*>(font)->Data(); }

}  // namespace

TEST_F(FontManagerTest, SharesOneFontPerPathAndScaleAndClonesOtherScales) {
  TOGL_Font_Manager manager;
  EXPECT_EQ(FontManager(), &manager);
  TOGL_Font_Base* one = manager.GetFont("\\fonts\\Ten.dff", 1.0L);
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->Name, "\\fonts\\Ten.dff");
  EXPECT_EQ(manager.GetFont("\\fonts\\Ten.dff", 1.00005L), one);
  TOGL_Font_Base* half = manager.GetFont("\\fonts\\Ten.dff", 0.5L);
  ASSERT_NE(half, one);
  EXPECT_EQ(half->Scale, 0.5L);
  EXPECT_EQ(DataOf(half), DataOf(one));
  EXPECT_EQ(manager.GetFont("\\fonts\\Ten.dff", 0.5L), half);
  EXPECT_EQ(opens["\\fonts\\Ten.dff"], 1);
  EXPECT_EQ(renderer_.textures.size(), 1u);

  // Names compare with their case: another spelling is another file read.
  TOGL_Font_Base* lower = manager.GetFont("\\fonts\\ten.dff", 1.0L);
  EXPECT_NE(lower, one);
  EXPECT_EQ(opens["\\fonts\\ten.dff"], 1);
  EXPECT_EQ(manager.LoadedFonts().size(), 3u);

  // A plain-coverage font is shared at every scale.
  TOGL_Font_Base* plain = manager.GetFont("\\fonts\\Plain.zqf", 1.0L);
  EXPECT_EQ(manager.GetFont("\\fonts\\Plain.zqf", 0.3L), plain);
}

TEST_F(FontManagerTest, ChoosesTheLoaderByTheLowerCasedExtension) {
  TOGL_Font_Manager manager;
  EXPECT_NE(manager.GetFont("\\fonts\\Caps.DFF", 1.0L), nullptr);
  EXPECT_EQ(manager.GetFont("\\fonts\\Other.ttf", 1.0L), nullptr);
  EXPECT_EQ(opens["\\fonts\\Other.ttf"], 0);
  EXPECT_EQ(manager.GetFont("\\fonts\\Missing.dff", 1.0L), nullptr);
  EXPECT_EQ(manager.FindLoader(".DFF"), nullptr);
  EXPECT_NE(manager.FindLoader(".zqf"), nullptr);
  EXPECT_NE(manager.FindLoader(""), nullptr);
  EXPECT_EQ(FontExtension("\\fonts\\a.b\\Name.DfF"), ".dff");
  EXPECT_EQ(FontExtension("\\fonts\\name"), "");
  EXPECT_EQ(manager.LoadedFonts().size(), 1u);

  manager.AddLoader({".ttf", [](const std::string&, std::istream*, long double) { return nullptr; }});
  EXPECT_EQ(manager.GetFont("\\fonts\\Other.ttf", 1.0L), nullptr);
  EXPECT_EQ(opens["\\fonts\\Other.ttf"], 1);
  EXPECT_EQ(manager.LoadedFonts().size(), 1u);
}

TEST_F(FontManagerTest, ClearingReleasesTheCacheButNotTheFontsStillHeld) {
  TOGL_Font_Manager manager;
  TOGL_Font_Base* kept = manager.GetFont("\\fonts\\Ten.dff", 1.0L);
  kept->AddRef();
  manager.GetFont("\\fonts\\Ten.dff", 2.0L);
  manager.ClearFonts();
  EXPECT_TRUE(manager.LoadedFonts().empty());
  EXPECT_EQ(kept->RefCount(), 1);
  EXPECT_EQ(DataOf(kept)->RefCount(), 1);
  EXPECT_TRUE(renderer_.deletedTextures.empty());
  EXPECT_NE(manager.GetFont("\\fonts\\Ten.dff", 1.0L), kept);
  EXPECT_EQ(opens["\\fonts\\Ten.dff"], 2);
  // The last holder lets the pages go.
  const GLuint page = DataOf(kept)->Textures.at(0);
  kept->Release();
  EXPECT_EQ(renderer_.deletedTextures, std::vector<GLuint>{page});
}

TEST(FontBase, RenderParametersFollowTheScale) {
  struct Expect {
    long double scale, p1, p2;
  };
  for (Expect e : {Expect{0.5L, 0.1L, 0.68L}, Expect{2.0L, 0.41L, 0.58L}, Expect{0.25L, 0, 0.73L},
                   Expect{0.1L, 0, 0.76L}, Expect{1.0L, 0.3L, 0.58L}}) {
    auto* font = new TOGL_Font_DFF("x", e.scale, new TDistanceFieldFont);
    font->UpdateRenderParams();
    EXPECT_NEAR(double(font->RenderParam1), double(e.p1), 1e-6) << double(e.scale);
    EXPECT_NEAR(double(font->RenderParam2), double(e.p2), 1e-6) << double(e.scale);
    font->Release();
  }
}

TEST(FontBase, CharsThatFitCountsAHalfOverflowAndRestoresTheGap) {
  RecordingRenderer renderer;
  auto* data = new TDistanceFieldFont;
  for (char16_t c : std::u16string(u"abcdef")) data->Entry(c) = {c, 9, 10, 0};
  TOGL_Font_DFF font("x", 1.0L, data);
  EXPECT_EQ(font.CharsThatFit(u"abcdef", 25, 0), 3);
  EXPECT_EQ(font.CharsThatFit(u"abcdef", 24, 0), 2);
  EXPECT_EQ(font.CharsThatFit(u"abcdef", 1000, 0), 6);
  EXPECT_EQ(font.CharsThatFit(u"", 10, 0), 0);
  font.SetCharGap(5);
  EXPECT_EQ(font.CharsThatFit(u"abcdef", 40, 3), 3);  // advances of 13
  EXPECT_EQ(font.CharGap, 5);
  EXPECT_EQ(font.TextWidth(u"ab", 0), 20);
  EXPECT_EQ(font.CharGap, 5);
}
