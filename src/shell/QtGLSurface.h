#pragma once
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <memory>

#include "platform/GLSurface.h"

class QOffscreenSurface;
class QWindow;

// The GL surface of the Qt shell: one context on the render window. It only chooses
// the format, creates the context, makes it current and swaps; all GL calls are the core's.
class TQtGLSurface : public IGLSurface {
 public:
  explicit TQtGLSurface(QWindow* window);
  ~TQtGLSurface() override;

  // The format a request asks for: 8 bits a channel for 32 colour bits, its depth and
  // stencil, double-buffered, GL 2.1 compatibility (3.x would give a core profile).
  static QSurfaceFormat FormatFor(const TPixelFormatRequest& request);

  bool SetPixelFormat(const TPixelFormatRequest& request) override;
  bool HasMultisampleFormat(int samples) override;
  void SetMultisampleFormat(int samples) override;
  bool CreateContext(const char*& error) override;
  void ReleaseContext() override;
  void Swap() override;
  bool HasSwapInterval() const override { return true; }
  void SetSwapInterval(int interval) override;
  int SwapInterval() const override { return format_.swapInterval(); }

  // Makes the context current again where something else took it over, on the window or,
  // once the window has no native surface, offscreen; false without a context.
  bool MakeCurrent();
  QOpenGLContext* Context() const { return context_.get(); }

 private:
  void ApplyFormat();
  // The sample count a probe context with this request reports; -1 when none is made.
  int ProbeSamples(int samples);

  QWindow* window_;
  QSurfaceFormat format_;
  std::unique_ptr<QOpenGLContext> context_;
  std::unique_ptr<QOffscreenSurface> fallback_;
};
