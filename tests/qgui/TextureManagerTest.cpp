#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <utility>
#include <vector>

#include "QGUI/TextureManager.h"
#include "RecordingRenderer.h"
#include "TestImages.h"
#include "TextureFolder.h"
#include "script/LuaApi.h"

namespace {

std::string Png(int width, int height) {
  PngSpec spec = MakePngSpec(width, height, PNG_COLOR_TYPE_RGB, 8, false);
  spec.samples.assign(size_t(width) * height * 3, 128);
  return EncodePNG(spec);
}

class TextureManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousHook_ = SetReportHook([this](std::string_view source, std::string_view message) {
      reports.emplace_back(std::string(source), std::string(message));
    });
    folder.Write("button.png", Png(64, 16));
    folder.Write("photo.jpeg", EncodeJPEG(8, 8, std::vector<uint8_t>(8 * 8 * 3, 90), false, false));
    folder.Write("SHOUT.JPG", EncodeJPEG(8, 4, std::vector<uint8_t>(8 * 4 * 3, 90), false, true));
  }
  void TearDown() override { SetReportHook(std::move(previousHook_)); }

  TQGUITexSlot Load(const std::string& name, bool linear = false) {
    TQGUITexSlot slot;
    slot.name = name;
    slot.linear = linear;
    manager.LoadTexture(slot);
    return slot;
  }

  TextureFolder folder;
  RecordingRenderer renderer;
  TQGUI_TextureManager manager;
  std::vector<std::pair<std::string, std::string>> reports;

 private:
  TLUA_ReportHook previousHook_;
};

TEST_F(TextureManagerTest, NamesInAnyCaseShareOneTextureUntilTheLastRelease) {
  TQGUITexSlot a = Load("button.png", true);
  TQGUITexSlot b = Load("BUTTON.PNG");
  ASSERT_NE(a.texture, 0u);
  EXPECT_EQ(b.texture, a.texture);
  EXPECT_EQ(a.managerIndex, 0);
  EXPECT_EQ(b.managerIndex, 0);
  EXPECT_EQ(b.width, 64);
  EXPECT_EQ(b.height, 16);
  ASSERT_EQ(renderer.textures.size(), 1u);
  const auto& upload = renderer.textures[0];
  EXPECT_EQ(upload.internalFormat, GLenum(GL_RGBA));
  EXPECT_EQ(upload.sourceFormat, GLenum(GL_BGRA));
  EXPECT_TRUE(upload.linear);
  EXPECT_FALSE(upload.flip);
  EXPECT_FALSE(upload.clamp);
  EXPECT_EQ(manager.Entries()[0].references, 2);

  manager.ReleaseTexture(a);
  EXPECT_EQ(a.managerIndex, -1);
  EXPECT_TRUE(renderer.deletedTextures.empty());
  manager.ReleaseTexture(b);
  EXPECT_EQ(renderer.deletedTextures, std::vector<GLuint>{b.texture});
  EXPECT_EQ(manager.Entries()[0].references, 0);
  EXPECT_TRUE(manager.Entries()[0].name.empty());

  // The free entry is reused; releasing twice or with a foreign index does nothing.
  TQGUITexSlot c = Load("photo.jpeg");
  EXPECT_EQ(c.managerIndex, 0);
  EXPECT_EQ(manager.Entries().size(), 1u);
  manager.ReleaseTexture(b);
  b.managerIndex = 7;
  manager.ReleaseTexture(b);
  EXPECT_EQ(manager.Entries()[0].references, 1);
}

TEST_F(TextureManagerTest, BarNamesAreNeverShared) {
  TQGUITexSlot a = Load("|button.png");
  TQGUITexSlot b = Load("|button.png");
  TQGUITexSlot c = Load("button.png");
  EXPECT_NE(a.texture, 0u);
  EXPECT_NE(a.texture, b.texture);
  EXPECT_NE(c.texture, a.texture);
  EXPECT_EQ(renderer.textures.size(), 3u);
  EXPECT_EQ(manager.Entries()[1].name, "|button.png");
}

TEST_F(TextureManagerTest, JpegByExtensionInAnyCase) {
  TQGUITexSlot photo = Load("photo.jpeg");
  TQGUITexSlot shout = Load("shout.jpg");
  ASSERT_EQ(renderer.textures.size(), 2u);
  for (const auto& upload : renderer.textures) {
    EXPECT_EQ(upload.sourceFormat, GLenum(GL_BGR));
    EXPECT_EQ(upload.internalFormat, GLenum(GL_RGB));
  }
  EXPECT_EQ(shout.height, 4);
  EXPECT_FALSE(photo.animation.animated);
}

TEST_F(TextureManagerTest, SideFileAnimatesAndCachedCopiesStartAtFrameZero) {
  folder.Write("button.png.anim", "Frames = 8\nFPS=12\nwidth=32\nno equals sign\n");
  TQGUITexSlot a = Load("button.png");
  EXPECT_EQ(a.animation, (TQGUIAnimation{true, 32, 16, 8, 12, true, false}));

  TQGUITexSlot b;
  b.name = "Button.png";
  b.currentFrame = 5;
  b.timeAccumulator = 0.7;
  b.animation.animated = false;
  manager.LoadTexture(b);
  EXPECT_EQ(b.animation, a.animation);
  EXPECT_EQ(b.currentFrame, 0);
  EXPECT_EQ(b.timeAccumulator, 0.0);

  TQGUITexSlot plain;
  plain.name = "photo.jpeg";
  plain.animation.animated = true;
  manager.LoadTexture(plain);
  EXPECT_FALSE(plain.animation.animated);
}

TEST_F(TextureManagerTest, MissingAndBadImagesLeaveTheSlotEmpty) {
  folder.Write("damaged.png", Png(8, 8).substr(0, 60));
  folder.Write("damaged.jpg", "\xFF\xD8\xFF\xE0 not really");
  folder.Write("huge.png", WithPngSize(Png(8, 8), 16384, 16384));
  for (const char* name : {"missing.png", "damaged.png", "damaged.jpg", "huge.png", "|damaged.png"}) {
    TQGUITexSlot slot;
    slot.name = name;
    slot.texture = 55;
    slot.managerIndex = 3;
    manager.LoadTexture(slot);
    EXPECT_EQ(slot.texture, 0u) << name;
    EXPECT_EQ(slot.managerIndex, -1) << name;
  }
  EXPECT_TRUE(renderer.textures.empty());
  EXPECT_TRUE(manager.Entries().empty());
  ASSERT_EQ(reports.size(), 4u);  // the missing file is silent
  EXPECT_EQ(reports[0].first, "TQGUI_TextureManager");
  EXPECT_EQ(reports[0].second.rfind("damaged.png: ", 0), 0u) << reports[0].second;

  EXPECT_NE(Load("button.png").texture, 0u);
  TQGUITexSlot empty;
  manager.LoadTexture(empty);
  EXPECT_EQ(empty.managerIndex, -1);
}

}  // namespace
