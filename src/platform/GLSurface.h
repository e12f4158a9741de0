#pragma once
#include <cstdint>

// The pixel-format request the GL context asks its surface for.
struct TPixelFormatRequest {
  static constexpr uint32_t DrawToWindow = 0x04;
  static constexpr uint32_t SupportOpenGL = 0x20;
  static constexpr uint32_t DoubleBuffer = 0x01;
  static constexpr uint8_t TypeRGBA = 0;

  uint16_t size = 40;
  uint16_t version = 1;
  uint32_t flags = 0;
  uint8_t pixelType = TypeRGBA;
  uint8_t colourBits = 0;
  uint8_t depthBits = 0;
  uint8_t stencilBits = 0;

  // The request the program makes, also the fallback when a request finds no match.
  static TPixelFormatRequest Default() {
    TPixelFormatRequest r;
    r.flags = DrawToWindow | SupportOpenGL | DoubleBuffer;
    r.colourBits = 32;
    r.depthBits = 16;
    return r;
  }
};

// A drawing surface with one GL context: a Qt window or a headless EGL framebuffer.
class IGLSurface {
 public:
  virtual ~IGLSurface() = default;
  // Chooses and sets the closest pixel format; false when nothing matches.
  virtual bool SetPixelFormat(const TPixelFormatRequest& request) = 0;
  // Whether a multisample format with this sample count exists, tried on a throw-away surface.
  virtual bool HasMultisampleFormat(int samples) = 0;
  // Sets a multisample format found by HasMultisampleFormat.
  virtual void SetMultisampleFormat(int samples) = 0;
  // Creates the context and makes it current; false with a reason in `error` otherwise.
  virtual bool CreateContext(const char*& error) = 0;
  virtual void ReleaseContext() = 0;
  virtual void Swap() = 0;
  virtual bool HasSwapInterval() const = 0;
  virtual void SetSwapInterval(int interval) = 0;
  virtual int SwapInterval() const = 0;
};
