#pragma once
#include "gl/InstanceVBO.h"
#include "render/RenderList.h"

// The one buffer through which every render list's records reach the card: attribute A
// takes the atlas rectangle, B the screen rectangle, C layer, palette position and slot.
class TGPU_Instance {
 public:
  TGPU_Instance(GLuint a, GLuint b, GLuint c);

  void Upload(int32_t count, const TGPU_Record* records);
  void Bind() { buffer_.Bind(); }
  void Unbind() { buffer_.Unbind(); }
  int Capacity() const { return buffer_.Capacity(); }

 private:
  TOGL_InstanceVBO buffer_;
};
