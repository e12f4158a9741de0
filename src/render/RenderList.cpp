#include "render/RenderList.h"

void TGPU_RenderList::Clear() {
  count_ = 0;
  slots_.fill(0);
}
