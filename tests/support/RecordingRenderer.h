#pragma once
#include <array>
#include <vector>

#include "gl/QuadBatch.h"
#include "gl/Renderer.h"

// A renderer without GL that keeps what it was asked to draw, so drawing code can be
// tested on its quads, colours, quad types and texture binds. It batches by the GL
// object's rule and counts the flushes that rule makes.
class RecordingRenderer : public TOGL_Renderer {
 public:
  struct Quad {
    float x, y, w, h, u, v, du, dv;
    std::array<float, 4> colour;
    std::array<float, 4> colour2;
    uint8_t type;
    GLuint texture;  // bound on unit 0 when drawn
    std::array<float, 2> ud;
    std::array<int32_t, 2> udi;
    bool grayscale;
    bool blend;
    bool clipped;                  // scissor testing was on
    std::array<int, 4> scissor;    // the rectangle in force while clipped
    const TGLSL_Program* program;  // null: the quad program
    int batch;                     // flushes before this quad: equal numbers share a draw call
  };
  struct Texture {
    GLuint name;
    int width, height;
    GLenum internalFormat, sourceFormat;
    bool flip, clamp, linear;
  };

  explicit RecordingRenderer(int width = 1024, int height = 768);

  void Clear(GLbitfield) override;
  void Swap() override;
  void Begin2D(int, int) override { QuadBindShader(); }
  void QuadBindVBO() override { batch_.Flush(); }
  void QuadBindShader() override;
  using TOGL_Renderer::SetQuadType;
  void SetQuadType(TQuadType type) override { type_ = type; }
  void SetColour(float r, float g, float b, float a) override { colour_ = {r, g, b, a}; }
  void SetColour2(float r, float g, float b, float a) override { colour2_ = {r, g, b, a}; }
  void SetUD(float x, float y) override { ud_ = {x, y}; }
  void SetUDI(int32_t x, int32_t y) override { udi_ = {x, y}; }
  void SetGrayscale(bool on) override { grayscale_ = on; }
  void DrawQuad(float x, float y, float w, float h, float u, float v, float du, float dv) override;
  GLuint CreateTexture(int width, int height, GLenum internalFormat, GLenum sourceFormat, const void*, bool flip,
                       bool clamp) override;
  GLuint CreateTexture565(int width, int height, const void*, bool flip, bool clamp) override;
  GLuint CreateTextureLinear(int width, int height, GLenum internalFormat, GLenum sourceFormat, const void*, bool flip,
                             bool clamp) override;
  GLuint CreateTexture565Linear(int width, int height, const void*, bool flip, bool clamp) override;
  void BindTexture(int unit, GLuint texture) override;
  void DeleteTexture(GLuint texture) override;
  void SetScissor(int x, int y, int width, int height) override;
  void EnableScissor(bool on) override;
  void SetBlend(bool on) override;
  void DrawQuadWithProgram(TGLSL_Program& program, const std::function<void()>& setUniforms, float x, float y, float w,
                           float h, float u, float v, float du, float dv) override;
  void FlushQuads() override { batch_.Flush(); }
  void UpdateTexture(GLuint texture, int, int, GLenum, const void*) override;

  // Draw calls the batched quads have taken so far.
  int Flushes() const { return batch_.Flushes(); }

  std::vector<Quad> quads;
  std::vector<Texture> textures;
  std::vector<GLuint> deletedTextures;
  std::vector<GLuint> updatedTextures;
  std::vector<std::array<int, 4>> scissors;  // every rectangle applied, in order
  bool scissorOn = false;
  bool blend = true;  // as the frame leaves it for the GUI
  int clears = 0;
  int swaps = 0;

 private:
  GLuint AddTexture(Texture texture);
  void Record(float x, float y, float w, float h, float u, float v, float du, float dv, const TGLSL_Program* program);

  uint8_t type_ = 0;
  std::array<float, 4> colour_{1, 1, 1, 1};
  std::array<float, 4> colour2_{1, 1, 1, 1};
  std::array<float, 2> ud_{0, 0.58f};
  std::array<int32_t, 2> udi_{0, 0};
  bool grayscale_ = false;
  std::array<GLuint, 32> bound_{};
  TQuadBatch batch_{[] {}, true};
};
