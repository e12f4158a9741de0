#pragma once
#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "gl/Matrix.h"

class IGLSurface;
class TGLSL_Program;

// What the quad program does with a quad. Unscoped, so the numbers callers pass still work.
enum TQuadType : uint8_t {
  QT_Textured = 0,      // the texel tinted by the colour
  QT_Resting = 1,       // the same; the value left after a textured draw
  QT_CoverageText = 2,  // the texel's red channel is the glyph's coverage
  QT_Gradient = 3,      // the colour at the top blending to the second colour at the bottom
  QT_DistanceText = 4,  // the texel's red channel is a distance field
};

// The abstract renderer the GUI, the fonts and the texture code draw through.
// TOGL is the concrete one; tests use a recording renderer that keeps the quads.
// Virtual operations keep the slot order of the GL layer's table.
class TOGL_Renderer {
 public:
  TOGL_Renderer();
  TOGL_Renderer(const TOGL_Renderer&) = delete;
  TOGL_Renderer& operator=(const TOGL_Renderer&) = delete;
  virtual ~TOGL_Renderer();

  virtual void CreateDefaultTextures();             // 0
  virtual int Width() const { return width_; }      // 1
  virtual int Height() const { return height_; }    // 2
  virtual bool GetVSync() const;                    // 3
  virtual void SetVSync(bool on);                   // 4
  virtual void Clear(GLbitfield mask) = 0;          // 5
  virtual void Swap() = 0;                          // 6
  virtual void Begin2D(int width, int height) = 0;  // 7
  virtual void QuadBindVBO() = 0;                   // 8
  virtual void QuadBindShader() = 0;                // 9
  virtual void SetQuadType(TQuadType type) = 0;     // 10
  void SetQuadType(int type) { SetQuadType(static_cast<TQuadType>(type)); }
  virtual void SetColour(float r, float g, float b, float a) = 0;                                       // 11
  virtual void SetColour3(float r, float g, float b);                                                   // 12
  virtual void SetColour2(float r, float g, float b, float a) = 0;                                      // 13
  virtual void SetColour2_3(float r, float g, float b);                                                 // 14
  virtual void SetUD(float x, float y) = 0;                                                             // 15
  virtual void SetUDI(int32_t x, int32_t y) = 0;                                                        // 16
  virtual void SetGrayscale(bool on) = 0;                                                               // 17
  virtual void DrawQuad(float x, float y, float w, float h, float u, float v, float du, float dv) = 0;  // 18
  virtual GLuint CreateTexture(int width, int height, GLenum internalFormat, GLenum sourceFormat, const void* pixels,
                               bool flip, bool clamp) = 0;                                                // 19
  virtual GLuint CreateTexture565(int width, int height, const void* pixels, bool flip, bool clamp) = 0;  // 20
  virtual GLuint CreateTextureLinear(int width, int height, GLenum internalFormat, GLenum sourceFormat,
                                     const void* pixels, bool flip, bool clamp) = 0;  // 21
  virtual GLuint CreateTexture565Linear(int width, int height, const void* pixels, bool flip,
                                        bool clamp) = 0;  // 22
  // Binds a 2-D texture on a texture unit; the one way drawing code outside the GL
  // layer changes texture bindings.
  virtual void BindTexture(int unit, GLuint texture) = 0;  // 23
  // Deletes a texture made by one of the CreateTexture operations; 0 is ignored.
  virtual void DeleteTexture(GLuint texture);  // 24
  // The clip rectangle in window pixels, y counted from the bottom, and clipping on or off.
  virtual void SetScissor(int x, int y, int width, int height);  // 25
  virtual void EnableScissor(bool on);                           // 26
  // Blending of what is drawn next.
  virtual void SetBlend(bool on);  // 27
  // One quad through another program (a GUI element shader) instead of the quad program,
  // positioned and textured as DrawQuad does; `setUniforms` runs while that program is
  // current. The quad program, its buffer and its reset uniforms are current afterwards.
  virtual void DrawQuadWithProgram(TGLSL_Program& program, const std::function<void()>& setUniforms, float x, float y,
                                   float w, float h, float u, float v, float du, float dv) = 0;  // 28
  // Quads wait in a batch until something they depend on changes; this draws them now.
  // Anything that draws other than DrawQuad, or reads pixels, calls it first.
  virtual void FlushQuads() = 0;  // 29
  // Replaces the whole level-0 image of a texture made by CreateTexture (unsigned bytes);
  // the texture stays bound on unit 0.
  virtual void UpdateTexture(GLuint texture, int width, int height, GLenum sourceFormat,
                             const void* pixels) = 0;  // 30

  // Fills version and single-channel format from the current context.
  void ReadVersion();

  TMatrix4 projection;
  TMatrix4 model;
  TMatrix4 view;
  std::array<uint8_t, 4> version{};  // major, minor, release, build
  GLuint gridTexture = 0;
  GLuint whiteTexture = 0;
  GLuint blackTexture = 0;
  GLenum singleChannelFormat = GL_RGB;  // what fonts use for one-channel textures

 protected:
  IGLSurface* surface_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// The current renderer: set when a renderer is created, cleared when it goes.
TOGL_Renderer* CurrentRenderer();

// Leading "digits and dots" run of a GL_VERSION string, up to four numbers, each kept as 8 bits.
std::array<uint8_t, 4> ParseVersionString(std::string_view text);

GLint GetInteger(GLenum pname);
void SetTexParams(GLenum target, GLint wrapS, GLint wrapT, GLint minFilter, GLint magFilter, bool generateMipmaps);
void BeginTextured();
void EndTextured();
void SelectQuadType3();
void SelectTextQuadType(bool flag);
void SetUDIFlag(bool flag);
