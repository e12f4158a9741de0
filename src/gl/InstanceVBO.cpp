#include "gl/InstanceVBO.h"

#include <cstdint>

TOGL_InstanceVBO::TOGL_InstanceVBO(std::vector<Attribute> attributes, int stride)
    : attributes_(std::move(attributes)), stride_(stride) {
  glGenBuffers(1, &name_);
}

TOGL_InstanceVBO::~TOGL_InstanceVBO() {
  if (name_) glDeleteBuffers(1, &name_);
}

void TOGL_InstanceVBO::Upload(int size, const void* data) {
  glBindBuffer(GL_ARRAY_BUFFER, name_);
  if (size > capacity_) {
    glBufferData(GL_ARRAY_BUFFER, size, data, GL_DYNAMIC_DRAW);
    capacity_ = size;
  } else {
    glBufferSubData(GL_ARRAY_BUFFER, 0, size, data);
  }
}

void TOGL_InstanceVBO::Bind() {
  glBindBuffer(GL_ARRAY_BUFFER, name_);
  for (const Attribute& a : attributes_) {
    glEnableVertexAttribArray(a.index);
    glVertexAttribPointer(a.index, a.components, GL_FLOAT, GL_FALSE, stride_,
                          reinterpret_cast<const void*>(static_cast<intptr_t>(a.offset)));
    glVertexAttribDivisor(a.index, 1);
  }
}

// The divisor goes back to 0 too: other buffers feed the same attribute numbers per vertex.
void TOGL_InstanceVBO::Unbind() {
  for (const Attribute& a : attributes_) {
    glVertexAttribDivisor(a.index, 0);
    glDisableVertexAttribArray(a.index);
  }
}

void TOGL_InstanceVBO::DrawInstanced(GLenum mode, int vertices, int instances) {
  glDrawArraysInstanced(mode, 0, vertices, instances);
}
