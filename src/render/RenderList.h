#pragma once
#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <vector>

// One placed model's draw: atlas rectangle (U0, V0, USize, VSize), screen rectangle
// (left, bottom, width, height) in pixels, layer, palette position, and the atlas texture
// (its GL name on input, its slot in the render list once filed).
using TGPU_Record = std::array<float, 11>;

// Records drawn by one instanced call, with up to 15 atlas textures in slots 0..14.
class TGPU_RenderList {
 public:
  static constexpr int kSlots = 15;
  static constexpr int32_t kGrowBy = 100;

  void Clear();
  // A new record, left for the caller to fill.
  TGPU_Record& Append() {
    if (count_ == capacity_) Grow();
    return records_[size_t(count_++)];
  }
  GLuint Slot(int j) const { return slots_[j]; }
  void SetSlot(int j, GLuint name) { slots_[j] = name; }
  const std::array<GLuint, kSlots>& Slots() const { return slots_; }

  int32_t Count() const { return count_; }
  int32_t Capacity() const { return capacity_; }
  const TGPU_Record* Records() const { return records_.data(); }

 private:
  void Grow();

  std::vector<TGPU_Record> records_;
  int32_t count_ = 0;
  int32_t capacity_ = 0;
  std::array<GLuint, kSlots> slots_{};
};
