#include "model/PaletteList.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "model/PaletteStore.h"

namespace {
constexpr int32_t kGrowBy = 100;
}

uint32_t TSmartPaletteList::Hash(const TPalette& palette) {
  return ~static_cast<uint32_t>(crc32(0L, palette.data(), static_cast<uInt>(palette.size())));
}

bool TSmartPaletteList::Matches(const TPaletteEntry& entry, const TPalette& palette, uint32_t hash) const {
  return entry.palette && entry.hash == hash && std::memcmp(entry.palette, palette.data(), palette.size()) == 0;
}

int32_t TSmartPaletteList::Acquire(const TPalette& palette, std::optional<uint32_t> hash) {
  uint32_t h = hash ? *hash : Hash(palette);
  for (int32_t i = 0; i < count_; ++i) {
    if (Matches(entries_[i], palette, h)) {
      ++entries_[i].refCount;
      return i;
    }
  }
  auto freeEntry = std::find_if(entries_.begin(), entries_.begin() + count_,
                                [](const TPaletteEntry& e) { return e.palette == nullptr; });
  auto index = static_cast<int32_t>(freeEntry - entries_.begin());
  if (index == count_) {
    if (count_ == Capacity()) entries_.resize(entries_.size() + kGrowBy);
    ++count_;
  }
  TPaletteEntry& entry = entries_[index];
  entry.refCount = 1;
  entry.hash = h;
  entry.slot = store_.AllocateSlot();
  entry.palette = store_.SlotData(entry.slot);
  std::memcpy(entry.palette, palette.data(), palette.size());
  store_.MarkDirty(entry.slot);
  return index;
}

int32_t TSmartPaletteList::Replace(int32_t entry, const TPalette& palette) {
  uint32_t h = Hash(palette);
  if (entry >= 0 && entry < count_ && Matches(entries_[entry], palette, h)) return entry;
  Release(entry);
  return Acquire(palette, h);
}

void TSmartPaletteList::Release(int32_t entry) {
  if (entry < 0 || entry >= count_ || !entries_[entry].palette) return;
  TPaletteEntry& e = entries_[entry];
  if (--e.refCount > 0) return;
  store_.FreeSlot(e.slot);
  e.palette = nullptr;
  while (count_ > 0 && !entries_[count_ - 1].palette) --count_;
}
