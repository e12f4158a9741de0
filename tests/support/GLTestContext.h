#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "gl/OGL.h"
#include "headless/EglSurface.h"

// A real TOGL initialised on a headless EGL context rendering into a framebuffer, with
// the data folders of the build as its executable folder.
class GLTestContext {
 public:
  explicit GLTestContext(int width = 64, int height = 64, int samples = 0);
  ~GLTestContext();

  TOGL& gl() { return *gl_; }
  TEglSurface& surface() { return surface_; }
  // RGBA of pixel (x, y), y counted from the bottom; batched quads are drawn first.
  std::array<uint8_t, 4> Pixel(int x, int y);
  std::vector<uint8_t> Pixels() {
    gl_->FlushQuads();
    return surface_.ReadPixels();
  }
  // The GL error flag, to check at the end of a test that nothing failed silently.
  GLenum Error() { return glGetError(); }

 private:
  TEglSurface surface_;
  std::unique_ptr<TOGL> gl_;
};
