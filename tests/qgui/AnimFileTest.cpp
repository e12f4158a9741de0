#include <gtest/gtest.h>

#include "QGUI/AnimFile.h"

namespace {

TQGUIAnimation Parse(const char* text, int width = 256, int height = 64) {
  TQGUIAnimation animation;
  ParseAnimFile(text, width, height, animation);
  return animation;
}

TEST(AnimFile, SettingsOverDefaults) {
  TQGUIAnimation a = Parse("Frames = 8\r\n  FPS=12\nwidth=32\nno equals sign here\n");
  EXPECT_EQ(a, (TQGUIAnimation{true, 32, 64, 8, 12, true, false}));

  EXPECT_EQ(Parse(""), (TQGUIAnimation{true, 256, 64, 1, 1, true, false}));
  EXPECT_EQ(Parse("HEIGHT =\t16\nfps=3\nfps=5").frameHeight, 16);
  EXPECT_EQ(Parse("fps=3\nfps=5").fps, 5);
  EXPECT_EQ(Parse("frames=+4").frameCount, 4);
  EXPECT_EQ(Parse("frames=-4").frameCount, -4);
  EXPECT_EQ(Parse("colour=7\n=9\nframes").frameCount, 1);
}

TEST(AnimFile, FlagsAndValuesThatAreNotIntegers) {
  EXPECT_FALSE(Parse("mirror=yes").pingPong);
  EXPECT_TRUE(Parse("mirror=1").pingPong);
  EXPECT_FALSE(Parse("bottomleftorder=0").bottomUp);
  EXPECT_TRUE(Parse("bottomleftorder=abc").bottomUp);
  EXPECT_FALSE(Parse("BottomLeftOrder = 2").bottomUp);
  // Not integers: the default again, even after an earlier valid line.
  TQGUIAnimation a = Parse("fps=30\nfps=3.5\nframes=1e3\nwidth=12px\nheight=99999999999");
  EXPECT_EQ(a.fps, 1);
  EXPECT_EQ(a.frameCount, 1);
  EXPECT_EQ(a.frameWidth, 256);
  EXPECT_EQ(a.frameHeight, 64);
}

}  // namespace
