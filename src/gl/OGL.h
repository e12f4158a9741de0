#pragma once
#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "gl/QuadBatch.h"
#include "gl/Renderer.h"
#include "gl/Shader.h"
#include "gl/VBO.h"
#include "platform/GLSurface.h"

// The one GL context of the program with its drawing state, texture creation and
// the quad facility. Quads are batched: each DrawQuad adds four vertices to one
// streaming buffer, and the batch is drawn in one call when something it depends on
// changes or something else draws. The per-quad settings (colours, type, ud, udi,
// grayscale) stay cached uniforms, held in small uniform arrays; a vertex names the
// array entry it was drawn with, so a change takes a fresh entry instead of a flush.
// Two programs draw the batches: a lean one, and for batches holding distance-field
// text minified past 1.5 texels a pixel (or drawn through other matrices than pixel
// space) the full one, whose four-sample filter a software rasteriser would otherwise
// pay on every pixel. Both draw the same pixels wherever the lean one is used.
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
  // Binds the unit-square buffer on attributes 0 and 1 (the instanced renderer and the
  // element shaders draw from it).
  void QuadBindVBO() override;
  void QuadBindShader() override;
  using TOGL_Renderer::SetQuadType;
  void SetQuadType(TQuadType type) override;
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
  void DeleteTexture(GLuint texture) override;
  void SetScissor(int x, int y, int width, int height) override;
  void EnableScissor(bool on) override;
  void SetBlend(bool on) override;
  void FlushQuads() override;
  void UpdateTexture(GLuint texture, int width, int height, GLenum sourceFormat, const void* pixels) override;

  // Textures deleted since creation: a name seen before may now stand for another texture.
  int64_t TexturesDeleted() const { return texturesDeleted_; }
  // Size of a texture made by one of the CreateTexture operations; (0, 0) for any other.
  std::pair<int, int> TextureSize(GLuint texture) const;
  // Whether textures can be copied on the card (GL 4.3 or ARB_copy_image).
  bool CanCopyTextures() const;
  // A 2-D array texture with one layer per texture of `textures` (0 leaves its layer
  // empty), as large as the largest of them, each copied into the corner of its layer.
  // Copies need equal internal formats: the first texture's decides, and one of another
  // format leaves its layer empty. Nearest filtering, clamped; delete it with DeleteTexture.
  GLuint CreateTextureArray(const std::vector<GLuint>& textures, int& width, int& height);
  void BindTextureArray(int unit, GLuint texture);

  void CreateQuadResources();
  // The program quads are drawn with unless their batch needs the full one.
  TGLSL_Program* QuadProgram() { return quad_[DefaultQuadProgram()].program.get(); }
  // Off, every batch takes the full program: the pixels stay the same (for tests and benchmarks).
  void SetLeanQuadProgram(bool on) { useLean_ = on; }
  // Batches drawn with the full program since creation.
  int FullProgramBatches() const { return fullProgramBatches_; }
  // Uniform calls the quad cache has sent since creation (for tests and benchmarks).
  int QuadUniformCalls() const { return quadUniformCalls_; }
  // Draw calls that batches of quads have taken since creation.
  int QuadDrawCalls() const { return batch_.Flushes(); }
  // Flushing after every quad draws the same pixels as batching, one call per quad.
  void SetFlushEveryQuad(bool on) { flushEveryQuad_ = on; }
  // Quads one batch holds at most (its vertices are indexed with 16 bits).
  static constexpr int kMaxBatchQuads = 16384;

  double fieldOfView;
  double farPlane;
  double nearPlane;

 private:
  GLuint MakeTexture(int width, int height, GLenum internalFormat, GLenum sourceFormat, GLenum type, const void* pixels,
                     int bytesPerPixel, bool flip, bool clamp, GLint filter);

  // The quad settings, in the order of their entry numbers in a vertex.
  enum Setting { kCol, kCol2, kUd, kUdi, kTyp, kGrayscale, kSettings };
  // Values of one setting entry: col, col2 and ud in floats, the rest in integers.
  static constexpr int kSettingWidth[kSettings] = {4, 4, 2, 2, 1, 1};
  static constexpr int kMaxEntries = 32;
  enum QuadProgramKind { kFull, kLean, kQuadPrograms };
  struct QuadProgramSlot {
    std::unique_ptr<TGLSL_Program> program;
    std::array<std::vector<GLint>, kSettings> locations;  // of each setting's entries
  };
  struct QuadVertex {
    float x, y, u, v;
    uint8_t corner[4];
    uint8_t entry[8];  // array entries of the settings, then 1 for a fill that samples nothing
  };
  static_assert(sizeof(QuadVertex) == 28);

  void LoadQuadPrograms();
  void FindSettingLocations(QuadProgramSlot& quad);
  // The array entry to send a changed setting to: a fresh one while the current one is in the batch.
  GLint SettingLocation(Setting setting);
  // Sends a changed setting to its entry, and keeps the values for the other program
  // (float for col, col2 and ud, int32_t for the rest).
  template <typename T>
  void SendSetting(Setting setting, const T* values);
  // Sends `count` kept entries of a setting from entry `first` on, to `location`.
  void UploadSetting(Setting setting, GLint location, int first, int count);
  void SendAllSettings();
  // Whether a distance-field text quad may be minified past 1.5 texels a pixel somewhere.
  bool NeedsTextFilter(float w, float h, float du, float dv) const;
  QuadProgramKind DefaultQuadProgram() const;
  // Makes `kind` the quads' program inside a flush, with the matrices and every setting entry.
  void SwitchQuadProgram(QuadProgramKind kind);
  void DrawBatch();

  bool initialised_ = false;
  bool multisample_ = false;

  std::unique_ptr<TOGL_VBO> quadBuffer_;
  std::array<QuadProgramSlot, kQuadPrograms> quad_;
  QuadProgramKind activeQuad_ = kFull;
  // The matrices the programs were given by the last QuadBindShader, and whether they
  // map a unit to a pixel of the viewport.
  std::array<TMatrix4, 3> quadMatrices_{};
  bool pixelSpace_ = false;
  bool batchMinified_ = false;
  bool useLean_ = true;
  int fullProgramBatches_ = 0;
  std::array<std::vector<float>, kSettings> floatValues_;  // by entry: col, col2, ud
  std::array<std::vector<int32_t>, kSettings> intValues_;  // by entry: udi, typ, grayscale
  struct Cache {
    uint8_t typ = 0;
    float col[4] = {1, 1, 1, 1};
    float col2[4] = {1, 1, 1, 1};
    float ud[2] = {0, 0.58f};
    int32_t udi[2] = {0, 0};
    int32_t grayscale = 0;
  } cache_;
  int quadUniformCalls_ = 0;

  TQuadBatch batch_{[this] { DrawBatch(); }, false};
  std::vector<QuadVertex> vertices_;
  GLuint streamBuffer_ = 0;
  GLuint indexBuffer_ = 0;
  std::array<int, kSettings> entry_{};
  std::array<bool, kSettings> entryInBatch_{};
  int entries_ = 1;
  bool flushEveryQuad_ = false;
  struct TextureInfo {
    int width, height;
    GLenum internalFormat;
  };
  std::unordered_map<GLuint, TextureInfo> textures_;
  int64_t texturesDeleted_ = 0;
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
