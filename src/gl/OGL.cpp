#include "gl/OGL.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "gl/GLCheck.h"
#include "gl/Timer.h"
#include "platform/DataFiles.h"
#include "platform/MessageBox.h"

namespace {

TOGL* g_ogl = nullptr;

constexpr float kQuadVertices[20] = {0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 1, 0, 1, 1, 1, 0, 0, 1, 0};

// Rows in reverse order, for uploads whose source starts at the top.
std::vector<uint8_t> FlipRows(const void* pixels, int width, int height, int bytesPerPixel) {
  size_t row = static_cast<size_t>(width) * bytesPerPixel;
  std::vector<uint8_t> flipped(row * height);
  const auto* src = static_cast<const uint8_t*>(pixels);
  for (int y = 0; y < height; ++y) std::memcpy(&flipped[row * (height - 1 - y)], src + row * y, row);
  return flipped;
}

int BytesPerPixel(GLenum sourceFormat) {
  switch (sourceFormat) {
    case GL_RED:
    case GL_ALPHA:
    case GL_LUMINANCE:
      return 1;
    case GL_RG:
    case GL_LUMINANCE_ALPHA:
      return 2;
    case GL_RGB:
    case GL_BGR:
      return 3;
    case GL_RGBA:
    case GL_BGRA:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

TOGL* OGL() { return g_ogl; }

std::string DriverWarning(std::string_view renderer, const std::array<uint8_t, 4>& version) {
  std::string lower(renderer);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "gdi generic")
    return "Error: GDI Generic Fallback Driver detected. OpenGL driver not installed!. App May Crash.";
  // Only the major number counts: a 2.0 driver passes.
  if (version[0] < 2)
    return "Error: OpenGL Version is v" + std::to_string(version[0]) + "." + std::to_string(version[1]) + "." +
           std::to_string(version[2]) + " . App requires at least v2.1";
  return "";
}

bool OGLReady() { return g_ogl && g_ogl->Initialised(); }

void ResizeIfReady(int width, int height) {
  if (OGLReady()) g_ogl->Resize(width, height);
}

std::string GLString(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text ? text : "";
}

TOGL::TOGL(double nearPlane, double farPlane, double fieldOfView)
    : fieldOfView(fieldOfView), farPlane(farPlane), nearPlane(nearPlane) {
  g_ogl = this;
}

TOGL::~TOGL() {
  // The quad objects are deleted while the context is still current.
  quadBuffer_.reset();
  quadProgram_.reset();
  Shutdown();
  if (g_ogl == this) g_ogl = nullptr;
}

void TOGL::Init(IGLSurface* surface, const TPixelFormatRequest& request, int width, int height, int samples) {
  surface_ = surface;
  width_ = width;
  height_ = height;
  int format = samples > 0 ? ChooseMultisampleFormat(samples) : -1;
  if (format > -1) {
    multisample_ = true;
    surface_->SetMultisampleFormat(format);
  } else {
    SetPF(request);
  }
  const char* error = nullptr;
  if (!surface_->CreateContext(error)) throw std::runtime_error(error ? error : "RC must not be 0");
  ReadVersion();
  std::string warning = DriverWarning(GLString(GL_RENDERER), version);
  if (!warning.empty()) ShowMessageBox("Error", warning);
  glEnable(GL_TEXTURE_2D);
  glGetError();  // GL_TEXTURE_2D is no capability on core contexts; nothing depends on it
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glCullFace(GL_BACK);
  initialised_ = true;
  Resize(width, height);
  glClearColor(58 / 255.0f, 58 / 255.0f, 73 / 255.0f, 1.0f);
  Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Swap();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  SetVSync(false);
  CreateDefaultTextures();
  FrameTimer().Reset();
}

void TOGL::SetPF(const TPixelFormatRequest& request) {
  if (surface_->SetPixelFormat(request)) return;
  if (surface_->SetPixelFormat(TPixelFormatRequest::Default())) return;
  throw std::runtime_error("TOGL.SetPF: PF = 0");
}

int TOGL::ChooseMultisampleFormat(int samples) {
  int n = samples;
  while (!surface_->HasMultisampleFormat(n)) {
    n /= 2;
    if (n < 2) return -1;
  }
  return n;
}

void TOGL::Resize(int width, int height) {
  if (height == 0) height = 1;
  width_ = width;
  height_ = height;
  if (!initialised_) return;
  glViewport(0, 0, width, height);
  projection = PerspectiveMatrix(fieldOfView, static_cast<double>(width) / height, nearPlane, farPlane);
  model = IdentityMatrix();
}

void TOGL::SetOrtho2D(int width, int height) {
  if (width < 1) width = Width();
  if (height < 1) height = Height();
  glDisable(GL_DEPTH_TEST);
  projection = OrthoMatrix(0, width, 0, height, -1, 1);
  view = IdentityMatrix();
  model = IdentityMatrix();
}

void TOGL::Set3D() {
  projection =
      PerspectiveMatrix(fieldOfView, static_cast<double>(width_) / (height_ ? height_ : 1), nearPlane, farPlane);
  glEnable(GL_DEPTH_TEST);
  model = IdentityMatrix();
}

void TOGL::ResetModelMatrix() { model = IdentityMatrix(); }

void TOGL::SetDepthTest(bool on, GLenum function) {
  if (!on) {
    glDisable(GL_DEPTH_TEST);
    return;
  }
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glDepthFunc(function);
}

void TOGL::Shutdown() {
  if (!initialised_) return;
  glDeleteTextures(1, &gridTexture);
  glDeleteTextures(1, &whiteTexture);
  gridTexture = whiteTexture = 0;
  surface_->ReleaseContext();
  initialised_ = false;
}

void TOGL::Clear(GLbitfield) {
  FrameTimer().Tick();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  model = IdentityMatrix();
}

void TOGL::Swap() { surface_->Swap(); }

void TOGL::Begin2D(int width, int height) {
  SetOrtho2D(width, height);
  if (!quadProgram_) CreateQuadResources();
  QuadBindShader();
  QuadBindVBO();
}

void TOGL::CreateQuadResources() {
  quadBuffer_ = std::make_unique<TOGL_VBO>(VL_V | VL_T1, int(sizeof kQuadVertices), kQuadVertices, GL_STATIC_DRAW);
  quadProgram_ = std::make_unique<TGLSL_Program>();
  quadProgram_->Load(DataPath(version[0] >= 3 ? "\\shaders\\quad130" : "\\shaders\\quad120"));
  TGLSL_Program& p = *quadProgram_;
  loc_ = {p.UniformLocation("TO"),  p.UniformLocation("QS"), p.UniformLocation("col"), p.UniformLocation("col2"),
          p.UniformLocation("typ"), p.UniformLocation("ud"), p.UniformLocation("udi"), p.UniformLocation("grayscale")};
}

void TOGL::QuadBindVBO() {
  if (quadBuffer_) quadBuffer_->Bind();
}

void TOGL::QuadBindShader() {
  if (!quadProgram_) return;
  quadProgram_->Use();
  quadProgram_->SetMatrices(model, view, projection);
  cache_ = Cache{};
  glUniform1i(loc_.typ, cache_.typ);
  glUniform4fv(loc_.col, 1, cache_.col);
  glUniform4fv(loc_.col2, 1, cache_.col2);
  glUniform2fv(loc_.ud, 1, cache_.ud);
  glUniform2iv(loc_.udi, 1, cache_.udi);
  glUniform1i(loc_.grayscale, cache_.grayscale);
  quadUniformCalls_ += 6;
}

void TOGL::SetQuadType(uint8_t type) {
  if (cache_.typ == type) return;
  cache_.typ = type;
  glUniform1i(loc_.typ, type);
  ++quadUniformCalls_;
}

void TOGL::SetColour(float r, float g, float b, float a) {
  float* c = cache_.col;
  if (c[0] == r && c[1] == g && c[2] == b && c[3] == a) return;
  c[0] = r, c[1] = g, c[2] = b, c[3] = a;
  glUniform4fv(loc_.col, 1, c);
  ++quadUniformCalls_;
}

void TOGL::SetColour2(float r, float g, float b, float a) {
  float* c = cache_.col2;
  if (c[0] == r && c[1] == g && c[2] == b && c[3] == a) return;
  c[0] = r, c[1] = g, c[2] = b, c[3] = a;
  glUniform4fv(loc_.col2, 1, c);
  ++quadUniformCalls_;
}

void TOGL::SetUD(float x, float y) {
  if (cache_.ud[0] == x && cache_.ud[1] == y) return;
  cache_.ud[0] = x, cache_.ud[1] = y;
  glUniform2fv(loc_.ud, 1, cache_.ud);
  ++quadUniformCalls_;
}

void TOGL::SetUDI(int32_t x, int32_t y) {
  if (cache_.udi[0] == x && cache_.udi[1] == y) return;
  cache_.udi[0] = x, cache_.udi[1] = y;
  glUniform2iv(loc_.udi, 1, cache_.udi);
  ++quadUniformCalls_;
}

void TOGL::SetGrayscale(bool on) {
  int32_t value = on ? 1 : 0;
  if (cache_.grayscale == value) return;
  cache_.grayscale = value;
  glUniform1i(loc_.grayscale, value);
  ++quadUniformCalls_;
}

void TOGL::DrawQuad(float x, float y, float w, float h, float u, float v, float du, float dv) {
  glUniform4f(loc_.qs, x, y, w, h);
  glUniform4f(loc_.to, u, v, du, dv);
  // A fan of the four corners fills the same pixels as a polygon and works on every profile.
  ZQ_GL_CHECK(glDrawArrays(GL_TRIANGLE_FAN, 0, 4));
}

void TOGL::DrawQuadWithProgram(TGLSL_Program& program, const std::function<void()>& setUniforms, float x, float y,
                               float w, float h, float u, float v, float du, float dv) {
  program.Use();
  program.SetMatrices(model, view, projection);
  QuadBindVBO();
  setUniforms();
  glUniform4f(program.UniformLocation("QS"), x, y, w, h);
  glUniform4f(program.UniformLocation("TO"), u, v, du, dv);
  ZQ_GL_CHECK(glDrawArrays(GL_TRIANGLE_FAN, 0, 4));
  QuadBindShader();
  QuadBindVBO();
}

GLuint TOGL::MakeTexture(int width, int height, GLenum internalFormat, GLenum sourceFormat, GLenum type,
                         const void* pixels, int bytesPerPixel, bool flip, bool clamp, GLint filter) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint wrap = clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
  SetTexParams(GL_TEXTURE_2D, wrap, wrap, filter, filter, false);
  std::vector<uint8_t> flipped;
  if (flip) {
    if (bytesPerPixel > 0 && pixels) flipped = FlipRows(pixels, width, height, bytesPerPixel);
    pixels = flipped.empty() ? nullptr : flipped.data();
  }
  ZQ_GL_CHECK(
      glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width, height, 0, sourceFormat, type, pixels));
  return texture;
}

GLuint TOGL::CreateTexture(int width, int height, GLenum internalFormat, GLenum sourceFormat, const void* pixels,
                           bool flip, bool clamp) {
  return MakeTexture(width, height, internalFormat, sourceFormat, GL_UNSIGNED_BYTE, pixels, BytesPerPixel(sourceFormat),
                     flip, clamp, GL_NEAREST);
}

GLuint TOGL::CreateTextureLinear(int width, int height, GLenum internalFormat, GLenum sourceFormat, const void* pixels,
                                 bool flip, bool clamp) {
  return MakeTexture(width, height, internalFormat, sourceFormat, GL_UNSIGNED_BYTE, pixels, BytesPerPixel(sourceFormat),
                     flip, clamp, GL_LINEAR);
}

GLuint TOGL::CreateTexture565(int width, int height, const void* pixels, bool flip, bool clamp) {
  return MakeTexture(width, height, GL_RGB, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, pixels, 2, flip, clamp, GL_NEAREST);
}

GLuint TOGL::CreateTexture565Linear(int width, int height, const void* pixels, bool flip, bool clamp) {
  return MakeTexture(width, height, GL_RGB, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, pixels, 2, flip, clamp, GL_LINEAR);
}

void TOGL::BindTexture(int unit, GLuint texture) {
  glActiveTexture(GL_TEXTURE0 + unit);
  glBindTexture(GL_TEXTURE_2D, texture);
  // Texture creation binds on the active unit; keep that unit 0.
  if (unit != 0) glActiveTexture(GL_TEXTURE0);
}
