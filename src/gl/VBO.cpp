#include "gl/VBO.h"

#include <cstddef>

#include "gl/GLCheck.h"

namespace {
constexpr int kFloats[8] = {3, 2, 2, 2, 2, 3, 4, 3};
}

int VertexStride(uint16_t layout) { return VertexOffsetFloats(layout, 8) * 4; }

int VertexOffsetFloats(uint16_t layout, int bit) {
  int floats = 0;
  for (int b = 0; b < bit && b < 8; ++b)
    if (layout & (1 << b)) floats += kFloats[b];
  return floats;
}

TOGL_VBO::TOGL_VBO(uint16_t layout, int size, const void* data, GLenum usage)
    : layout_(layout), size_(size), usage_(usage) {
  glGenBuffers(1, &name_);
  glBindBuffer(GL_ARRAY_BUFFER, name_);
  ZQ_GL_CHECK(glBufferData(GL_ARRAY_BUFFER, size, data, usage));
  SetAttribPointers();
}

TOGL_VBO::~TOGL_VBO() {
  if (name_ != 0) glDeleteBuffers(1, &name_);
}

void TOGL_VBO::Bind() {
  glBindBuffer(GL_ARRAY_BUFFER, name_);
  SetAttribPointers();
}

void TOGL_VBO::SetAttribPointers() {
  int stride = VertexStride(layout_);
  GLuint attribute = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (!(layout_ & (1 << bit))) continue;
    auto offset = static_cast<uintptr_t>(VertexOffsetFloats(layout_, bit) * 4);
    glEnableVertexAttribArray(attribute);
    glVertexAttribPointer(attribute, kFloats[bit], GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offset));
    ++attribute;
  }
}
