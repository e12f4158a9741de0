#include "render/RenderList.h"

void TGPU_RenderList::Clear() {
  count_ = 0;
  slots_.fill(0);
}

void TGPU_RenderList::Append(const TGPU_Record& record) {
  if (count_ + 1 > Capacity()) records_.resize(records_.size() + kGrowBy);
  records_[count_++] = record;
}
