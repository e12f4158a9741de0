#pragma once
#include <array>

// 4 x 4 single-precision matrix, column-major as OpenGL expects.
using TMatrix4 = std::array<float, 16>;

TMatrix4 IdentityMatrix();
// Frustum for a vertical field of view in degrees, clamped to [0, 179.9].
TMatrix4 PerspectiveMatrix(double fovDegrees, double aspect, double nearPlane, double farPlane);
TMatrix4 OrthoMatrix(double left, double right, double bottom, double top, double nearPlane, double farPlane);
