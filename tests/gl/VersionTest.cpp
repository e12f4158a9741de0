#include <gtest/gtest.h>

#include "gl/OGL.h"
#include "gl/Renderer.h"

using Version = std::array<uint8_t, 4>;

TEST(VersionString, KeepsTheLeadingDigitsAndDots) {
  EXPECT_EQ(ParseVersionString("2.1.2 NVIDIA 580.1"), (Version{2, 1, 2, 0}));
  EXPECT_EQ(ParseVersionString("4.6.0 Mesa 22.3.6"), (Version{4, 6, 0, 0}));
  EXPECT_EQ(ParseVersionString("1.4"), (Version{1, 4, 0, 0}));
  EXPECT_EQ(ParseVersionString("3.3.0.4 build"), (Version{3, 3, 0, 4}));
  EXPECT_EQ(ParseVersionString("1.2.3.4.5"), (Version{1, 2, 3, 4}));
}

TEST(VersionString, EmptyOrOddTextGivesZeros) {
  EXPECT_EQ(ParseVersionString(""), (Version{0, 0, 0, 0}));
  EXPECT_EQ(ParseVersionString("OpenGL ES 3.2"), (Version{0, 0, 0, 0}));
  EXPECT_EQ(ParseVersionString("4..1"), (Version{4, 0, 1, 0}));
  // Each number is kept as one byte, as the version record holds it.
  EXPECT_EQ(ParseVersionString("300.2"), (Version{44, 2, 0, 0}));
}

TEST(DriverWarning, SoftwareFallbackAndOldVersionsAreNamed) {
  EXPECT_EQ(DriverWarning("GDI Generic", {1, 1, 0, 0}),
            "Error: GDI Generic Fallback Driver detected. OpenGL driver not installed!. App May Crash.");
  EXPECT_EQ(DriverWarning("Some 1.x card", {1, 4, 0, 0}),
            "Error: OpenGL Version is v1.4.0 . App requires at least v2.1");
  EXPECT_EQ(DriverWarning("Some 2.0 card", {2, 0, 0, 0}), "");
  EXPECT_EQ(DriverWarning("llvmpipe (LLVM 15.0.6, 256 bits)", {4, 5, 0, 0}), "");
}
