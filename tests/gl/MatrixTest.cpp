#include <gtest/gtest.h>

#include <cmath>

#include "gl/Matrix.h"
#include "gl/VBO.h"

namespace {

// Applies a column-major matrix to (x, y, 0, 1) and divides by w.
std::array<float, 2> Project(const TMatrix4& m, float x, float y) {
  float px = m[0] * x + m[4] * y + m[12];
  float py = m[1] * x + m[5] * y + m[13];
  float pw = m[3] * x + m[7] * y + m[15];
  return {px / pw, py / pw};
}

}  // namespace

TEST(Matrix, PerspectiveFollowsTheFrustumOfFieldOfViewAndAspect) {
  TMatrix4 m = PerspectiveMatrix(45, 800.0 / 600.0, 0.1, 40000);
  float f = static_cast<float>(1 / std::tan(22.5 * M_PI / 180));
  EXPECT_NEAR(m[5], f, 1e-5);
  EXPECT_NEAR(m[0], f * 600 / 800, 1e-5);
  EXPECT_EQ(m[11], -1);
  EXPECT_EQ(m[15], 0);
  EXPECT_NEAR(m[10], -(40000 + 0.1) / (40000 - 0.1), 1e-6);
  EXPECT_NEAR(m[14], -2 * 40000 * 0.1 / (40000 - 0.1), 1e-5);
  for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13}) EXPECT_EQ(m[i], 0) << i;
}

TEST(Matrix, FieldOfViewIsClampedToItsRange) {
  EXPECT_EQ(PerspectiveMatrix(200, 1, 0.1, 100), PerspectiveMatrix(179.9, 1, 0.1, 100));
  EXPECT_EQ(PerspectiveMatrix(-10, 1, 0.1, 100), PerspectiveMatrix(0, 1, 0.1, 100));
  // The aspect only scales x: a 800 x 1 viewport squeezes x by 800.
  TMatrix4 wide = PerspectiveMatrix(45, 800, 0.1, 100);
  EXPECT_NEAR(wide[0] * 800, wide[5], 1e-4);
}

TEST(Matrix, OrthoMapsPixelsOntoClipSpaceWithYUp) {
  TMatrix4 m = OrthoMatrix(0, 1024, 0, 600, -1, 1);
  auto lowerLeft = Project(m, 0, 0);
  auto upperRight = Project(m, 1024, 600);
  auto centre = Project(m, 512, 300);
  EXPECT_FLOAT_EQ(lowerLeft[0], -1);
  EXPECT_FLOAT_EQ(lowerLeft[1], -1);
  EXPECT_FLOAT_EQ(upperRight[0], 1);
  EXPECT_FLOAT_EQ(upperRight[1], 1);
  EXPECT_NEAR(centre[0], 0, 1e-6);
  EXPECT_NEAR(centre[1], 0, 1e-6);
}

TEST(VertexLayout, StrideAndOffsetsFollowTheSetBitsInOrder) {
  EXPECT_EQ(VertexStride(VL_V | VL_T1), 20);
  EXPECT_EQ(VertexStride(VL_V | VL_T1 | VL_C4 | VL_N), (3 + 2 + 4 + 3) * 4);
  EXPECT_EQ(VertexOffsetFloats(VL_V | VL_C4 | VL_N, 6), 3);
  EXPECT_EQ(VertexOffsetFloats(VL_V | VL_C4 | VL_N, 7), 7);
  EXPECT_EQ(VertexStride(0), 0);
}
