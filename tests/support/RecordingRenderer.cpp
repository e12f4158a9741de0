#include "RecordingRenderer.h"

RecordingRenderer::RecordingRenderer(int width, int height) {
  width_ = width;
  height_ = height;
  version = {4, 5, 0, 0};
  singleChannelFormat = GL_R8;
  whiteTexture = 1;
  blackTexture = 2;
  gridTexture = 3;
  batch_.SetWhiteTexture(whiteTexture);
}

void RecordingRenderer::Clear(GLbitfield) {
  batch_.Flush();
  ++clears;
}

void RecordingRenderer::Swap() {
  batch_.Flush();
  ++swaps;
}

void RecordingRenderer::QuadBindShader() {
  batch_.Flush();
  type_ = 0;
  colour_ = colour2_ = {1, 1, 1, 1};
  ud_ = {0, 0.58f};
  udi_ = {0, 0};
  grayscale_ = false;
}

void RecordingRenderer::Record(float x, float y, float w, float h, float u, float v, float du, float dv,
                               const TGLSL_Program* program) {
  std::array<int, 4> clip = scissors.empty() ? std::array<int, 4>{} : scissors.back();
  quads.push_back({x,     y,         w,   h,    u,          v,     du,        dv,   colour_, colour2_,
                   type_, bound_[0], ud_, udi_, grayscale_, blend, scissorOn, clip, program, batch_.Flushes()});
}

void RecordingRenderer::DrawQuad(float x, float y, float w, float h, float u, float v, float du, float dv) {
  batch_.AddQuad();
  Record(x, y, w, h, u, v, du, dv, nullptr);
}

// Another program's uniforms need GL; only the quad and its program are kept.
void RecordingRenderer::DrawQuadWithProgram(TGLSL_Program& program, const std::function<void()>&, float x, float y,
                                            float w, float h, float u, float v, float du, float dv) {
  batch_.Flush();
  Record(x, y, w, h, u, v, du, dv, &program);
  QuadBindShader();
}

void RecordingRenderer::DeleteTexture(GLuint texture) {
  batch_.TextureDeleted(texture);
  deletedTextures.push_back(texture);
}

void RecordingRenderer::UpdateTexture(GLuint texture, int, int, GLenum, const void*) {
  batch_.BoundForUpload(texture);
  bound_[0] = texture;
  updatedTextures.push_back(texture);
}

void RecordingRenderer::SetScissor(int x, int y, int width, int height) {
  batch_.SetScissor({x, y, width, height});
  scissors.push_back({x, y, width, height});
}

void RecordingRenderer::EnableScissor(bool on) {
  batch_.EnableScissor(on);
  scissorOn = on;
}

void RecordingRenderer::SetBlend(bool on) {
  batch_.SetBlend(on);
  blend = on;
}

GLuint RecordingRenderer::AddTexture(Texture texture) {
  texture.name = static_cast<GLuint>(100 + textures.size());
  batch_.BoundForUpload(texture.name);
  textures.push_back(texture);
  bound_[0] = texture.name;
  return texture.name;
}

GLuint RecordingRenderer::CreateTexture(int width, int height, GLenum internalFormat, GLenum sourceFormat, const void*,
                                        bool flip, bool clamp) {
  return AddTexture({0, width, height, internalFormat, sourceFormat, flip, clamp, false});
}

GLuint RecordingRenderer::CreateTexture565(int width, int height, const void*, bool flip, bool clamp) {
  return AddTexture({0, width, height, GL_RGB, GL_RGB, flip, clamp, false});
}

GLuint RecordingRenderer::CreateTextureLinear(int width, int height, GLenum internalFormat, GLenum sourceFormat,
                                              const void*, bool flip, bool clamp) {
  return AddTexture({0, width, height, internalFormat, sourceFormat, flip, clamp, true});
}

GLuint RecordingRenderer::CreateTexture565Linear(int width, int height, const void*, bool flip, bool clamp) {
  return AddTexture({0, width, height, GL_RGB, GL_RGB, flip, clamp, true});
}

void RecordingRenderer::BindTexture(int unit, GLuint texture) {
  batch_.BindTexture(unit, texture);
  if (unit >= 0 && unit < 32) bound_[unit] = texture;
}
