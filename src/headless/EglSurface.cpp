#include "headless/EglSurface.h"

#include <epoxy/egl.h>

#include <cstring>

namespace {

bool HasExtension(const char* list, const char* name) {
  if (!list) return false;
  size_t n = std::strlen(name);
  for (const char* p = std::strstr(list, name); p; p = std::strstr(p + 1, name))
    if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
  return false;
}

// A hardware device when the driver offers one; Mesa's software device does not count.
EGLDisplay DeviceDisplay() {
  const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  if (!HasExtension(clientExtensions, "EGL_EXT_platform_device")) return EGL_NO_DISPLAY;
  EGLDeviceEXT devices[8];
  EGLint count = 0;
  if (!eglQueryDevicesEXT(8, devices, &count)) return EGL_NO_DISPLAY;
  for (EGLint i = 0; i < count; ++i) {
    const char* ext = eglQueryDeviceStringEXT(devices[i], EGL_EXTENSIONS);
    if (HasExtension(ext, "EGL_MESA_device_software")) continue;
    EGLDisplay display = eglGetPlatformDisplayEXT(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr);
    if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr)) return display;
  }
  return EGL_NO_DISPLAY;
}

EGLContext MakeContext(EGLDisplay display) {
  EGLint configAttribs[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  eglChooseConfig(display, configAttribs, &config, 1, &count);
  // The compatibility profile keeps the fixed-function enums the program still uses.
  EGLint contextAttribs[] = {EGL_CONTEXT_MAJOR_VERSION,
                             2,
                             EGL_CONTEXT_MINOR_VERSION,
                             1,
                             EGL_CONTEXT_OPENGL_PROFILE_MASK,
                             EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                             EGL_NONE};
  return eglCreateContext(display, count > 0 ? config : EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, contextAttribs);
}

}  // namespace

TEglSurface::TEglSurface(int width, int height) : width_(width), height_(height) {}

TEglSurface::~TEglSurface() { ReleaseContext(); }

bool TEglSurface::OpenDisplay() {
  if (display_) return true;
  EGLDisplay display = DeviceDisplay();
  platform_ = "device";
  if (display == EGL_NO_DISPLAY) {
    display = eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    platform_ = "surfaceless";
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
  }
  eglBindAPI(EGL_OPENGL_API);
  display_ = display;
  return true;
}

bool TEglSurface::SetPixelFormat(const TPixelFormatRequest& request) {
  // A framebuffer object takes any of these; colour is always RGBA 8-8-8-8.
  if (request.colourBits > 32 || request.depthBits > 32) return false;
  depthBits_ = request.depthBits > 16 ? 24 : 16;
  samples_ = 0;
  return OpenDisplay();
}

bool TEglSurface::HasMultisampleFormat(int samples) {
  if (!OpenDisplay()) return false;
  EGLContext probe = MakeContext(display_);
  if (probe == EGL_NO_CONTEXT) return false;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, probe);
  GLint maxSamples = 0;
  glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display_, probe);
  return samples <= maxSamples;
}

void TEglSurface::SetMultisampleFormat(int samples) { samples_ = samples; }

bool TEglSurface::CreateContext(const char*& error) {
  if (!OpenDisplay()) {
    error = "DC must not be 0";
    return false;
  }
  context_ = MakeContext(display_);
  if (context_ == EGL_NO_CONTEXT || !eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
    context_ = nullptr;
    error = "RC must not be 0";
    return false;
  }
  CreateFramebuffer();
  return true;
}

void TEglSurface::ReleaseContext() {
  if (!context_) return;
  DeleteFramebuffer();
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display_, context_);
  context_ = nullptr;
}

void TEglSurface::Swap() {
  // Waiting for the frame here is what a blocking swap does on a window, so frame
  // times include the GPU's work.
  glFinish();
}

void TEglSurface::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  if (!context_) return;
  DeleteFramebuffer();
  CreateFramebuffer();
}

void TEglSurface::CreateFramebuffer() {
  GLenum depthFormat = depthBits_ > 16 ? GL_DEPTH_COMPONENT24 : GL_DEPTH_COMPONENT16;
  glGenRenderbuffers(1, &colour_);
  glBindRenderbuffer(GL_RENDERBUFFER, colour_);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, GL_RGBA8, width_, height_);
  glGenRenderbuffers(1, &depth_);
  glBindRenderbuffer(GL_RENDERBUFFER, depth_);
  glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, depthFormat, width_, height_);
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
  if (samples_ > 0) {
    glGenRenderbuffers(1, &resolveColour_);
    glBindRenderbuffer(GL_RENDERBUFFER, resolveColour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
    glGenFramebuffers(1, &resolveFramebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, resolveFramebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, resolveColour_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  }
  glViewport(0, 0, width_, height_);
}

void TEglSurface::DeleteFramebuffer() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  GLuint renderbuffers[] = {colour_, depth_, resolveColour_};
  GLuint framebuffers[] = {framebuffer_, resolveFramebuffer_};
  glDeleteRenderbuffers(3, renderbuffers);
  glDeleteFramebuffers(2, framebuffers);
  framebuffer_ = colour_ = depth_ = resolveFramebuffer_ = resolveColour_ = 0;
}

std::vector<uint8_t> TEglSurface::ReadPixels() {
  std::vector<uint8_t> pixels(static_cast<size_t>(width_) * height_ * 4);
  GLuint source = framebuffer_;
  if (samples_ > 0) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolveFramebuffer_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    source = resolveFramebuffer_;
  }
  glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  return pixels;
}
