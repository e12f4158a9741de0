#include "render/Instance.h"

namespace {
constexpr int kStride = sizeof(TGPU_Record);
static_assert(kStride == 44);
}  // namespace

TGPU_Instance::TGPU_Instance(GLuint a, GLuint b, GLuint c) : buffer_({{a, 4, 0}, {b, 4, 16}, {c, 3, 32}}, kStride) {}

void TGPU_Instance::Upload(int32_t count, const TGPU_Record* records) { buffer_.Upload(count * kStride, records); }
