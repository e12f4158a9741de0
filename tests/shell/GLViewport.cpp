#include "GLViewport.h"

#include <epoxy/gl.h>

std::array<int, 4> CurrentViewport() {
  GLint v[4] = {};
  glGetIntegerv(GL_VIEWPORT, v);
  return {v[0], v[1], v[2], v[3]};
}
