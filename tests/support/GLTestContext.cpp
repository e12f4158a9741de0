#include "GLTestContext.h"

#include "platform/DataFiles.h"

GLTestContext::GLTestContext(int width, int height, int samples) : surface_(width, height) {
  SetExeFolder(ZQ_TEST_BIN_DIR);
  gl_ = std::make_unique<TOGL>(0.1, 40000.0, 45.0);
  gl_->Init(&surface_, TPixelFormatRequest::Default(), width, height, samples);
}

GLTestContext::~GLTestContext() { gl_.reset(); }

std::array<uint8_t, 4> GLTestContext::Pixel(int x, int y) {
  gl_->FlushQuads();
  std::array<uint8_t, 4> rgba{};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}
