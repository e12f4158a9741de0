#pragma once
#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// When quads drawn through the renderer reach the card: they wait until something they
// depend on changes (a texture binding, blend, the clip, or whatever the owner reports
// through Flush: program, buffer, matrices, depth, viewport) or something else draws.
// It holds no GL, so the recording renderer follows the same rule and counts its flushes.
class TQuadBatch {
 public:
  static constexpr int kUnits = 32;

  // `draw` sends the pending quads to the card.
  TQuadBatch(std::function<void()> draw, bool blend);

  // A fill with this texture samples nothing, so binding it between textured quads can
  // wait: fills and text share a batch.
  void SetWhiteTexture(GLuint texture) { white_ = texture; }

  // The binding to make on `unit` now, or none while it can wait for the next flush.
  std::optional<GLuint> BindTexture(int unit, GLuint texture);
  // GL bound `texture` on unit 0 to create or refill it.
  void BoundForUpload(GLuint texture);
  void TextureDeleted(GLuint texture);
  void SetBlend(bool on);
  void SetScissor(const std::array<int, 4>& rect);
  void EnableScissor(bool on);

  // Counts one more quad; true when it samples unit 0 (false for a fill).
  bool AddQuad();
  // Draws what is pending, if anything.
  void Flush();
  // After a flush: the binding unit 0 still owes GL, or none.
  std::optional<GLuint> DeferredBinding();

  int Pending() const { return pending_; }
  int Flushes() const { return flushes_; }
  // What a quad drawn now samples on unit 0.
  GLuint Logical(int unit) const { return logical_[unit]; }

 private:
  bool Solid() const { return white_ != 0 && logical_[0] == white_; }

  std::function<void()> draw_;
  std::array<GLuint, kUnits> logical_{};
  std::array<GLuint, kUnits> actual_{};
  GLuint white_ = 0;
  bool blend_;
  bool scissorOn_ = false;
  std::array<int, 4> scissor_{};
  int pending_ = 0;
  bool texturedPending_ = false;
  int flushes_ = 0;
};
