#include "shell/QtGLSurface.h"

#include <QOffscreenSurface>
#include <QWindow>

TQtGLSurface::TQtGLSurface(QWindow* window) : window_(window), format_(FormatFor(TPixelFormatRequest::Default())) {
  format_.setSwapInterval(0);
  window_->setFormat(format_);
}

TQtGLSurface::~TQtGLSurface() { ReleaseContext(); }

QSurfaceFormat TQtGLSurface::FormatFor(const TPixelFormatRequest& request) {
  QSurfaceFormat format;
  int channelBits = request.colourBits >= 24 ? 8 : request.colourBits / 3;
  format.setRedBufferSize(channelBits);
  format.setGreenBufferSize(channelBits);
  format.setBlueBufferSize(channelBits);
  format.setAlphaBufferSize(request.colourBits >= 32 ? 8 : 0);
  format.setDepthBufferSize(request.depthBits);
  format.setStencilBufferSize(request.stencilBits);
  format.setSwapBehavior((request.flags & TPixelFormatRequest::DoubleBuffer) ? QSurfaceFormat::DoubleBuffer
                                                                             : QSurfaceFormat::SingleBuffer);
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(2, 1);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  return format;
}

bool TQtGLSurface::SetPixelFormat(const TPixelFormatRequest& request) {
  if (!(request.flags & TPixelFormatRequest::SupportOpenGL) || request.pixelType != TPixelFormatRequest::TypeRGBA)
    return false;
  int swapInterval = format_.swapInterval();
  format_ = FormatFor(request);
  format_.setSwapInterval(swapInterval);
  ApplyFormat();
  return true;
}

// Qt reports the sample count of the configuration it chose, but echoes the requested
// count when that configuration has no sample buffers; a second request tells them apart.
bool TQtGLSurface::HasMultisampleFormat(int samples) {
  int reported = ProbeSamples(samples);
  if (reported != samples) return reported > samples;
  return ProbeSamples(samples + 1) != samples + 1;
}

int TQtGLSurface::ProbeSamples(int samples) {
  QSurfaceFormat format = format_;
  format.setSamples(samples);
  QOffscreenSurface probe;
  probe.setFormat(format);
  probe.create();
  QOpenGLContext context;
  context.setFormat(format);
  bool made = probe.isValid() && context.create() && context.makeCurrent(&probe);
  int reported = made ? context.format().samples() : -1;
  context.doneCurrent();
  if (context_) MakeCurrent();
  return reported;
}

void TQtGLSurface::SetMultisampleFormat(int samples) {
  format_.setSamples(samples);
  ApplyFormat();
}

bool TQtGLSurface::CreateContext(const char*& error) {
  window_->create();
  context_ = std::make_unique<QOpenGLContext>();
  context_->setFormat(format_);
  if (!context_->create()) {
    context_.reset();
    error = "RC must not be 0";
    return false;
  }
  if (!context_->makeCurrent(window_)) {
    context_.reset();
    error = "DC must not be 0";
    return false;
  }
  return true;
}

void TQtGLSurface::ReleaseContext() {
  if (context_ && QOpenGLContext::currentContext() == context_.get()) context_->doneCurrent();
  context_.reset();
  fallback_.reset();
}

void TQtGLSurface::Swap() {
  // Swapping a window that is not on screen is undefined; the frame is simply not shown.
  if (context_ && window_->isExposed()) context_->swapBuffers(window_);
}

void TQtGLSurface::SetSwapInterval(int interval) {
  format_.setSwapInterval(interval);
  ApplyFormat();
}

bool TQtGLSurface::MakeCurrent() {
  if (!context_) return false;
  if (QOpenGLContext::currentContext() == context_.get()) return true;
  if (window_->handle() && context_->makeCurrent(window_)) return true;
  // A closed window may have lost its native surface; GL objects must still be freed in
  // their context, so a small offscreen surface stands in.
  if (!fallback_) {
    fallback_ = std::make_unique<QOffscreenSurface>();
    fallback_->setFormat(context_->format());
    fallback_->create();
  }
  return fallback_->isValid() && context_->makeCurrent(fallback_.get());
}

// The native window takes its visual and swap interval from the format when it is
// created, so a changed format recreates the window; the context and its objects stay.
void TQtGLSurface::ApplyFormat() {
  bool changed = window_->requestedFormat() != format_;
  window_->setFormat(format_);
  if (!changed || !window_->handle()) return;
  window_->destroy();
  window_->create();
  if (context_) context_->makeCurrent(window_);
}
