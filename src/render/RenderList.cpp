#include "render/RenderList.h"

void TGPU_RenderList::Clear() {
  count_ = 0;
  slots_.fill(0);
}

void TGPU_RenderList::Grow() {
  records_.resize(records_.size() + kGrowBy);
  capacity_ = static_cast<int32_t>(records_.size());
}
