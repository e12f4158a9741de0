#pragma once
#include <epoxy/gl.h>

#include <cstdint>

// Per-vertex components stored interleaved in a vertex buffer, in bit order.
enum TVertexComponent : uint16_t {
  VL_V = 1 << 0,   // position, 3 floats
  VL_T1 = 1 << 1,  // texture coordinates 1, 2 floats
  VL_T2 = 1 << 2,
  VL_T3 = 1 << 3,
  VL_T4 = 1 << 4,
  VL_C3 = 1 << 5,  // colour, 3 floats
  VL_C4 = 1 << 6,  // colour, 4 floats
  VL_N = 1 << 7,   // normal, 3 floats
};

// Bytes per vertex of a layout.
int VertexStride(uint16_t layout);
// Float offset of component `bit` inside a vertex of `layout`.
int VertexOffsetFloats(uint16_t layout, int bit);

// A vertex buffer object. The k-th set bit of the layout feeds generic attribute k.
class TOGL_VBO {
 public:
  TOGL_VBO(uint16_t layout, int size, const void* data, GLenum usage);
  TOGL_VBO(const TOGL_VBO&) = delete;
  TOGL_VBO& operator=(const TOGL_VBO&) = delete;
  ~TOGL_VBO();

  // Binds as GL_ARRAY_BUFFER and sets the attribute pointers again.
  void Bind();
  GLuint Name() const { return name_; }
  uint16_t Layout() const { return layout_; }
  int Size() const { return size_; }

 private:
  void SetAttribPointers();

  GLuint name_ = 0;
  uint16_t layout_;
  int size_;
  GLenum usage_;
};
