#include "gl/QuadBatch.h"

TQuadBatch::TQuadBatch(std::function<void()> draw, bool blend) : draw_(std::move(draw)), blend_(blend) {}

std::optional<GLuint> TQuadBatch::BindTexture(int unit, GLuint texture) {
  if (unit < 0 || unit >= kUnits) return texture;
  logical_[unit] = texture;
  if (unit == 0) {
    if (texture == actual_[0]) return texture;
    if (Solid() && texturedPending_) return std::nullopt;
    if (texturedPending_) Flush();
  } else if (texture != actual_[unit] && pending_) {
    Flush();
  }
  actual_[unit] = texture;
  return texture;
}

void TQuadBatch::BoundForUpload(GLuint texture) {
  if (texturedPending_) Flush();
  actual_[0] = logical_[0] = texture;
}

void TQuadBatch::TextureDeleted(GLuint texture) {
  for (int u = 0; u < kUnits; ++u) {
    if (actual_[u] != texture && logical_[u] != texture) continue;
    Flush();
    if (actual_[u] == texture) actual_[u] = 0;
    if (logical_[u] == texture) logical_[u] = 0;
  }
}

void TQuadBatch::SetBlend(bool on) {
  if (on != blend_) Flush();
  blend_ = on;
}

void TQuadBatch::SetScissor(const std::array<int, 4>& rect) {
  if (rect != scissor_ && scissorOn_) Flush();
  scissor_ = rect;
}

void TQuadBatch::EnableScissor(bool on) {
  if (on != scissorOn_) Flush();
  scissorOn_ = on;
}

bool TQuadBatch::AddQuad() {
  ++pending_;
  bool textured = !Solid();
  texturedPending_ = texturedPending_ || textured;
  return textured;
}

void TQuadBatch::Flush() {
  if (pending_ == 0) return;
  draw_();
  pending_ = 0;
  texturedPending_ = false;
  ++flushes_;
}

std::optional<GLuint> TQuadBatch::DeferredBinding() {
  if (logical_[0] == actual_[0]) return std::nullopt;
  actual_[0] = logical_[0];
  return actual_[0];
}
