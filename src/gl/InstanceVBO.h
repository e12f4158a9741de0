#pragma once
#include <epoxy/gl.h>

#include <vector>

// A vertex buffer whose float attributes advance once per instance (divisor 1), refilled
// every draw: it grows only when a draw needs more bytes than it ever had.
class TOGL_InstanceVBO {
 public:
  struct Attribute {
    GLuint index;
    GLint components;
    int offset;  // bytes
  };

  TOGL_InstanceVBO(std::vector<Attribute> attributes, int stride);
  TOGL_InstanceVBO(const TOGL_InstanceVBO&) = delete;
  TOGL_InstanceVBO& operator=(const TOGL_InstanceVBO&) = delete;
  ~TOGL_InstanceVBO();

  void Upload(int size, const void* data);
  // Binds the buffer and points, enables and sets the divisor of every attribute.
  void Bind();
  // Disables the attributes and clears their divisors.
  void Unbind();
  // Draws `vertices` vertices of the bound per-vertex buffer `instances` times.
  static void DrawInstanced(GLenum mode, int vertices, int instances);

  GLuint Name() const { return name_; }
  int Capacity() const { return capacity_; }

 private:
  std::vector<Attribute> attributes_;
  int stride_;
  GLuint name_ = 0;
  int capacity_ = 0;
};
