#include "GLProbe.h"

#include "app/App.h"
#include "gl/OGL.h"

std::array<int, 4> CurrentViewport() {
  GLint v[4] = {};
  glGetIntegerv(GL_VIEWPORT, v);
  return {v[0], v[1], v[2], v[3]};
}

void PresentSolidFrame(TZQApp& app, std::array<uint8_t, 3> colour) {
  GLfloat previous[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, previous);
  glClearColor(colour[0] / 255.0f, colour[1] / 255.0f, colour[2] / 255.0f, 1.0f);
  app.GL()->Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  app.GL()->Swap();
  glClearColor(previous[0], previous[1], previous[2], previous[3]);
}
