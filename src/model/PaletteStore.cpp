#include "model/PaletteStore.h"

#include <algorithm>

#include "gl/Renderer.h"

TPaletteStore::~TPaletteStore() {
  if (!uploadedTo_) return;
  for (auto& page : pages_) uploadedTo_->DeleteTexture(page->texture);
}

int32_t TPaletteStore::AllocateSlot() {
  for (size_t p = 0; p < pages_.size(); ++p) {
    Page& page = *pages_[p];
    if (page.usedCount >= kSlotsPerPage) continue;
    auto free = std::find(page.used.begin(), page.used.end(), 0);
    *free = 1;
    ++page.usedCount;
    return static_cast<int32_t>(p) * kSlotsPerPage + static_cast<int32_t>(free - page.used.begin());
  }
  auto page = std::make_unique<Page>();
  page->used[0] = 1;
  page->usedCount = 1;
  pages_.push_back(std::move(page));
  dirty_ = true;
  return static_cast<int32_t>(pages_.size() - 1) * kSlotsPerPage;
}

TPaletteStore::Page* TPaletteStore::PageOf(int32_t slot) const {
  if (slot < 0 || slot / kSlotsPerPage >= static_cast<int32_t>(pages_.size())) return nullptr;
  return pages_[slot / kSlotsPerPage].get();
}

uint8_t* TPaletteStore::SlotData(int32_t slot) {
  Page* page = PageOf(slot);
  return page ? &page->pixels[size_t(slot % kSlotsPerPage) * kPaletteBytes] : nullptr;
}

void TPaletteStore::FreeSlot(int32_t slot) {
  Page* page = PageOf(slot);
  if (!page || !page->used[slot % kSlotsPerPage]) return;
  page->used[slot % kSlotsPerPage] = 0;
  --page->usedCount;
}

void TPaletteStore::MarkDirty(int32_t slot) {
  Page* page = PageOf(slot);
  if (!page) return;
  page->dirty = true;
  dirty_ = true;
}

void TPaletteStore::Upload(TOGL_Renderer& gl) {
  if (!dirty_) return;
  uploadedTo_ = &gl;
  for (auto& page : pages_) {
    if (!page->dirty) continue;
    if (!page->texture) {
      // Stored with four bytes a texel: the shaders fetch whole words, far faster than
      // three-byte texels on a software renderer.
      page->texture = gl.CreateTexture(kPageSide, kPageSide, GL_RGBA, GL_BGR, page->pixels.data(), false, false);
    } else {
      gl.UpdateTexture(page->texture, kPageSide, kPageSide, GL_BGR, page->pixels.data());
    }
    page->dirty = false;
  }
  dirty_ = false;
}

GLuint TPaletteStore::PageTexture(int32_t slot) const {
  Page* page = PageOf(slot);
  return page ? page->texture : 0;
}
