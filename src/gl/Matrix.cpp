#include "gl/Matrix.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TMatrix4 IdentityMatrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

TMatrix4 PerspectiveMatrix(double fovDegrees, double aspect, double nearPlane, double farPlane) {
  double fov = std::clamp(fovDegrees, 0.0, 179.9);
  double top = std::tan(fov * std::numbers::pi / 180.0 * 0.5) * nearPlane;
  double right = top * aspect;
  TMatrix4 m{};
  m[0] = static_cast<float>(2 * nearPlane / (2 * right));
  m[5] = static_cast<float>(2 * nearPlane / (2 * top));
  m[10] = static_cast<float>(-(farPlane + nearPlane) / (farPlane - nearPlane));
  m[11] = -1;
  m[14] = static_cast<float>(-2 * farPlane * nearPlane / (farPlane - nearPlane));
  return m;
}

TMatrix4 OrthoMatrix(double left, double right, double bottom, double top, double nearPlane, double farPlane) {
  TMatrix4 m = IdentityMatrix();
  m[0] = static_cast<float>(2 / (right - left));
  m[5] = static_cast<float>(2 / (top - bottom));
  m[10] = static_cast<float>(-2 / (farPlane - nearPlane));
  m[12] = static_cast<float>(-(right + left) / (right - left));
  m[13] = static_cast<float>(-(top + bottom) / (top - bottom));
  m[14] = static_cast<float>(-(farPlane + nearPlane) / (farPlane - nearPlane));
  return m;
}
