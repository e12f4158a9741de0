#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GLTestContext.h"
#include "MessageRecorder.h"
#include "app/App.h"
#include "gl/OGL.h"
#include "headless/EglSurface.h"
#include "platform/Console.h"
#include "platform/DataFiles.h"
#include "platform/Text.h"

namespace {

// Collects console lines for the lifetime of the object.
struct ConsoleCapture {
  std::vector<std::string> lines;
  ConsoleCapture() {
    SetConsole(std::make_unique<TVORN3_Console>([this](std::u16string_view l) { lines.push_back(ToUtf8(l)); }));
  }
  ~ConsoleCapture() { SetConsole(nullptr); }
};

}  // namespace

TEST(AppGL, StartWritesTheFiveConsoleLinesAndTheInfoPage) {
  SetExeFolder(ZQ_TEST_BIN_DIR);
  ConsoleCapture console;
  TEglSurface surface(320, 200);
  TZQApp app;
  ASSERT_TRUE(app.Start(&surface, 320, 200));
  ASSERT_EQ(console.lines.size(), 5u);
  EXPECT_EQ(console.lines[0], "Vendor: " + GLString(GL_VENDOR));
  EXPECT_EQ(console.lines[1].rfind("Renderer: ", 0), 0u);
  EXPECT_EQ(console.lines[2], "Version: " + GLString(GL_VERSION));
  EXPECT_EQ(console.lines[3], "");
  EXPECT_EQ(console.lines[4], "Resolution: 320x200");

  std::vector<std::string> info = app.InfoLines();
  ASSERT_GT(info.size(), 9u);
  EXPECT_EQ(info[3], "");
  EXPECT_EQ(info[4], "Settings:");
  EXPECT_EQ(info[5], "Multisample: False");
  EXPECT_EQ(info[7], "OGL Extentions:");
  for (size_t i = 8; i < info.size(); ++i) EXPECT_EQ(info[i].find(' '), std::string::npos) << info[i];
  EXPECT_NE(std::find(info.begin(), info.end(), "GL_ARB_instanced_arrays"), info.end());
}

TEST(AppGL, FramesDrawUntilCloseAndLeaveNoErrorPending) {
  SetExeFolder(ZQ_TEST_BIN_DIR);
  MessageRecorder messages;
  TEglSurface surface(64, 48);
  TZQApp app;
  ASSERT_TRUE(app.Start(&surface, 64, 48));
  for (int i = 0; i < 3; ++i) app.Frame();
  EXPECT_EQ(app.FramesDrawn(), 3);
  // The shipped interface leaves the top-left corner bare (rows come bottom up).
  std::vector<uint8_t> pixels = surface.ReadPixels();
  const size_t topLeft = size_t(47) * 64 * 4;
  EXPECT_EQ(pixels[topLeft], 58);
  EXPECT_EQ(pixels[topLeft + 2], 73);
  app.Resize(32, 24);
  EXPECT_EQ(app.GL()->Width(), 32);
  app.Close();
  app.Frame();
  EXPECT_EQ(app.FramesDrawn(), 3);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(AppGL, AMissingPixelFormatIsReportedAndFramesDoNothing) {
  MessageRecorder messages;
  TEglSurface surface(16, 16);
  TZQApp app;
  // EGL offers no 64-bit depth: the request and its fallback both pass, so force the
  // failure through a surface whose formats never match.
  struct NoFormats : TEglSurface {
    NoFormats() : TEglSurface(16, 16) {}
    bool SetPixelFormat(const TPixelFormatRequest&) override { return false; }
  } none;
  EXPECT_FALSE(app.Start(&none, 16, 16));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Error");
  EXPECT_EQ(messages.messages[0].text, "TOGL.SetPF: PF = 0");
  EXPECT_FALSE(app.Ready());
  app.Frame();
  EXPECT_EQ(app.FramesDrawn(), 0);
  EXPECT_EQ(app.InfoLines().size(), 0u);
}
