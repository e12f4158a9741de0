#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/GLSurface.h"

// A headless GL surface: an EGL context (a GPU device where one offers it, else Mesa's
// surfaceless platform) rendering into a framebuffer object of the requested size.
class TEglSurface : public IGLSurface {
 public:
  TEglSurface(int width, int height);
  ~TEglSurface() override;

  bool SetPixelFormat(const TPixelFormatRequest& request) override;
  bool HasMultisampleFormat(int samples) override;
  void SetMultisampleFormat(int samples) override;
  bool CreateContext(const char*& error) override;
  void ReleaseContext() override;
  void Swap() override;
  bool HasSwapInterval() const override { return false; }
  void SetSwapInterval(int) override {}
  int SwapInterval() const override { return 0; }

  // Resizes the framebuffer (the context must be current).
  void Resize(int width, int height);
  // The last frame as RGBA bytes, bottom row first.
  std::vector<uint8_t> ReadPixels();
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Which EGL platform served the context ("device" or "surfaceless").
  const std::string& PlatformName() const { return platform_; }

 private:
  bool OpenDisplay();
  void CreateFramebuffer();
  void DeleteFramebuffer();

  int width_;
  int height_;
  int samples_ = 0;
  int depthBits_ = 16;
  void* display_ = nullptr;
  void* context_ = nullptr;
  std::string platform_;
  GLuint framebuffer_ = 0, colour_ = 0, depth_ = 0;
  GLuint resolveFramebuffer_ = 0, resolveColour_ = 0;
};
