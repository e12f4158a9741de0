#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Palette.h"

class TPaletteStore;

// One entry per distinct palette content in use; placed models with equal palettes share it.
struct TPaletteEntry {
  uint8_t* palette = nullptr;  // inside a store page; null marks a free entry
  // 32 bits: with 16 a palette shared by more than 65,535 placed models would wrap to 0
  // and be freed while still in use.
  uint32_t refCount = 0;
  uint32_t hash = 0;
  int32_t slot = 0;
};

class TSmartPaletteList {
 public:
  explicit TSmartPaletteList(TPaletteStore& store) : store_(store) {}

  // CRC-32 register over the 768 bytes, without the final inversion.
  static uint32_t Hash(const TPalette& palette);

  // An existing entry with the same bytes (one more reference) or a new one.
  int32_t Acquire(const TPalette& palette, std::optional<uint32_t> hash = std::nullopt);
  // `entry` itself when `palette` matches it; otherwise releases it and acquires `palette`.
  int32_t Replace(int32_t entry, const TPalette& palette);
  void Release(int32_t entry);

  const TPaletteEntry& Entry(int32_t i) const { return entries_[i]; }
  int32_t Count() const { return count_; }
  int32_t Capacity() const { return static_cast<int32_t>(entries_.size()); }

 private:
  bool Matches(const TPaletteEntry& entry, const TPalette& palette, uint32_t hash) const;

  TPaletteStore& store_;
  std::vector<TPaletteEntry> entries_;
  int32_t count_ = 0;
};
