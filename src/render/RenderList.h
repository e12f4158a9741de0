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
  // A new record whose texture field is `slot`; the caller fills the rest.
  TGPU_Record& Append(int slot) {
    if (count_ == Capacity()) records_.resize(records_.size() + kGrowBy);
    TGPU_Record& r = records_[count_++];
    r[10] = static_cast<float>(slot);
    return r;
  }
  GLuint Slot(int j) const { return slots_[j]; }
  void SetSlot(int j, GLuint name) { slots_[j] = name; }
  const std::array<GLuint, kSlots>& Slots() const { return slots_; }

  int32_t Count() const { return count_; }
  int32_t Capacity() const { return static_cast<int32_t>(records_.size()); }
  const TGPU_Record* Records() const { return records_.data(); }

 private:
  std::vector<TGPU_Record> records_;
  int32_t count_ = 0;
  std::array<GLuint, kSlots> slots_{};
};
