#include "gl/OGL.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <optional>
#include <type_traits>
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
  for (QuadProgramSlot& quad : quad_) quad.program.reset();
  GLuint buffers[] = {streamBuffer_, indexBuffer_};
  if (streamBuffer_) glDeleteBuffers(2, buffers);
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
  if (initialised_) FlushQuads();
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
  FlushQuads();
  glDisable(GL_DEPTH_TEST);
  projection = OrthoMatrix(0, width, 0, height, -1, 1);
  view = IdentityMatrix();
  model = IdentityMatrix();
}

void TOGL::Set3D() {
  FlushQuads();
  projection =
      PerspectiveMatrix(fieldOfView, static_cast<double>(width_) / (height_ ? height_ : 1), nearPlane, farPlane);
  glEnable(GL_DEPTH_TEST);
  model = IdentityMatrix();
}

void TOGL::ResetModelMatrix() { model = IdentityMatrix(); }

void TOGL::SetDepthTest(bool on, GLenum function) {
  FlushQuads();
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
  FlushQuads();
  FrameTimer().Tick();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  model = IdentityMatrix();
}

void TOGL::Swap() {
  FlushQuads();
  surface_->Swap();
}

void TOGL::Begin2D(int width, int height) {
  SetOrtho2D(width, height);
  if (!quad_[kFull].program) CreateQuadResources();
  QuadBindShader();
  QuadBindVBO();
}

void TOGL::CreateQuadResources() {
  quadBuffer_ = std::make_unique<TOGL_VBO>(VL_V | VL_T1, int(sizeof kQuadVertices), kQuadVertices, GL_STATIC_DRAW);
  glGenBuffers(1, &streamBuffer_);
  std::vector<uint16_t> indices(size_t(kMaxBatchQuads) * 6);
  // The two triangles a fan of the four corners makes, so batched quads fill the same pixels.
  for (size_t q = 0; q < size_t(kMaxBatchQuads); ++q) {
    auto first = static_cast<uint16_t>(q * 4);
    const uint16_t corners[6] = {0, 1, 2, 0, 2, 3};
    for (int i = 0; i < 6; ++i) indices[q * 6 + i] = static_cast<uint16_t>(first + corners[i]);
  }
  glGenBuffers(1, &indexBuffer_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * 2), indices.data(), GL_STATIC_DRAW);
  vertices_.reserve(size_t(kMaxBatchQuads) * 4);
  LoadQuadPrograms();
  batch_.SetWhiteTexture(whiteTexture);
}

// Both programs share the vertex stage. Without the lean one (a data folder that lacks
// it) the full one draws every batch.
void TOGL::LoadQuadPrograms() {
  const std::string base = DataPath(version[0] >= 3 ? "\\shaders\\quad130" : "\\shaders\\quad120");
  quad_[kFull].program = std::make_unique<TGLSL_Program>();
  quad_[kFull].program->Load(base);
  quad_[kLean].program = std::make_unique<TGLSL_Program>();
  quad_[kLean].program->LoadFiles(base + ".vglsl", base + "_lean.fglsl");
  if (!quad_[kLean].program->Linked()) quad_[kLean].program.reset();
  entries_ = kMaxEntries;
  for (QuadProgramSlot& quad : quad_) FindSettingLocations(quad);
  for (int s = 0; s < kSettings; ++s) {
    floatValues_[s].assign(size_t(entries_ * kSettingWidth[s]), 0.0f);
    intValues_[s].assign(size_t(entries_ * kSettingWidth[s]), 0);
  }
}

// Each setting is a uniform array; the smallest of them bounds the entries in use.
void TOGL::FindSettingLocations(QuadProgramSlot& quad) {
  static constexpr const char* kNames[kSettings] = {"col", "col2", "ud", "udi", "typ", "grayscale"};
  if (!quad.program) return;
  for (const char* name : kNames) entries_ = std::min(entries_, quad.program->UniformArraySize(name));
  entries_ = std::max(entries_, 1);
  for (int s = 0; s < kSettings; ++s) {
    std::vector<GLint>& locations = quad.locations[s];
    locations.assign(size_t(kMaxEntries), -1);
    for (int k = 0; k < kMaxEntries; ++k) {
      std::string name = k == 0 ? kNames[s] : std::string(kNames[s]) + "[" + std::to_string(k) + "]";
      locations[k] = quad.program->UniformLocation(name.c_str());
    }
  }
}

void TOGL::QuadBindVBO() {
  FlushQuads();
  if (quadBuffer_) quadBuffer_->Bind();
}

void TOGL::QuadBindShader() {
  if (!quad_[kFull].program) return;
  FlushQuads();
  activeQuad_ = DefaultQuadProgram();
  quad_[activeQuad_].program->Use();
  quadMatrices_ = {model, view, projection};
  quad_[activeQuad_].program->SetMatrices(model, view, projection);
  const TMatrix4 identity = IdentityMatrix();
  pixelSpace_ = model == identity && view == identity && projection == OrthoMatrix(0, width_, 0, height_, -1, 1);
  cache_ = Cache{};
  entry_.fill(0);
  entryInBatch_.fill(false);
  SendAllSettings();
}

void TOGL::SendAllSettings() {
  const int32_t typ = cache_.typ;
  SendSetting(kCol, cache_.col);
  SendSetting(kCol2, cache_.col2);
  SendSetting(kUd, cache_.ud);
  SendSetting(kUdi, cache_.udi);
  SendSetting(kTyp, &typ);
  SendSetting(kGrayscale, &cache_.grayscale);
}

template <typename T>
void TOGL::SendSetting(Setting setting, const T* values) {
  const GLint location = SettingLocation(setting);
  const int entry = entry_[setting], width = kSettingWidth[setting];
  std::vector<T>& kept = [&]() -> std::vector<T>& {
    if constexpr (std::is_same_v<T, float>)
      return floatValues_[setting];
    else
      return intValues_[setting];
  }();
  std::copy_n(values, width, &kept[size_t(entry * width)]);
  UploadSetting(setting, location, entry, 1);
  ++quadUniformCalls_;
}

void TOGL::UploadSetting(Setting setting, GLint location, int first, int count) {
  const size_t at = size_t(first * kSettingWidth[setting]);
  const float* floats = floatValues_[setting].data() + at;
  const int32_t* ints = intValues_[setting].data() + at;
  switch (setting) {
    case kCol:
    case kCol2:
      glUniform4fv(location, count, floats);
      break;
    case kUd:
      glUniform2fv(location, count, floats);
      break;
    case kUdi:
      glUniform2iv(location, count, ints);
      break;
    default:
      glUniform1iv(location, count, ints);
  }
}

GLint TOGL::SettingLocation(Setting setting) {
  int& entry = entry_[setting];
  if (entryInBatch_[setting]) {
    entryInBatch_[setting] = false;
    if (entry + 1 < entries_) {
      ++entry;
    } else {
      FlushQuads();
      entry = 0;
    }
  }
  const std::vector<GLint>& locations = quad_[activeQuad_].locations[setting];
  return entry < int(locations.size()) ? locations[entry] : -1;
}

void TOGL::SetQuadType(TQuadType type) {
  if (cache_.typ == type) return;
  cache_.typ = type;
  const int32_t value = type;
  SendSetting(kTyp, &value);
}

void TOGL::SetColour(float r, float g, float b, float a) {
  float* c = cache_.col;
  if (c[0] == r && c[1] == g && c[2] == b && c[3] == a) return;
  c[0] = r, c[1] = g, c[2] = b, c[3] = a;
  SendSetting(kCol, c);
}

void TOGL::SetColour2(float r, float g, float b, float a) {
  float* c = cache_.col2;
  if (c[0] == r && c[1] == g && c[2] == b && c[3] == a) return;
  c[0] = r, c[1] = g, c[2] = b, c[3] = a;
  SendSetting(kCol2, c);
}

void TOGL::SetUD(float x, float y) {
  if (cache_.ud[0] == x && cache_.ud[1] == y) return;
  cache_.ud[0] = x, cache_.ud[1] = y;
  SendSetting(kUd, cache_.ud);
}

void TOGL::SetUDI(int32_t x, int32_t y) {
  if (cache_.udi[0] == x && cache_.udi[1] == y) return;
  cache_.udi[0] = x, cache_.udi[1] = y;
  SendSetting(kUdi, cache_.udi);
}

void TOGL::SetGrayscale(bool on) {
  int32_t value = on ? 1 : 0;
  if (cache_.grayscale == value) return;
  cache_.grayscale = value;
  SendSetting(kGrayscale, &value);
}

void TOGL::DrawQuad(float x, float y, float w, float h, float u, float v, float du, float dv) {
  if (!quadBuffer_) return;
  if (batch_.Pending() == kMaxBatchQuads) batch_.Flush();
  bool textured = batch_.AddQuad();
  if (cache_.typ == QT_DistanceText && !batchMinified_) batchMinified_ = NeedsTextFilter(w, h, du, dv);
  QuadVertex corner{x, y, u, v, {0, 0, 0, 0}, {}};
  for (int s = 0; s < kSettings; ++s) corner.entry[s] = static_cast<uint8_t>(entry_[s]);
  corner.entry[kSettings] = textured ? 0 : 1;
  entryInBatch_.fill(true);
  // Corners as the unit square orders them; the sums are those the old vertex shader made.
  const float x1 = x + w, y1 = y + h, u1 = u + du, v1 = v + dv;
  vertices_.push_back(corner);
  corner.y = y1, corner.v = v1, corner.corner[1] = 1;
  vertices_.push_back(corner);
  corner.x = x1, corner.u = u1, corner.corner[0] = 1;
  vertices_.push_back(corner);
  corner.y = y, corner.v = v, corner.corner[1] = 0;
  vertices_.push_back(corner);
  if (flushEveryQuad_) batch_.Flush();
}

// In pixel space an axis-aligned quad steps its texture by du / w and dv / h a pixel, as
// the shader's derivatives measure it (page texels times 0.7071 of the length); the 1 %
// margin leaves the rounding of those derivatives to the full program.
bool TOGL::NeedsTextFilter(float w, float h, float du, float dv) const {
  if (!pixelSpace_) return true;
  constexpr double kPageTexels = 512.0, kLimit = 1.5 * 0.99;
  const double across = kPageTexels * du / w, up = kPageTexels * dv / h;
  return !(std::sqrt(across * across + up * up) * 0.7071 <= kLimit);
}

TOGL::QuadProgramKind TOGL::DefaultQuadProgram() const { return useLean_ && quad_[kLean].program ? kLean : kFull; }

void TOGL::SwitchQuadProgram(QuadProgramKind kind) {
  activeQuad_ = kind;
  TGLSL_Program& program = *quad_[kind].program;
  program.Bind();
  program.SetMatrices(quadMatrices_[0], quadMatrices_[1], quadMatrices_[2]);
  for (int s = 0; s < kSettings; ++s) UploadSetting(Setting(s), quad_[kind].locations[s][0], 0, entries_);
  quadUniformCalls_ += kSettings;
}

void TOGL::DrawBatch() {
  const QuadProgramKind kind = batchMinified_ ? kFull : DefaultQuadProgram();
  batchMinified_ = false;
  if (kind != activeQuad_) SwitchQuadProgram(kind);
  if (kind == kFull) ++fullProgramBatches_;
  constexpr GLsizei kStride = sizeof(QuadVertex);
  glBindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices_.size() * sizeof(QuadVertex)), vertices_.data(), GL_STREAM_DRAW);
  struct Pointer {
    GLuint attribute;
    GLint components;
    GLenum type;
    uintptr_t offset;
  };
  static constexpr Pointer kPointers[] = {{0, 2, GL_FLOAT, 0},
                                          {1, 2, GL_FLOAT, 8},
                                          {5, 2, GL_UNSIGNED_BYTE, offsetof(QuadVertex, corner)},
                                          {6, 4, GL_UNSIGNED_BYTE, offsetof(QuadVertex, entry)},
                                          {7, 4, GL_UNSIGNED_BYTE, offsetof(QuadVertex, entry) + 4}};
  for (const Pointer& p : kPointers) {
    glEnableVertexAttribArray(p.attribute);
    glVertexAttribPointer(p.attribute, p.components, p.type, GL_FALSE, kStride,
                          reinterpret_cast<const void*>(p.offset));
  }
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  ZQ_GL_CHECK(glDrawElements(GL_TRIANGLES, GLsizei(vertices_.size() / 4 * 6), GL_UNSIGNED_SHORT, nullptr));
  // Other programs read attributes 0 and 1 only, from buffers they bind themselves.
  for (GLuint attribute : {5u, 6u, 7u}) glDisableVertexAttribArray(attribute);
  vertices_.clear();
  entryInBatch_.fill(false);
}

void TOGL::FlushQuads() {
  batch_.Flush();
  if (std::optional<GLuint> texture = batch_.DeferredBinding()) glBindTexture(GL_TEXTURE_2D, *texture);
}

void TOGL::DrawQuadWithProgram(TGLSL_Program& program, const std::function<void()>& setUniforms, float x, float y,
                               float w, float h, float u, float v, float du, float dv) {
  FlushQuads();
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

void TOGL::SetScissor(int x, int y, int width, int height) {
  batch_.SetScissor({x, y, width, height});
  TOGL_Renderer::SetScissor(x, y, width, height);
}

void TOGL::EnableScissor(bool on) {
  batch_.EnableScissor(on);
  TOGL_Renderer::EnableScissor(on);
}

void TOGL::SetBlend(bool on) {
  batch_.SetBlend(on);
  TOGL_Renderer::SetBlend(on);
}

GLuint TOGL::MakeTexture(int width, int height, GLenum internalFormat, GLenum sourceFormat, GLenum type,
                         const void* pixels, int bytesPerPixel, bool flip, bool clamp, GLint filter) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  batch_.BoundForUpload(texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  textures_[texture] = {width, height, internalFormat};
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
  std::optional<GLuint> now = batch_.BindTexture(unit, texture);
  if (!now) return;
  glActiveTexture(GL_TEXTURE0 + unit);
  glBindTexture(GL_TEXTURE_2D, *now);
  // Texture creation binds on the active unit; keep that unit 0.
  if (unit != 0) glActiveTexture(GL_TEXTURE0);
}

void TOGL::DeleteTexture(GLuint texture) {
  if (!texture) return;
  batch_.TextureDeleted(texture);
  textures_.erase(texture);
  ++texturesDeleted_;
  glDeleteTextures(1, &texture);
}

void TOGL::UpdateTexture(GLuint texture, int width, int height, GLenum sourceFormat, const void* pixels) {
  batch_.BoundForUpload(texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  ZQ_GL_CHECK(glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, sourceFormat, GL_UNSIGNED_BYTE, pixels));
}

std::pair<int, int> TOGL::TextureSize(GLuint texture) const {
  auto found = textures_.find(texture);
  return found == textures_.end() ? std::pair(0, 0) : std::pair(found->second.width, found->second.height);
}

bool TOGL::CanCopyTextures() const { return epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_ARB_copy_image"); }

GLuint TOGL::CreateTextureArray(const std::vector<GLuint>& textures, int& width, int& height) {
  FlushQuads();
  width = height = 1;
  GLenum format = 0;
  for (GLuint t : textures) {
    auto found = textures_.find(t);
    if (found == textures_.end()) continue;
    if (!format) format = found->second.internalFormat;
    width = std::max(width, found->second.width);
    height = std::max(height, found->second.height);
  }
  if (!format) format = GL_RGBA8;
  GLuint array = 0;
  glGenTextures(1, &array);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D_ARRAY, array);
  SetTexParams(GL_TEXTURE_2D_ARRAY, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE, GL_NEAREST, GL_NEAREST, false);
  glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, static_cast<GLint>(format), width, height, GLsizei(textures.size()), 0, GL_RGBA,
               GL_UNSIGNED_BYTE, nullptr);
  for (size_t layer = 0; layer < textures.size(); ++layer) {
    auto found = textures_.find(textures[layer]);
    if (found == textures_.end() || found->second.internalFormat != format) continue;
    const int w = found->second.width, h = found->second.height;
    if (w <= 0 || h <= 0) continue;
    ZQ_GL_CHECK(glCopyImageSubData(textures[layer], GL_TEXTURE_2D, 0, 0, 0, 0, array, GL_TEXTURE_2D_ARRAY, 0, 0, 0,
                                   GLint(layer), w, h, 1));
  }
  glActiveTexture(GL_TEXTURE0);
  return array;
}

void TOGL::BindTextureArray(int unit, GLuint texture) {
  FlushQuads();
  glActiveTexture(GL_TEXTURE0 + unit);
  glBindTexture(GL_TEXTURE_2D_ARRAY, texture);
  glActiveTexture(GL_TEXTURE0);
}
