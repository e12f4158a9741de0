#pragma once
#include <memory>
#include <stdexcept>
#include <string>

#include "gl/Renderer.h"
#include "gl/Shader.h"
#include "gl/VBO.h"
#include "platform/GLSurface.h"

// The one GL context of the program with its drawing state, texture creation and
// the quad facility (one unit-square buffer, one program, cached uniforms).
class TOGL : public TOGL_Renderer {
 public:
  TOGL(double nearPlane, double farPlane, double fieldOfView);
  ~TOGL() override;

  // Creates the context on `surface` and makes it current. Throws std::runtime_error
  // ("TOGL.SetPF: PF = 0") when no pixel format fits.
  void Init(IGLSurface* surface, const TPixelFormatRequest& request, int width, int height, int samples);
  void SetPF(const TPixelFormatRequest& request);
  // Halves the sample count until a format exists; -1 below 2 samples.
  int ChooseMultisampleFormat(int samples);
  void Resize(int width, int height);
  void SetOrtho2D(int width, int height);
  void Set3D();
  void ResetModelMatrix();
  void Shutdown();
  // Frame-level state the shared frame order switches.
  void SetDepthTest(bool on, GLenum function = GL_LESS);

  bool Initialised() const { return initialised_; }
  bool Multisample() const { return multisample_; }

  void Clear(GLbitfield mask) override;
  void Swap() override;
  void Begin2D(int width, int height) override;
  void QuadBindVBO() override;
  void QuadBindShader() override;
  void SetQuadType(uint8_t type) override;
  void SetColour(float r, float g, float b, float a) override;
  void SetColour2(float r, float g, float b, float a) override;
  void SetUD(float x, float y) override;
  void SetUDI(int32_t x, int32_t y) override;
  void SetGrayscale(bool on) override;
  void DrawQuad(float x, float y, float w, float h, float u, float v, float du, float dv) override;
  void DrawQuadWithProgram(TGLSL_Program& program, const std::function<void()>& setUniforms, float x, float y, float w,
                           float h, float u, float v, float du, float dv) override;
  GLuint CreateTexture(int width, int height, GLenum internalFormat, GLenum sourceFormat, const void* pixels, bool flip,
                       bool clamp) override;
  GLuint CreateTexture565(int width, int height, const void* pixels, bool flip, bool clamp) override;
  GLuint CreateTextureLinear(int width, int height, GLenum internalFormat, GLenum sourceFormat, const void* pixels,
                             bool flip, bool clamp) override;
  GLuint CreateTexture565Linear(int width, int height, const void* pixels, bool flip, bool clamp) override;
  void BindTexture(int unit, GLuint texture) override;

  void CreateQuadResources();
  TGLSL_Program* QuadProgram() { return quadProgram_.get(); }
  // Uniform calls the quad cache has sent since creation (for tests and benchmarks).
  int QuadUniformCalls() const { return quadUniformCalls_; }

  double fieldOfView;
  double farPlane;
  double nearPlane;

 private:
  GLuint MakeTexture(int width, int height, GLenum internalFormat, GLenum sourceFormat, GLenum type, const void* pixels,
                     int bytesPerPixel, bool flip, bool clamp, GLint filter);

  bool initialised_ = false;
  bool multisample_ = false;

  std::unique_ptr<TOGL_VBO> quadBuffer_;
  std::unique_ptr<TGLSL_Program> quadProgram_;
  struct Locations {
    GLint to = -1, qs = -1, col = -1, col2 = -1, typ = -1, ud = -1, udi = -1, grayscale = -1;
  } loc_;
  struct Cache {
    uint8_t typ = 0;
    float col[4] = {1, 1, 1, 1};
    float col2[4] = {1, 1, 1, 1};
    float ud[2] = {0, 0.58f};
    int32_t udi[2] = {0, 0};
    int32_t grayscale = 0;
  } cache_;
  int quadUniformCalls_ = 0;
};

// The program's GL object: set when a TOGL is created, cleared when it is destroyed.
TOGL* OGL();
// The ready test: the GL object exists and its Init completed.
bool OGLReady();
void ResizeIfReady(int width, int height);

// The "Error" message a driver earns at start-up (a software fallback, or GL below 2), or empty.
std::string DriverWarning(std::string_view renderer, const std::array<uint8_t, 4>& version);

// A GL implementation string (vendor, renderer, version, extensions), empty when absent.
std::string GLString(GLenum name);
