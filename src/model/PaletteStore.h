#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

class TOGL_Renderer;

// Every palette in use, packed into 2048 x 2048 RGB texture pages of 16,384 palettes each,
// from which the instanced shader looks colours up. Slots are global: page x 16,384 + slot.
class TPaletteStore {
 public:
  static constexpr int kPageSide = 2048;
  static constexpr int32_t kSlotsPerPage = 16384;
  static constexpr int kPaletteBytes = 768;

  TPaletteStore() = default;
  TPaletteStore(const TPaletteStore&) = delete;
  TPaletteStore& operator=(const TPaletteStore&) = delete;
  ~TPaletteStore();

  // The lowest free slot of the first page with room; a new page when all are full.
  int32_t AllocateSlot();
  // The 768 palette bytes of a slot; null beyond the last page.
  uint8_t* SlotData(int32_t slot);
  void FreeSlot(int32_t slot);
  void MarkDirty(int32_t slot);
  // Sends every page changed since the last upload to the card, whole. The store deletes
  // the page textures through `gl` when it goes, so `gl` must outlive it.
  void Upload(TOGL_Renderer& gl);
  // Texture of the page holding `slot`; 0 before its first upload.
  GLuint PageTexture(int32_t slot) const;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  int32_t UsedSlots(int page) const { return pages_[page]->usedCount; }
  bool Dirty() const { return dirty_; }

 private:
  struct Page {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(size_t(kPageSide) * kPageSide * 3);
    std::vector<uint8_t> used = std::vector<uint8_t>(kSlotsPerPage);
    bool dirty = true;
    int32_t usedCount = 0;
    GLuint texture = 0;
  };
  Page* PageOf(int32_t slot) const;

  std::vector<std::unique_ptr<Page>> pages_;
  bool dirty_ = false;
  TOGL_Renderer* uploadedTo_ = nullptr;
};
